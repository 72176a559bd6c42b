// The player on movies the movie writer made from documents (what the canvas
// shows for each kind of path), and on a hand-assembled movie for what the
// writer does not make: placement transforms.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>

#include "core/DrawCore.h"
#include "edit/ShapeCreate.h"
#include "core/FileBytes.h"
#include "swf/MovieReader.h"
#include "swf/Preview.h"
#include "swf/StageRenderer.h"
#include "swf/SwfPlayer.h"
#include "tests/TestPaths.h"
#include "tests/swf/TestMovie.h"

namespace {

struct Rgb { int R, G, B; };
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

// The movie drawn whole on a side x side stage by a fresh renderer on `threads` threads.
QImage StageImage(const ParsedMovie& movie, int side, int threads, std::string& reason) {
    StageRenderer stage;
    StageOptions options;
    options.Width = options.Height = side;
    options.Threads = threads;
    QImage image;
    stage.Render(movie, options, image, reason);
    return image;
}

// The largest difference of any channel at any pixel of two images of one size.
int WorstDifference(const QImage& a, const QImage& b) {
    int worst = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const Rgb p = PixelAt(a, x, y), q = PixelAt(b, x, y);
            worst = std::max({worst, std::abs(p.R - q.R), std::abs(p.G - q.G), std::abs(p.B - q.B)});
        }
    return worst;
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

struct DocumentPlayer : ::testing::Test {
    QTemporaryDir dir;
    DrawCore doc;
    SWFMakeCore mk;
    SwfPlayer player;

    DocumentPlayer() {
        std::tie(doc.Setup.CanvasWidth, doc.Setup.CanvasHeight, doc.Setup.Quality) = std::tuple(320, 320, 0);
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
    // The movie file drawn whole at quality "high" by a player that has seen nothing before.
    QImage FreshRender() const {
        SwfPlayer fresh;
        fresh.Movie = player.Movie;
        fresh.Quality2 = "high";
        return fresh.Render(320, 320).copy();
    }
    // 24 overlapping quadrilaterals of every fill kind, some outlined (from
    // one-pixel lines up), `shift` twips right and down, at quality "high".
    void AppendOverlappingPaths(int shift = 0) {
        for (int i = 0; i < 24; ++i) {
            const int x = 400 + (i % 6) * 900 + shift, y = 400 + (i / 6) * 1300 + shift;
            PathShape p = Polygon({{x, y}, {x + 1800, y + 300, 1}, {x + 1500, y + 1700}, {x - 200, y + 1400}}, true,
                                  1 + i % 4, PackColor(50 * (i % 5), 255 - 9 * i, 30 * (i % 7), 90 + 6 * i), i % 3,
                                  20 + 30 * (i % 4));
            p.FillColor2 = PackColor(255 - 10 * i, 40, 10 * i, 200);
            FitGradientToPath(p);
            doc.AppendPath(p);
        }
        doc.Setup.Quality = 2;
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

TEST_F(DocumentPlayer, GradientsReachTheirEndsPadBeyondThemAndMixStraightAlpha) {
    // 0.1 of the 32768-twip gradient square: 164 px across, centred on the canvas.
    const std::int32_t red = PackColor(255, 0, 0, 255), blue = PackColor(0, 0, 255, 255);
    const Rgb r = Over(255, 0, 0, 254, White), b = Over(0, 0, 255, 254, White), g = Over(0, 255, 0, 254, White);
    const Rgb purple = Over(128, 0, 127, 254, White);
    struct Probe { int X, Y; Rgb Want; int Tolerance; };
    const struct { int FillType; std::int32_t C1, C2; float Angle; std::vector<Probe> Probes; } cases[] = {
        {2, red, blue, 0, {{78, 160, r, 3}, {242, 160, b, 3}, {310, 160, b, 1}, {160, 160, purple, 3}}},
        {2, red, blue, 90, {{160, 78, r, 3}, {160, 10, r, 1}, {160, 242, b, 3}, {160, 160, purple, 3}}},
        {4, PackColor(255, 255, 0, 255), blue, 0,  // radius 82 px
         {{160, 160, Over(255, 255, 0, 254, White), 4}, {241, 160, b, 5}, {160, 60, b, 1},
          {201, 160, Over(128, 128, 127, 254, White), 5}}},
        {3, red, PackColor(0, 255, 0, 255), 0, {{20, 160, r, 1}, {160, 160, g, 4}, {300, 160, r, 1}}},
        // Transparent white to opaque black: straight interpolation is mid grey at half opacity.
        {2, PackColor(255, 255, 255, 0), PackColor(0, 0, 0, 255), 0, {{160, 160, Over(128, 128, 128, 127, White), 3}}},
    };
    for (const auto& c : cases) {
        doc.ResetDocument();
        PathShape p = Box(0, 0, 6400, 6400, c.C1);
        p.FillType = static_cast<std::int16_t>(c.FillType);
        p.FillColor2 = c.C2;
        p.GradAngle = c.Angle;
        p.GradScale = 0.1f;
        p.GradX = p.GradY = 3200;
        doc.AppendPath(p);
        const QImage& img = Show();
        for (const Probe& q : c.Probes)
            EXPECT_TRUE(Near(PixelAt(img, q.X, q.Y), q.Want, q.Tolerance)) << c.FillType << " at " << q.X << "," << q.Y;
    }
}

TEST_F(DocumentPlayer, FillsLinesAndTransparencyOnTheBackgroundAtZoomOneAndTwo) {
    PathShape p = Box(1000, 1000, 3000, 2000, PackColor(0, 0, 0, 255));
    p.LineOn = 1;
    p.LineWidth = 100;  // 5 px at 100 %, centred on the edges at y = 50 and 100
    p.LineColor = PackColor(255, 0, 0, 255);
    doc.AppendPath(p);
    doc.AppendPath(Box(4000, 1000, 6000, 3000, PackColor(0, 0, 255, 128)));
    doc.AppendPath(Polygon({{1000, 3210}, {5000, 3210}}, false, 0, 0, 1, 0));  // a zero-width line
    doc.Setup.BackColor[0] = doc.Setup.BackColor[2] = 0;
    const Rgb green{0, 255, 0}, red = Over(255, 0, 0, 254, green), black = Over(0, 0, 0, 254, green);
    const Rgb blue = Over(0, 0, 255, 127, green);  // (128 * 255) >> 8 = 127
    for (int zoom : {1, 2}) {
        const QImage& img = Show(static_cast<float>(zoom));
        for (auto [y, want] : {std::pair{46, green}, {48, red}, {75, black}, {101, red}, {104, green}})
            EXPECT_TRUE(Near(PixelAt(img, 100 * zoom, y * zoom), want)) << zoom << " at " << y;
        for (auto [x, want] : {std::pair{199, green}, {200, blue}, {299, blue}, {300, green}})
            EXPECT_TRUE(Near(PixelAt(img, x * zoom, 100 * zoom), want)) << zoom << " at " << x;
        int line = 0;  // still one pixel wide
        for (int y = 0; y < img.height(); ++y) line += PixelAt(img, 175 * zoom, y).G < 128;
        EXPECT_EQ(line, 1) << zoom;
    }
}

TEST_F(DocumentPlayer, CanvasBeyondTheSixteenBitFrameFieldsStillShowsTheDrawing) {
    // 1638 px = 32760 twips fits 16-bit frame fields; wider canvases widen them.
    for (int width : {1638, 2000, 3300}) {
        doc.ResetDocument();
        std::tie(doc.Setup.CanvasWidth, doc.Setup.CanvasHeight) = std::tuple(width, 50);
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
        // Gradient colours may round one step apart where the sampling grid moved.
        EXPECT_LE(WorstDifference(cropped, whole.copy(part)), 1) << "quality " << quality;
        EXPECT_EQ(player.Render(960, 960).size(), QSize(960, 960));
    }
}

TEST_F(DocumentPlayer, ParsesOnlyChangedFilesAndRedrawsOnlyWhenSomethingChanged) {
    for (int i = 0; i < 3; ++i)
        doc.AppendPath(Box(2000 * i, 0, 2000 * i + 1000, 1000, PackColor(i == 0 ? 255 : 0, i == 1 ? 255 : 0, i == 2 ? 255 : 0, 255)));
    Show();
    EXPECT_EQ(std::make_tuple(player.ParseCount(), player.RenderCount()), std::make_tuple(1u, 1u));
    const std::size_t conversions = player.Stage().Layers().conversions();
    player.Render(320, 320);
    Show();  // the same bytes written again
    EXPECT_EQ(std::make_tuple(player.ParseCount(), player.RenderCount()), std::make_tuple(1u, 1u));
    player.Render(640, 640);
    player.BackgroundColor = 0x102030;
    player.Render(640, 640);
    player.Quality2 = "best";
    player.Render(640, 640);
    EXPECT_EQ(std::make_tuple(player.ParseCount(), player.RenderCount()), std::make_tuple(1u, 4u));
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
    // A movie the reader refuses shows the background as well, with the reader's reason.
    EXPECT_TRUE(Near(PixelAt(ShowBytes("FWS"), 25, 20), {255, 0, 0}, 0));
    EXPECT_NE(player.Reason().find("too short"), std::string::npos);
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
        EXPECT_EQ(std::make_tuple(player.Stage().ResumedAt(), player.Stage().LayersDrawn()), std::make_tuple(0u, 7u));
    }
    for (int g : {40, 50}) {
        const QImage& img = green(g);
        EXPECT_EQ(std::make_tuple(player.Stage().ResumedAt(), player.Stage().LayersDrawn()), std::make_tuple(4u, 3u));
        EXPECT_TRUE(FreshRender() == img) << g;
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
    AppendOverlappingPaths();
    for (const std::vector<int>& moving : {std::vector<int>{12}, std::vector<int>{2, 7, 11, 16, 21, 24}}) {
        player.Realtime = true;
        for (int step = 1; step <= 5; ++step) {
            for (const int k : moving) {
                PathShape p = doc.GetPath(k);
                for (AnchorPoint& a : p.Anchors) a.X += 70, a.Y += 45 - 20 * step;
                doc.SetPath(k, p);
            }
            const QImage& shown = Show();
            EXPECT_LE(WorstDifference(shown, FreshRender()), 2) << step;
        }
        EXPECT_TRUE(player.Stage().Approximate());
        player.Realtime = false;
        EXPECT_TRUE(player.Render(320, 320) == FreshRender());
    }
    EXPECT_GE(player.UpdateCount(), 8u);
}

// A large image is drawn in bands on several threads, and a movie's many new
// layers are converted side by side; the bands meet without a seam, so it is
// the single thread's image to the bit. The last set repeats the first, so
// that bands share layers.
TEST_F(DocumentPlayer, BandsDrawnOnSeveralThreadsAreTheSingleThreadsImage) {
    for (const int shift : {0, 97, 194, 291, 0}) AppendOverlappingPaths(shift);
    Show();
    std::string bytes, reason;
    ASSERT_TRUE(ReadFileBytes(doc.TempMoviePath, bytes));
    const ParsedMovie movie = ReadMovie(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    for (const int side : {320, 800}) {  // one-pixel lines through QPainter, and wider ones
        const QImage one = StageImage(movie, side, 1, reason);
        EXPECT_TRUE(one == StageImage(movie, side, 3, reason)) << side << " px";
    }
    EXPECT_EQ(reason, "");
}

using namespace testmovie;

// A placement that stretches one way more than the other widens a line
// beyond its width at the mean scale: the band above it still draws it.
TEST(StagePlayer, StretchedLinesReachIntoTheNeighbouringBand) {
    Records r;
    r.NewStyles({}, {Line{4000, {0, 0, 0}}});
    r.Change(0, 3000, -1, -1, 1);
    r.Straight(6400, 0);
    std::string m = Header(6400, 6400);
    Tag(m, 32, Shape3(1, 6400, 6400, r));
    // y scaled by 0.05: the line's centre 8 rows below the band border at 64.
    Tag(m, 26, Place(1, 10, 1, 0.05, 0, 0, 0, 2250));
    ShortTag(m, 1);
    const ParsedMovie movie = Read(Finish(m));
    std::string reason;
    const QImage bands = StageImage(movie, 192, 3, reason);
    EXPECT_TRUE(bands == StageImage(movie, 192, 1, reason));
    EXPECT_LT(PixelAt(bands, 96, 62).R, 8);  // black
    EXPECT_EQ(reason, "");
}

TEST_F(DocumentPlayer, PlacementMatrixAndColourTransform) {
    testmovie::Records r;
    r.Rect(0, 0, 1000, 1000, testmovie::Fill{0, {200, 100, 100}});
    std::string m = Header(6400, 6400);
    Tag(m, 32, Shape3(1, 6400, 6400, r));
    // 8.8 multipliers and added terms, each channel clamped to 0..255.
    Tag(m, 26, Place(1, 10, 2, 2, 0, 0, 2000, 1000, {512, 256, 128, 256}, {0, 10, -80, 0}));
    ShortTag(m, 1);
    const QImage& img = ShowBytes(Finish(m));
    EXPECT_TRUE(Near(PixelAt(img, 99, 49), White, 0));
    EXPECT_TRUE(Near(PixelAt(img, 100, 50), {255, 110, 0}, 0));
    EXPECT_TRUE(Near(PixelAt(img, 199, 149), {255, 110, 0}, 0));
    EXPECT_TRUE(Near(PixelAt(img, 200, 150), White, 0));
}
