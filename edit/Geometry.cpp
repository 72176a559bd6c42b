#include "edit/Geometry.h"

#include <cmath>
#include <cstdlib>

float PointDistance(std::int64_t dx, std::int64_t dy) {
    const double x = static_cast<double>(dx);
    const double y = static_cast<double>(dy);
    return static_cast<float>(std::sqrt(x * x + y * y));
}

float SegmentDistance(TwipPoint a, TwipPoint b, TwipPoint p) {
    using Wide = __int128;
    const std::int64_t abx = std::int64_t{b.X} - a.X, aby = std::int64_t{b.Y} - a.Y;
    const std::int64_t apx = std::int64_t{p.X} - a.X, apy = std::int64_t{p.Y} - a.Y;
    const std::int64_t bpx = std::int64_t{p.X} - b.X, bpy = std::int64_t{p.Y} - b.Y;
    // (A - B) . (P - B) <= 0: P lies beyond B.
    if (Wide{-abx} * bpx + Wide{-aby} * bpy <= 0) return PointDistance(bpx, bpy);
    // (B - A) . (P - A) <= 0: P lies before A.
    if (Wide{abx} * apx + Wide{aby} * apy <= 0) return PointDistance(apx, apy);
    Wide cross = Wide{apx} * aby - Wide{abx} * apy;
    if (cross < 0) cross = -cross;
    return static_cast<float>(static_cast<double>(cross) / static_cast<double>(PointDistance(abx, aby)));
}

float PointAngle(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) {
    const std::int64_t dx = std::int64_t{x1} - x0;
    const std::int64_t dy = std::int64_t{y1} - y0;
    if (dx == 0) return dy < 0 ? -90.0f : 90.0f;
    float a = static_cast<float>(std::atan(static_cast<double>(dy) / static_cast<double>(dx)) / (Pi / 180.0));
    if (dx < 0) a += 180.0f;
    return a;
}

void RotatePoint(std::int32_t& x, std::int32_t& y, std::int32_t cx, std::int32_t cy, float theta) {
    const double dx = static_cast<double>(x) - cx;
    const double dy = static_cast<double>(y) - cy;
    const double s = std::sin(static_cast<double>(theta));
    const double c = std::cos(static_cast<double>(theta));
    x = RoundHalfEven(-s * dy + dx * c + cx);
    y = RoundHalfEven(dy * c + dx * s + cy);
}
