// The rasterisers' coverage against areas worked out by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "swf/CoverageRaster.h"
#include "swf/StrokeRaster.h"

namespace {

using Points = std::vector<std::pair<double, double>>;
using Grid = std::vector<std::vector<int>>;

template <typename Raster, typename SweepFn>
Grid Coverage(Raster& raster, const std::vector<Points>& subpaths, SweepFn sweep) {
    for (const Points& p : subpaths) {
        raster.MoveTo(p[0].first, p[0].second);
        for (std::size_t i = 1; i < p.size(); ++i) raster.LineTo(p[i].first, p[i].second);
    }
    const auto clip = raster.Clip();
    Grid grid(clip.Bottom, std::vector<int>(clip.Right));
    sweep([&](int y, int x0, const std::uint8_t* cover, int count) {
        ASSERT_TRUE(y >= clip.Top && y < clip.Bottom && x0 >= clip.Left && x0 + count <= clip.Right);
        for (int i = 0; i < count; ++i) grid[y][x0 + i] = cover[i];
    });
    return grid;
}

}  // namespace

TEST(CoverageRaster, PixelsGetTheExactAreaUnderTheEvenOddRule) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Probe { int X, Y, Cover; };
    struct Case {
        const char* Name;
        std::vector<Points> Subpaths;
        std::vector<Probe> Probes;
        CoverageRaster::Box Clip = {0, 0, 4, 4};
    } cases[] = {
        {"half-pixel square edges",
         {{{0.5, 0.5}, {2.5, 0.5}, {2.5, 2.5}, {0.5, 2.5}}},
         {{0, 0, 64}, {1, 0, 128}, {1, 1, 255}, {3, 3, 0}}},
        {"diagonal halves a pixel", {{{0, 0}, {1, 0}, {1, 1}}}, {{0, 0, 128}, {1, 0, 0}}},
        {"far beyond both sides",
         {{{-1e9, 1}, {1e9, 1}, {1e9, 3}, {-1e9, 3}}},
         {{0, 1, 255}, {3, 2, 255}, {0, 0, 0}, {3, 3, 0}}},
        {"reaching past the right side", {{{2, 0}, {50, 0}, {50, 4}, {2, 4}}}, {{1, 1, 0}, {2, 1, 255}, {3, 3, 255}}},
        {"covered twice is a hole",
         {{{0, 0}, {4, 0}, {4, 4}, {0, 4}}, {{1, 1}, {3, 1}, {3, 3}, {1, 3}}},
         {{0, 0, 255}, {2, 2, 0}, {3, 3, 255}}},
        {"unusable points are dropped", {{{0, 0}, {nan, 1}, {1e300, 2}, {4, 4}}}, {}},
        {"clip off the origin, reaching past its right",
         {{{3, 0}, {50, 0}, {50, 4}, {3, 4}}},
         {{2, 1, 0}, {3, 1, 255}, {5, 3, 255}},
         {2, 0, 6, 4}},
    };
    CoverageRaster raster;
    for (const Case& c : cases) {
        raster.Reset(c.Clip);
        const Grid g = Coverage(raster, c.Subpaths, [&](const auto& sink) { raster.Sweep(FillRule::EvenOdd, sink); });
        for (const Probe& p : c.Probes) EXPECT_EQ(g[p.Y][p.X], p.Cover) << c.Name << " at " << p.X << "," << p.Y;
    }
}

TEST(StrokeRaster, RoundCappedLineCoversHalfItsWidthEachSideWithAOnePixelRim) {
    StrokeRaster raster;
    raster.Reset(10, 10, 3.0);
    const Grid g = Coverage(raster, {{{2, 5}, {8, 5}}}, [&](const auto& sink) { raster.Sweep(sink); });
    EXPECT_EQ(g[5][5], 255);
    EXPECT_EQ(g[6][5], 128);  // pixel centre 1.5 from the line: half the rim
    EXPECT_EQ(g[2][5], 0);
    EXPECT_EQ(g[5][0], 107);  // the round cap: centre 1.58 from the end
    EXPECT_EQ(g[3][0], 0);    // a square cap would reach this corner
}
