// The player on movies the movie writer made from documents (what the canvas
// shows for each kind of path), and on hand-assembled movies for what the
// writer does not make: placement transforms and pictures.
#include <gtest/gtest.h>
#include <turbojpeg.h>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <set>

#include "core/DrawCore.h"
#include "edit/ShapeCreate.h"
#include "edit/TextCreate.h"
#include "swf/JpegImage.h"
#include "swf/Preview.h"
#include "swf/SwfPlayer.h"
#include "tests/TestPaths.h"
#include "tests/swf/TestMovie.h"

namespace {

struct Rgb {
    int R, G, B;
};
const Rgb White{255, 255, 255};

Rgb PixelAt(const QImage& image, int x, int y) {
    const QRgb p = image.pixel(x, y);
    return {qRed(p), qGreen(p), qBlue(p)};
}

// A straight-alpha colour composed over an opaque background.
Rgb Over(int r, int g, int b, int a, Rgb bg) {
    const auto ch = [a](int s, int d) { return (s * a + d * (255 - a) + 127) / 255; };
    return {ch(r, bg.R), ch(g, bg.G), ch(b, bg.B)};
}

::testing::AssertionResult Near(Rgb actual, Rgb expected, int tolerance = 1) {
    if (std::abs(actual.R - expected.R) <= tolerance && std::abs(actual.G - expected.G) <= tolerance &&
        std::abs(actual.B - expected.B) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel (" << actual.R << "," << actual.G << "," << actual.B << ") expected ("
                                         << expected.R << "," << expected.G << "," << expected.B << ") ±" << tolerance;
}

PathShape Polygon(std::vector<AnchorPoint> points, bool closed, int fillType, std::int32_t fill, int lineOn = 0,
                  int lineWidth = 20, std::int32_t line = PackColor(0, 0, 0, 255)) {
    PathShape p = MakePath(std::move(points), closed);
    p.FillType = static_cast<std::int16_t>(fillType);
    p.FillColor = fill;
    p.LineOn = static_cast<std::int16_t>(lineOn);
    p.LineWidth = lineWidth;
    p.LineColor = line;
    return p;
}

PathShape GradientBox(int fillType, std::int32_t c1, std::int32_t c2, float angle, float scale, int gx, int gy) {
    PathShape p = Box(0, 0, 6400, 6400, c1);
    p.FillType = static_cast<std::int16_t>(fillType);
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
    // Any bytes as the movie file, at quality "low".
    const QImage& ShowBytes(const std::string& movie) {
        player.Movie = QDir(dir.path()).filePath("movie.swf").toStdString();
        std::ofstream(player.Movie, std::ios::binary | std::ios::trunc) << movie;
        player.Quality2 = "low";
        return player.Render(320, 320);
    }
};

}  // namespace

TEST_F(DocumentPlayer, FilledSquareAndHalfTransparentFill) {
    doc.AppendPath(Box(1000, 1000, 3000, 3000, PackColor(255, 0, 0, 255)));
    doc.AppendPath(Box(4000, 1000, 6000, 3000, PackColor(0, 0, 255, 128)));
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

TEST_F(DocumentPlayer, SelfCrossingStarsFillByTheEvenOddRule) {
    // Star polygons {n/k} in one stroke: every pixel away from an edge is dark
    // exactly when a ray from it crosses the outline an odd number of times.
    doc.Setup.Quality = 2;
    for (auto [n, k] : {std::pair{5, 2}, {7, 3}, {101, 50}}) {
        std::vector<AnchorPoint> star;
        for (int i = 0; i < n; ++i) {
            const double a = -3.14159265358979 / 2 + 2 * 3.14159265358979 * (i * k % n) / n;
            star.push_back({static_cast<int>(std::lround(3200 + 3000 * std::cos(a))),
                            static_cast<int>(std::lround(3200 + 3000 * std::sin(a)))});
        }
        doc.ResetDocument();
        doc.AppendPath(Polygon(star, true, 1, PackColor(0, 0, 0, 255)));
        const QImage& img = Show();
        int checked = 0;
        for (int y = 3; y < 320; y += 7)
            for (int x = 3; x < 320; x += 7) {
                const double px = (x + 0.5) * 20, py = (y + 0.5) * 20;
                bool inside = false, nearEdge = false;
                for (int i = 0; i < n; ++i) {
                    const AnchorPoint& a = star[i];
                    const AnchorPoint& b = star[(i + 1) % n];
                    const double dx = b.X - a.X, dy = b.Y - a.Y;
                    const double t = std::clamp(((px - a.X) * dx + (py - a.Y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
                    nearEdge = nearEdge || std::hypot(a.X + t * dx - px, a.Y + t * dy - py) < 30;
                    if ((a.Y > py) != (b.Y > py) && px < a.X + (py - a.Y) / dy * dx) inside = !inside;
                }
                if (nearEdge) continue;
                ++checked;
                EXPECT_TRUE(Near(PixelAt(img, x, y), inside ? Over(0, 0, 0, 254, White) : White, 0))
                    << "{" << n << "/" << k << "} at " << x << "," << y;
            }
        EXPECT_GT(checked, 500) << n;
    }
}

TEST_F(DocumentPlayer, TextOutlinesShowWhereTheLetterIs) {
    DrawStyle style;
    style.CurLineOn = 0;
    style.CurFillType = 1;
    style.CurColors[1] = PackColor(0, 0, 0, 255);
    std::string error;
    ASSERT_EQ(CreateText(doc, 2000, 1000, style, U"L", TextFont{"DejaVu Sans"}, error), 1) << error;
    QRect box;  // the letter's anchors in pixels
    for (const AnchorPoint& a : doc.Paths[1].Anchors) box |= QRect(a.X / 20, a.Y / 20, 1, 1);
    const QImage& img = Show();
    int inside = 0, outside = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qGray(img.pixel(x, y)) < 128) ++(box.adjusted(-1, -1, 1, 1).contains(x, y) ? inside : outside);
    EXPECT_GT(inside, box.width() * box.height() / 5);
    EXPECT_EQ(outside, 0);
    // Upright, not mirrored: the stem on the left, the foot at the bottom, the top right open.
    EXPECT_LT(qGray(img.pixel(box.left() + 2, box.center().y())), 128);
    EXPECT_LT(qGray(img.pixel(box.right() - 2, box.bottom() - 2)), 128);
    EXPECT_EQ(qGray(img.pixel(box.right() - 2, box.top() + 2)), 255);
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
    PathShape p = Box(1000, 1000, 3000, 2000, PackColor(0, 0, 0, 255));
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
    doc.AppendPath(Box(2000, 2000, 6000, 4000, PackColor(10, 10, 200, 100)));
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
        doc.AppendPath(Box(20 * (width - 100), 0, 20 * (width - 50), 1000, PackColor(0, 0, 0, 255)));
        const QImage& img = Show(0.5f);
        ASSERT_EQ(img.width(), width / 2);
        EXPECT_TRUE(Near(PixelAt(img, width / 2 - 55, 10), White, 0)) << width;
        EXPECT_TRUE(Near(PixelAt(img, width / 2 - 40, 10), Over(0, 0, 0, 254, White))) << width;
        EXPECT_TRUE(Near(PixelAt(img, width / 2 - 20, 10), White, 0)) << width;
    }
}

TEST_F(DocumentPlayer, ViewportIsTheSamePixelsAsThatPartOfTheWholeStage) {
    PathShape p = Box(1000, 1000, 5000, 4000, PackColor(255, 0, 0, 255));
    p.FillType = 2;
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

TEST_F(DocumentPlayer, GradientsInterpolateStraightAlpha) {
    // Transparent white to opaque black: straight interpolation is mid grey at half opacity.
    doc.AppendPath(GradientBox(2, PackColor(255, 255, 255, 0), PackColor(0, 0, 0, 255), 0, 0.1f, 3200, 3200));
    doc.Setup.BackColor[0] = doc.Setup.BackColor[1] = doc.Setup.BackColor[2] = 0;
    EXPECT_TRUE(Near(PixelAt(Show(), 160, 160), Over(128, 128, 128, 127, {0, 0, 0}), 3));
}

TEST_F(DocumentPlayer, ParsesOnlyChangedFilesAndRedrawsOnlyWhenSomethingChanged) {
    for (int i = 0; i < 3; ++i)
        doc.AppendPath(Box(2000 * i, 0, 2000 * i + 1000, 1000, PackColor(i == 0 ? 255 : 0, i == 1 ? 255 : 0, i == 2 ? 255 : 0, 255)));
    Show();
    EXPECT_EQ(player.ParseCount(), 1u);
    EXPECT_EQ(player.RenderCount(), 1u);
    const std::size_t conversions = player.Stage().Layers().conversions();
    player.Render(320, 320);
    Show();  // the same bytes written again
    EXPECT_EQ(player.ParseCount(), 1u);
    EXPECT_EQ(player.RenderCount(), 1u);
    player.Render(640, 640);
    player.BackgroundColor = 0x102030;
    player.Render(640, 640);
    player.Quality2 = "best";
    player.Render(640, 640);
    EXPECT_EQ(player.ParseCount(), 1u);
    EXPECT_EQ(player.RenderCount(), 4u);
    EXPECT_EQ(player.Stage().Layers().conversions(), conversions);
    // One rectangle changes colour (same file size): only its layer is converted again.
    PathShape changed = doc.GetPath(2);
    changed.FillColor = PackColor(0, 255, 1, 255);
    doc.SetPath(2, changed);
    const QImage& img = Show(2.0f);
    EXPECT_EQ(player.ParseCount(), 2u);
    EXPECT_EQ(player.Stage().Layers().conversions(), conversions + 1);
    EXPECT_TRUE(Near(PixelAt(img, 250, 50), Over(0, 255, 1, 254, White), 1));
}

TEST_F(DocumentPlayer, MissingOrBrokenMovieShowsTheBackgroundAndSaysWhy) {
    player.BackgroundColor = 0xFF0000;
    player.Movie = "a";
    const QImage& img = player.Render(50, 40);
    EXPECT_EQ(img.size(), QSize(50, 40));
    EXPECT_TRUE(Near(PixelAt(img, 25, 20), {255, 0, 0}, 0));
    EXPECT_NE(player.Reason().find("cannot read"), std::string::npos);
    doc.AppendPath(Box(0, 0, 6400, 6400, PackColor(0, 0, 0, 255)));
    const std::string good = BuildPreviewMovie(mk, doc);
    EXPECT_TRUE(Near(PixelAt(ShowBytes(good.substr(0, good.size() - 20)), 25, 20), {255, 0, 0}, 0));
    EXPECT_NE(player.Reason().find("shorter than its header"), std::string::npos);
}

TEST_F(DocumentPlayer, EditingOnePathResumesFromTheLayersBelowIt) {
    for (int i = 0; i < 6; ++i)
        doc.AppendPath(Polygon({{300 * i, 300 * i}, {300 * i + 2000, 300 * i}, {300 * i + 2000, 300 * i + 2000},
                                {300 * i, 300 * i + 2000}},
                               true, 1, PackColor(40 * i, 0, 255 - 40 * i, 150), 1, 60));
    const auto green = [this](int g, float zoom = 1.0f) -> const QImage& {
        PathShape p = doc.GetPath(4);
        p.FillColor = PackColor(0, g, 0, 200);
        doc.SetPath(4, p);
        return Show(zoom);
    };
    doc.Setup.Quality = 2;
    green(10);
    EXPECT_EQ(player.Stage().ResumedAt(), 0u);
    // Layer 4 (after the empty initial layer) changes twice: drawn whole, the layers below kept.
    for (int g : {20, 30}) {
        green(g);
        EXPECT_EQ(player.Stage().ResumedAt(), 0u);
        EXPECT_EQ(player.Stage().LayersDrawn(), 7u);
    }
    for (int g : {40, 50}) {
        const QImage& img = green(g);
        EXPECT_EQ(player.Stage().ResumedAt(), 4u);
        EXPECT_EQ(player.Stage().LayersDrawn(), 3u);
        SwfPlayer fresh;
        fresh.Movie = player.Movie;
        fresh.Quality2 = "high";
        EXPECT_TRUE(fresh.Render(320, 320) == img) << g;
    }
    // Another size, or a change further down, draws from the background again.
    green(60, 0.9375f);
    EXPECT_EQ(player.Stage().ResumedAt(), 0u);
    for (int g : {70, 80, 90}) green(g, 0.9375f);
    EXPECT_EQ(player.Stage().ResumedAt(), 4u);
    PathShape below = doc.GetPath(1);
    below.FillColor = PackColor(1, 2, 3, 255);
    doc.SetPath(1, below);
    Show(0.9375f);
    EXPECT_EQ(player.Stage().ResumedAt(), 0u);
}

// Drag frames are laid together from cached layers; they stay within 2 per
// channel of a full render, and the frame after the release is exact.
TEST_F(DocumentPlayer, RealtimeDragFramesStayNearAFullRenderAndTheReleaseIsExact) {
    for (int i = 0; i < 24; ++i) {
        const int x = 400 + (i % 6) * 900, y = 400 + (i / 6) * 1300;
        PathShape p = Polygon({{x, y}, {x + 1800, y + 300, 1}, {x + 1500, y + 1700}, {x - 200, y + 1400}}, true,
                              1 + i % 4, PackColor(50 * (i % 5), 255 - 9 * i, 30 * (i % 7), 90 + 6 * i), i % 3, 20 + 30 * (i % 4));
        p.FillColor2 = PackColor(255 - 10 * i, 40, 10 * i, 200);
        FitGradientToPath(p);
        doc.AppendPath(p);
    }
    doc.Setup.Quality = 2;
    const auto compare = [this](const QImage& shown, int tolerance) {
        SwfPlayer fresh;
        fresh.Movie = player.Movie;
        fresh.Quality2 = "high";
        const QImage& full = fresh.Render(320, 320);
        int worst = 0;
        for (int y = 0; y < full.height(); ++y)
            for (int x = 0; x < full.width(); ++x) {
                const Rgb a = PixelAt(shown, x, y), b = PixelAt(full, x, y);
                worst = std::max({worst, std::abs(a.R - b.R), std::abs(a.G - b.G), std::abs(a.B - b.B)});
            }
        EXPECT_LE(worst, tolerance);
    };
    for (const std::vector<int>& moving : {std::vector<int>{12}, std::vector<int>{2, 7, 11, 16, 21, 24}}) {
        player.Realtime = true;
        for (int step = 1; step <= 5; ++step) {
            for (const int k : moving) {
                PathShape p = doc.GetPath(k);
                for (AnchorPoint& a : p.Anchors) a.X += 70, a.Y += 45 - 20 * step;
                doc.SetPath(k, p);
            }
            compare(Show(), 2);
        }
        EXPECT_TRUE(player.Stage().Approximate());
        player.Realtime = false;
        compare(player.Render(320, 320), 0);
    }
    EXPECT_GE(player.UpdateCount(), 8u);
}

using namespace testmovie;

TEST_F(DocumentPlayer, PlacementMatrixAndColourTransform) {
    testmovie::Records r;
    r.Rect(0, 0, 1000, 1000, testmovie::Fill{0, {100, 100, 100}});
    std::string m = Header(6400, 6400);
    Tag(m, 32, Shape3(1, 6400, 6400, r));
    Tag(m, 26, Place(1, 10, 2, 2, 0, 0, 2000, 1000, {512, 256, 0, 256}, {0, 10, 50, 0}));
    ShortTag(m, 1);
    const QImage& img = ShowBytes(Finish(m));
    EXPECT_TRUE(Near(PixelAt(img, 99, 49), White, 0));
    EXPECT_TRUE(Near(PixelAt(img, 100, 50), {200, 110, 50}, 0));
    EXPECT_TRUE(Near(PixelAt(img, 199, 149), {200, 110, 50}, 0));
    EXPECT_TRUE(Near(PixelAt(img, 200, 150), White, 0));
}

TEST_F(DocumentPlayer, JpegBitmapThroughAClippedBitmapFill) {
    // A 16 x 8 picture, left half red, right half blue.
    std::vector<std::uint8_t> rgb(16 * 8 * 3);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x) {
            std::uint8_t* p = &rgb[(y * 16 + x) * 3];
            p[0] = x < 8 ? 255 : 0;
            p[2] = x < 8 ? 0 : 255;
        }
    tjhandle tj = tjInitCompress();
    unsigned char* jpeg = nullptr;
    unsigned long jpegSize = 0;
    ASSERT_EQ(tjCompress2(tj, rgb.data(), 16, 0, 8, TJPF_RGB, &jpeg, &jpegSize, TJSAMP_444, 95, 0), 0);
    std::string m = Header(6400, 6400);
    BitString bits;
    U16(bits, 2);
    Bytes(bits, {0xFF, 0xD9, 0xFF, 0xD8});
    for (unsigned long i = 0; i < jpegSize; ++i) bits.append(jpeg[i], 8);
    // The same stream claiming 8000 x 8000 pixels is refused without decoding.
    std::vector<std::uint8_t> forged(jpeg, jpeg + jpegSize);
    for (std::size_t i = 0; i + 8 < forged.size(); ++i)
        if (forged[i] == 0xFF && forged[i + 1] == 0xC0) {
            forged[i + 5] = forged[i + 7] = 0x1F;
            forged[i + 6] = forged[i + 8] = 0x40;
            break;
        }
    std::string why;
    EXPECT_TRUE(DecodeJpeg(forged, why).isNull());
    EXPECT_NE(why.find("too large"), std::string::npos) << why;
    tjFree(jpeg);
    tjDestroy(tj);
    Tag(m, 21, bits);
    testmovie::Records r;
    r.Rect(0, 0, 320, 160, testmovie::Fill{0x41, {}, 20, 20, 0, 0, 0, 0, 2});
    Tag(m, 32, Shape3(3, 320, 160, r));
    Tag(m, 26, Place(3, 258, 10, 10, 0, 0, 200, 400, {256, 256, 256, 128}));
    ShortTag(m, 1);
    const QImage& img = ShowBytes(Finish(m));
    EXPECT_EQ(player.Reason(), "");
    // 16 px picture at 20 twips per pixel, scaled 10: 3200 x 1600 twips from (200, 400) = 160 x 80 px at (10, 20).
    EXPECT_TRUE(Near(PixelAt(img, 40, 60), Over(255, 0, 0, 127, White), 4));
    EXPECT_TRUE(Near(PixelAt(img, 140, 60), Over(0, 0, 255, 127, White), 4));
    EXPECT_TRUE(Near(PixelAt(img, 5, 60), White, 0));
    EXPECT_TRUE(Near(PixelAt(img, 40, 105), White, 0));
    // Not smoothed in a version-6 movie: the colour steps at the picture's middle.
    EXPECT_TRUE(Near(PixelAt(img, 89, 60), Over(255, 0, 0, 127, White), 8));
    EXPECT_TRUE(Near(PixelAt(img, 90, 60), Over(0, 0, 255, 127, White), 8));
}
