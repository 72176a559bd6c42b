#include "import/GradientFit.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double Pi = 3.14159265358979;
constexpr double GradientSquare = 32768;  // twips across at GradScale 1
// Far beyond any canvas, and within what the record's fields hold.
constexpr double MaxCentre = 1e6, MinScale = 1e-6, MaxScale = 1e4;

std::int32_t Twips(double v) {
    return std::isfinite(v) ? static_cast<std::int32_t>(std::nearbyint(std::clamp(v, -MaxCentre, MaxCentre))) : 0;
}
float Scale(double across) {
    return std::isfinite(across) ? static_cast<float>(std::clamp(across / GradientSquare, MinScale, MaxScale)) : 1.0f;
}

std::int32_t Mix(std::int32_t a, std::int32_t b, double t) {
    int c[4];
    for (int k = 0; k < 4; ++k)
        c[k] = static_cast<int>(std::nearbyint(ColorByte(a, k) + (ColorByte(b, k) - ColorByte(a, k)) * t));
    return PackColor(c[0], c[1], c[2], c[3]);
}

void SetLinear(PathShape& p, Vec2 start, Vec2 end) {
    const Vec2 d = end - start, mid = (start + end) * 0.5;
    p.GradX = Twips(mid.X);
    p.GradY = Twips(mid.Y);
    p.GradAngle = static_cast<float>(std::atan2(d.Y, d.X) * 180 / Pi);
    p.GradScale = Scale(Length(d));
}

}  // namespace

std::int32_t ColorAt(const std::vector<GradientStop>& stops, double t) {
    if (stops.empty()) return 0;
    if (t <= stops.front().Offset) return stops.front().Color;
    for (std::size_t i = 1; i < stops.size(); ++i) {
        const GradientStop &a = stops[i - 1], &b = stops[i];
        if (t <= b.Offset) return b.Offset > a.Offset ? Mix(a.Color, b.Color, (t - a.Offset) / (b.Offset - a.Offset)) : b.Color;
    }
    return stops.back().Color;
}

bool FitGradient(const GradientSpec& spec, PathShape& p) {
    const std::vector<GradientStop>& s = spec.Stops;
    if (s.empty()) {
        p.FillType = 0;
        return true;
    }
    const bool oneColor = std::all_of(s.begin(), s.end(), [&](const GradientStop& g) { return g.Color == s[0].Color; });
    if (oneColor) {
        p.FillType = 1;
        p.FillColor = s[0].Color;
        return true;
    }
    const double first = s.front().Offset, last = s.back().Offset;
    bool exact = spec.Exact;
    if (spec.Radial) {
        // Offset 0 stays at the centre; a last stop short of 1 shrinks the circle.
        p.FillType = 4;
        p.FillColor = ColorAt(s, 0);
        p.FillColor2 = s.back().Color;
        p.GradX = Twips(spec.Centre.X);
        p.GradY = Twips(spec.Centre.Y);
        p.GradAngle = 0;
        p.GradScale = Scale(2 * spec.Radius * (last > 0 ? last : 1));
        exact = exact && s.size() == 2 && first == 0;
        return exact;
    }
    // The ramp runs between the first and the last stop: move the ends there.
    const Vec2 d = spec.End - spec.Start;
    const Vec2 start = spec.Start + d * first, end = spec.Start + d * (last > first ? last : first + 1e-6);
    SetLinear(p, start, end);
    const auto at = [&](double u) { return ColorAt(s, first + (last - first) * u); };
    const std::int32_t c0 = at(0), c1 = at(1), cm = at(0.5);
    if (c0 == c1 && cm != c0) {
        p.FillType = 3;
        p.FillColor = c0;
        p.FillColor2 = cm;
        const bool symmetric3 = s.size() == 3 && std::abs((s[1].Offset - first) - (last - s[1].Offset)) < 1e-6;
        return exact && symmetric3;
    }
    p.FillType = 2;
    p.FillColor = c0;
    p.FillColor2 = c1;
    return exact && s.size() == 2;
}
