// The rasterisers' coverage against areas worked out by hand, and the
// gradient fill's colours against QPainter's drawing of the same gradient.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <limits>
#include <vector>

#include "swf/CoverageFill.h"
#include "swf/CoverageRaster.h"
#include "swf/StrokeRaster.h"
#include "swf/TagCodes.h"

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
        {"a fill of no width covers nothing", {{{2, 0}, {2, 3}}}, {{1, 1, 0}, {2, 1, 0}}},
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

// Pad spread around a gradient square of 80 pixels, placed off the pixel
// grid, rotated and sheared, with stops out of order and on one position.
TEST(GradientFill, ColoursStayWithinOneLevelOfQPainters) {
    const SwfColor red{255, 0, 0, 255}, blue{0, 0, 255, 255}, clear{0, 255, 0, 0}, half{20, 200, 90, 128};
    struct Case {
        const char* Name;
        std::uint8_t Type;
        std::vector<SwfGradientStop> Stops;
        double Focal = 0;
    } cases[] = {
        {"linear", FillLinearGradient, {{0, red}, {255, blue}}},
        {"linear, three stops, to transparent", FillLinearGradient, {{0, red}, {128, half}, {255, clear}}},
        {"linear, stops inside, out of order", FillLinearGradient, {{200, blue}, {40, half}}},
        {"radial", FillRadialGradient, {{0, half}, {255, red}}},
        {"radial, three stops, one position twice", FillRadialGradient, {{0, blue}, {128, red}, {128, half}, {255, clear}}},
        {"focal", FillFocalGradient, {{0, red}, {255, blue}}, 0.6},
        {"focal, behind the centre", FillFocalGradient, {{0, half}, {90, blue}, {255, red}}, -0.9},
    };
    const QTransform toDevice = QTransform(0.05, 0.01, -0.02, 0.04, 60.3, 50.7);  // twips to pixels
    for (const Case& c : cases) {
        FillStyle fill;
        fill.Type = c.Type;
        fill.Stops = c.Stops;
        fill.Focal = c.Focal;
        fill.Matrix = {0.03, 0.025, 0.01, -0.02, 40, -30};
        const SwfColorTransform cx;
        const std::optional<GradientShade> shade = GradientShade::Of(fill, cx, toDevice);
        ASSERT_TRUE(shade) << c.Name;
        QImage ours(120, 100, QImage::Format_ARGB32_Premultiplied), qt = ours;
        ours.fill(Qt::transparent);
        qt.fill(Qt::transparent);
        CoverageRaster raster;
        raster.Reset(ours.width(), ours.height());
        raster.MoveTo(0, 0);
        raster.LineTo(ours.width(), 0);
        raster.LineTo(ours.width(), ours.height());
        raster.LineTo(0, ours.height());
        FillGradient(raster, FillRule::EvenOdd, ours, *shade);
        QPainter painter(&qt);
        QBrush brush = GradientBrush(fill, cx);
        brush.setTransform(brush.transform() * toDevice);
        painter.fillRect(qt.rect(), brush);
        painter.end();
        // The premultiplied bytes, as they are composed further.
        int worst = 0;
        for (int y = 0; y < ours.height(); ++y)
            for (int i = 0; i < ours.width() * 4; ++i)
                worst = std::max(worst, std::abs(ours.constScanLine(y)[i] - qt.constScanLine(y)[i]));
        EXPECT_LE(worst, 1) << c.Name;
    }
}
