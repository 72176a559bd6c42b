#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "import/CurveFit.h"
#include "import/Regions.h"

namespace {

Vec2 Cubic(const Vec2 p[4], double t) {
    const double s = 1 - t;
    return p[0] * (s * s * s) + p[1] * (3 * s * s * t) + p[2] * (3 * s * t * t) + p[3] * (t * t * t);
}

// The farthest any point of the rounded quadratic anchors lies from the dense polyline `truth`.
double Deviation(const Vec2& start, const std::vector<OutlinePoint>& fit, const std::vector<Vec2>& truth) {
    Contour contour{{start, false}};
    contour.insert(contour.end(), fit.begin(), fit.end());
    const std::vector<AnchorPoint> a = RoundContour(contour, false);
    double worst = 0;
    const auto distance = [&](Vec2 p) {
        double best = 1e300;
        for (std::size_t i = 0; i + 1 < truth.size(); ++i) {
            const Vec2 ab = truth[i + 1] - truth[i], ap = p - truth[i];
            const double len2 = ab.X * ab.X + ab.Y * ab.Y;
            const double t = len2 > 0 ? std::clamp((ap.X * ab.X + ap.Y * ab.Y) / len2, 0.0, 1.0) : 0;
            best = std::min(best, Length(p - (truth[i] + ab * t)));
        }
        return best;
    };
    for (std::size_t i = 1; i + 1 < a.size(); i += 2) {
        EXPECT_EQ(a[i].Kind, 1);
        const Vec2 p0{double(a[i - 1].X), double(a[i - 1].Y)}, c{double(a[i].X), double(a[i].Y)},
            p1{double(a[i + 1].X), double(a[i + 1].Y)};
        for (int k = 0; k <= 16; ++k) {
            const double t = k / 16.0, s = 1 - t;
            worst = std::max(worst, distance(p0 * (s * s) + c * (2 * s * t) + p1 * (t * t)));
        }
    }
    return worst;
}

}  // namespace

// Quarter circles of growing radius (twips) and an S-shaped cubic: the
// rounded anchors stay within a twip of the curve, with few segments.
TEST(CurveFit, FitsWithinATwipWithFewSegments) {
    struct Case { double Radius; std::size_t MaxSegments; };
    for (const Case c : {Case{240, 3}, Case{2000, 5}, Case{20000, 9}}) {
        const Vec2 from{c.Radius, 0}, to{0, c.Radius};
        std::vector<OutlinePoint> fit;
        std::vector<Vec2> truth;
        for (int k = 0; k <= 4000; ++k) truth.push_back({c.Radius * std::cos(k * M_PI / 8000), c.Radius * std::sin(k * M_PI / 8000)});
        Vec2 at = from;
        for (const CubicSegment& s : ArcToCubics(from, c.Radius, c.Radius, 0, false, true, to, 0.05)) {
            AppendCubic(fit, at, s.C1, s.C2, s.To);
            at = s.To;
        }
        EXPECT_LE(fit.size() / 2, c.MaxSegments) << c.Radius;
        EXPECT_LE(Deviation(from, fit, truth), 1.0) << c.Radius;
    }
    // Random cubics, loops and cusps among them.
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> at(-1500, 1500);
    std::vector<OutlinePoint> fit;
    for (int k = 0; k < 40; ++k) {
        const Vec2 s[4] = {{at(rng), at(rng)}, {at(rng), at(rng)}, {at(rng), at(rng)}, {at(rng), at(rng)}};
        fit.clear();
        AppendCubic(fit, s[0], s[1], s[2], s[3]);
        std::vector<Vec2> truth;
        for (int j = 0; j <= 4000; ++j) truth.push_back(Cubic(s, j / 4000.0));
        EXPECT_LE(Deviation(s[0], fit, truth), 1.0) << k;
    }
    // A straight cubic stays one straight edge.
    fit.clear();
    AppendCubic(fit, {0, 0}, {100, 100}, {200, 200}, {300, 300});
    EXPECT_TRUE(fit.size() == 1 && !fit[0].Control);
}

// Arcs that cannot reach their end grow their radii; flags pick the side.
TEST(CurveFit, ArcsFollowTheEndpointRules) {
    const auto end = [](bool large, bool sweep, double r) {
        const auto segs = ArcToCubics({0, 0}, r, r, 0, large, sweep, {100, 0}, 0.01);
        double lowest = 0, highest = 0;
        for (const auto& s : segs) {
            lowest = std::min({lowest, s.C1.Y, s.To.Y});
            highest = std::max({highest, s.C1.Y, s.To.Y});
        }
        return std::pair{lowest, highest};
    };
    EXPECT_LT(end(false, true, 10).first, -40);   // too small: grown to a half circle above (y down)
    EXPECT_GT(end(false, false, 10).second, 40);  // the other way below
    const auto large = end(true, false, 60);
    EXPECT_GT(std::max(-large.first, large.second), 60);  // the large arc bulges further than its radius
    EXPECT_EQ(ArcToCubics({0, 0}, 0, 5, 0, false, true, {10, 0}, 0.1).size(), 1u);
}
