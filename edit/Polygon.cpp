#include "edit/Polygon.h"

#include <algorithm>
#include <cmath>

#include "core/NumberText.h"
#include "edit/Geometry.h"
#include "edit/ShapeCreate.h"

namespace {
constexpr double kRadius = 500.0;
}  // namespace

std::int32_t PolygonCornerCount(double corners) {
    if (!std::isfinite(corners)) return 0;
    return std::clamp(RoundHalfEven(corners), 0, kMaxPolygonCorners);
}

std::vector<AnchorPoint> PolygonAnchors(std::int32_t x0, std::int32_t y0, const PolygonSettings& settings) {
    const std::int32_t n = PolygonCornerCount(settings.Corners);
    const bool star = (settings.Mode & 1) != 0;
    const bool roundInner = (settings.Mode & 2) != 0;
    const bool roundOuter = (settings.Mode & 4) != 0;
    const double inner = (100.0 - std::clamp(settings.Depth, 0, 100)) / 100.0;
    const std::int32_t m = star ? 2 * n : n;
    const double cx = static_cast<double>(x0) + kRadius;
    const double cy = static_cast<double>(y0) + kRadius;
    std::vector<AnchorPoint> anchors;
    anchors.reserve(static_cast<std::size_t>(m));
    for (std::int32_t k = 0; k < m; ++k) {
        // Single precision like the ellipse's angles, the step divided first.
        const auto a = static_cast<double>(static_cast<float>(k * (360.0 / m) * Pi / 180.0));
        const bool innerPoint = star && k % 2 == 1;
        const double r = innerPoint ? inner : 1.0;
        const bool rounded = innerPoint ? roundInner : roundOuter;
        anchors.push_back(AnchorPoint{RoundHalfEven(cx + std::sin(a) * kRadius * r),
                                      RoundHalfEven(cy - std::cos(a) * kRadius * r),
                                      static_cast<std::int16_t>(rounded ? 1 : 0)});
    }
    return anchors;
}

std::int32_t CreatePolygon(DrawCore& doc, std::int32_t x0, std::int32_t y0, const DrawStyle& style,
                           const PolygonSettings& settings) {
    if (PolygonCornerCount(settings.Corners) < 2) return 0;
    PathShape p = BoxShape(style, x0, y0);
    p.Anchors = PolygonAnchors(x0, y0, settings);
    p.AnchorMax = static_cast<std::int32_t>(p.Anchors.size()) - 1;
    return doc.AppendPath(p);
}

std::string SpinCorners(std::string_view text, int value) {
    // The whole part, kept in a range where adding one stays exact.
    const double number = LeadingNumber(text);
    const double whole = std::isfinite(number) ? std::trunc(number) : 0.0;
    const auto n = static_cast<std::int64_t>(std::clamp(whole, -1e15, 1e15));
    if (value == 1) return std::to_string(std::max<std::int64_t>(n - 1, 3));
    if (value == -1) return std::to_string(n + 1);
    return std::string(text);
}
