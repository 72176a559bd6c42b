// The player on movies made by the movie writer from documents: what the
// canvas shows for each kind of path.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "core/DrawCore.h"
#include "swf/Preview.h"
#include "swf/SwfPlayer.h"
#include "tests/swf/PlayerTestUtil.h"

namespace {

const Rgb White{255, 255, 255};

PathShape Polygon(std::vector<std::pair<int, int>> points, bool closed, int fillType, std::int32_t fill,
                  int lineOn = 0, int lineWidth = 20, std::int32_t line = PackColor(0, 0, 0, 255)) {
    PathShape p;
    for (auto [x, y] : points) p.Anchors.push_back({x, y, 0});
    p.AnchorMax = static_cast<std::int32_t>(p.Anchors.size()) - 1;
    p.Closed = closed ? VbTrue : VbFalse;
    p.FillType = static_cast<std::int16_t>(fillType);
    p.FillColor = fill;
    p.LineOn = static_cast<std::int16_t>(lineOn);
    p.LineWidth = lineWidth;
    p.LineColor = line;
    return p;
}

PathShape Box(int x0, int y0, int x1, int y1, int fillType, std::int32_t fill) {
    return Polygon({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}, true, fillType, fill);
}

PathShape GradientBox(int fillType, std::int32_t c1, std::int32_t c2, float angle, float scale, int gx, int gy) {
    PathShape p = Box(0, 0, 6400, 6400, fillType, c1);
    p.FillColor2 = c2;
    p.GradAngle = angle;
    p.GradScale = scale;
    p.GradX = gx;
    p.GradY = gy;
    return p;
}

struct DocumentPlayer : ::testing::Test {
    QTemporaryDir dir;
    DrawCore doc;
    SWFMakeCore mk;
    SwfPlayer player;

    DocumentPlayer() {
        doc.Setup.CanvasWidth = 320;
        doc.Setup.CanvasHeight = 320;
        doc.Setup.Quality = 0;
        doc.TempMoviePath = QDir(dir.path()).filePath("_canvtemp.tmp").toStdString();
    }
    // The canvas road: rebuild the movie file, hand it with the properties to the player.
    const QImage& Show(float zoom = 1.0f) {
        std::string error;
        EXPECT_TRUE(RebuildPreview(mk, doc, error)) << error;
        player.Movie = doc.TempMoviePath;
        player.BackgroundColor = mk.BackgroundColor;
        player.Quality2 = mk.Quality2;
        const QImage& img = player.Render(static_cast<int>(zoom * doc.Setup.CanvasWidth),
                                          static_cast<int>(zoom * doc.Setup.CanvasHeight));
        EXPECT_EQ(player.Reason(), "");
        return img;
    }
};

}  // namespace

TEST_F(DocumentPlayer, FilledSquareAndHalfTransparentFill) {
    doc.AppendPath(Box(1000, 1000, 3000, 3000, 1, PackColor(255, 0, 0, 255)));
    doc.AppendPath(Box(4000, 1000, 6000, 3000, 1, PackColor(0, 0, 255, 128)));
    doc.Setup.BackColor[0] = 0;
    doc.Setup.BackColor[1] = 255;
    doc.Setup.BackColor[2] = 0;
    const QImage& img = Show();
    const Rgb green{0, 255, 0};
    EXPECT_TRUE(Near(PixelAt(img, 5, 5), green, 0));
    EXPECT_TRUE(Near(PixelAt(img, 49, 100), green, 0));
    EXPECT_TRUE(Near(PixelAt(img, 50, 100), {254, 1, 0}, 0));  // opaque red at 254/255
    EXPECT_TRUE(Near(PixelAt(img, 149, 149), {254, 1, 0}, 0));
    EXPECT_TRUE(Near(PixelAt(img, 150, 150), green, 0));
    EXPECT_TRUE(Near(PixelAt(img, 250, 100), Over(0, 0, 255, 127, green)));  // (128*255)>>8 = 127
}

TEST_F(DocumentPlayer, SelfIntersectingPathHasAnEvenOddHole) {
    // A five-pointed star drawn in one stroke: its centre pentagon is covered twice.
    std::vector<std::pair<int, int>> star;
    for (int i = 0; i < 5; ++i) {
        const double a = -3.14159265358979 / 2 + i * 4 * 3.14159265358979 / 5;
        star.push_back({static_cast<int>(std::lround(3200 + 3000 * std::cos(a))),
                        static_cast<int>(std::lround(3200 + 3000 * std::sin(a)))});
    }
    doc.AppendPath(Polygon(star, true, 1, PackColor(0, 0, 0, 255)));
    const QImage& img = Show();
    EXPECT_TRUE(Near(PixelAt(img, 160, 160), White, 0));
    EXPECT_TRUE(Near(PixelAt(img, 160, 20), Over(0, 0, 0, 254, White)));  // the top point
}

TEST_F(DocumentPlayer, OpenPathShowsNoFillEvenWithAGradientFillType) {
    doc.AppendPath(Polygon({{1000, 1000}, {5000, 1000}, {5000, 5000}}, false, 2, PackColor(255, 0, 0, 255), 0));
    const QImage& img = Show();
    EXPECT_TRUE(Near(PixelAt(img, 200, 100), White, 0));  // inside the triangle it would close
    EXPECT_TRUE(Near(PixelAt(img, 150, 50), Over(0, 0, 0, 254, White)));  // its line is drawn
}

TEST_F(DocumentPlayer, ZeroWidthLineIsStillOnePixelWide) {
    doc.AppendPath(Polygon({{1000, 3210}, {5000, 3210}}, false, 0, 0, 1, 0));
    const QImage& img = Show();
    int dark = 0;
    for (int y = 0; y < img.height(); ++y)
        if (PixelAt(img, 150, y).R < 128) ++dark;
    EXPECT_EQ(dark, 1);
}

TEST_F(DocumentPlayer, LinearGradientEndsAndMiddleAtAngles0And90) {
    const std::int32_t red = PackColor(255, 0, 0, 255), blue = PackColor(0, 0, 255, 255);
    for (float angle : {0.0f, 90.0f}) {
        doc.ResetDocument();
        doc.AppendPath(GradientBox(2, red, blue, angle, 0.1f, 3200, 3200));  // 3277 twips wide, centred
        const QImage& img = Show();
        const auto at = [&](int along) { return angle == 0 ? PixelAt(img, along, 160) : PixelAt(img, 160, along); };
        EXPECT_TRUE(Near(at(78), Over(255, 0, 0, 254, White), 3)) << angle;   // start of the square
        EXPECT_TRUE(Near(at(10), Over(255, 0, 0, 254, White))) << angle;      // padded before it
        EXPECT_TRUE(Near(at(242), Over(0, 0, 255, 254, White), 3)) << angle;  // end of the square
        EXPECT_TRUE(Near(at(310), Over(0, 0, 255, 254, White))) << angle;
        EXPECT_TRUE(Near(at(160), Over(128, 0, 127, 254, White), 3)) << angle;
    }
}

TEST_F(DocumentPlayer, RadialGradientCentreAndRim) {
    doc.AppendPath(GradientBox(4, PackColor(255, 255, 0, 255), PackColor(0, 0, 255, 255), 0, 0.1f, 3200, 3200));
    const QImage& img = Show();
    EXPECT_TRUE(Near(PixelAt(img, 160, 160), Over(255, 255, 0, 254, White), 4));
    // Radius 1638 twips = 82 px.
    EXPECT_TRUE(Near(PixelAt(img, 160 + 81, 160), Over(0, 0, 255, 254, White), 5));
    EXPECT_TRUE(Near(PixelAt(img, 160, 160 - 100), Over(0, 0, 255, 254, White)));
    EXPECT_TRUE(Near(PixelAt(img, 160 + 41, 160), Over(128, 128, 127, 254, White), 5));
}

TEST_F(DocumentPlayer, ThreeStopGradientRepeatsItsFirstColour) {
    doc.AppendPath(GradientBox(3, PackColor(255, 0, 0, 255), PackColor(0, 255, 0, 255), 0, 0.1f, 3200, 3200));
    const QImage& img = Show();
    EXPECT_TRUE(Near(PixelAt(img, 20, 160), Over(255, 0, 0, 254, White)));
    EXPECT_TRUE(Near(PixelAt(img, 160, 160), Over(0, 255, 0, 254, White), 4));
    EXPECT_TRUE(Near(PixelAt(img, 300, 160), Over(255, 0, 0, 254, White)));
}

TEST_F(DocumentPlayer, ZoomTwoDoublesTheGeometry) {
    PathShape p = Box(1000, 1000, 3000, 2000, 1, PackColor(0, 0, 0, 255));
    p.LineOn = 1;
    p.LineWidth = 100;  // 5 px at 100 %
    p.LineColor = PackColor(255, 0, 0, 255);
    doc.AppendPath(p);
    for (int zoom : {1, 2}) {
        const QImage& img = Show(static_cast<float>(zoom));
        ASSERT_EQ(img.width(), 320 * zoom);
        // Column through the box: white, line, black inside, line, white.
        const int x = 100 * zoom;
        int firstRed = -1, firstBlack = -1, lastBlack = -1, lastRed = -1;
        for (int y = 0; y < img.height(); ++y) {
            const Rgb c = PixelAt(img, x, y);
            if (c.R > 200 && c.G < 50) {
                if (firstRed < 0) firstRed = y;
                lastRed = y;
            }
            if (c.R < 50) {
                if (firstBlack < 0) firstBlack = y;
                lastBlack = y;
            }
        }
        EXPECT_NEAR(firstRed, 47.5 * zoom, 1) << zoom;
        EXPECT_NEAR(firstBlack, 52.5 * zoom, 1) << zoom;
        EXPECT_NEAR(lastBlack, 97.5 * zoom, 1) << zoom;
        EXPECT_NEAR(lastRed, 102.5 * zoom, 1) << zoom;
    }
}

TEST_F(DocumentPlayer, LowQualityGivesOnlyTheMovieColours) {
    doc.AppendPath(Polygon({{500, 700}, {5200, 1300}, {3000, 5900}}, true, 1, PackColor(30, 160, 90, 255), 1, 60,
                           PackColor(200, 20, 20, 180)));
    doc.AppendPath(Box(2000, 2000, 6000, 4000, 1, PackColor(10, 10, 200, 100)));
    const auto colours = [](const QImage& img) {
        std::set<QRgb> set;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) set.insert(img.pixel(x, y));
        return set;
    };
    const Rgb fill = Over(30, 160, 90, 254, White);
    std::vector<Rgb> allowed = {White, fill};
    for (Rgb under : std::vector<Rgb>{White, fill}) allowed.push_back(Over(200, 20, 20, 179, under));
    for (std::size_t n = allowed.size(), i = 0; i < n; ++i) allowed.push_back(Over(10, 10, 200, 99, allowed[i]));
    const std::set<QRgb> low = colours(Show());
    EXPECT_GE(low.size(), 5u);
    for (QRgb c : low) {
        const Rgb rgb{qRed(c), qGreen(c), qBlue(c)};
        EXPECT_TRUE(std::any_of(allowed.begin(), allowed.end(), [&](Rgb a) { return bool(Near(rgb, a)); }))
            << std::hex << c;
    }
    doc.Setup.Quality = 2;
    EXPECT_GT(colours(Show()).size(), 20u);
}

TEST_F(DocumentPlayer, CanvasBeyondTheSixteenBitFrameFieldsStillShowsTheDrawing) {
    // 2000 px = 40000 twips wraps to a negative frame width, 3300 px = 66000 to a tiny one.
    for (int width : {2000, 3300}) {
        doc.ResetDocument();
        doc.Setup.CanvasWidth = width;
        doc.Setup.CanvasHeight = 50;
        doc.AppendPath(Box(20 * (width - 100), 0, 20 * (width - 50), 1000, 1, PackColor(0, 0, 0, 255)));
        const QImage& img = Show(0.5f);
        ASSERT_EQ(img.width(), width / 2);
        EXPECT_TRUE(Near(PixelAt(img, width / 2 - 55, 10), White, 0)) << width;
        EXPECT_TRUE(Near(PixelAt(img, width / 2 - 40, 10), Over(0, 0, 0, 254, White))) << width;
        EXPECT_TRUE(Near(PixelAt(img, width / 2 - 20, 10), White, 0)) << width;
    }
}

TEST_F(DocumentPlayer, ViewportIsTheSamePixelsAsThatPartOfTheWholeStage) {
    PathShape p = Box(1000, 1000, 5000, 4000, 2, PackColor(255, 0, 0, 255));
    p.FillColor2 = PackColor(0, 0, 255, 200);
    p.LineOn = 1;
    p.LineWidth = 60;
    doc.AppendPath(p);
    doc.AppendPath(Polygon({{200, 6000}, {6000, 300}, {6200, 6200}}, true, 1, PackColor(0, 200, 0, 128), 1));
    for (int quality : {0, 2}) {
        doc.Setup.Quality = static_cast<std::int16_t>(quality);
        const QImage whole = Show(3.0f).copy();
        const QRect part(317, 205, 301, 250);
        const QImage cropped = player.Render(960, 960, part);
        ASSERT_EQ(cropped.size(), part.size());
        const QImage expected = whole.copy(part);
        int differing = 0, worst = 0;
        for (int y = 0; y < part.height(); ++y)
            for (int x = 0; x < part.width(); ++x) {
                const QRgb a = cropped.pixel(x, y), b = expected.pixel(x, y);
                const int d = std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                        std::abs(qBlue(a) - qBlue(b))});
                differing += d > 0;
                worst = std::max(worst, d);
            }
        // Gradient colours may round one step apart where the sampling grid moved.
        EXPECT_LE(worst, 1) << "quality " << quality << ", " << differing << " pixels differ";
        EXPECT_EQ(player.Render(960, 960).size(), QSize(960, 960));
    }
}
