#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include <turbojpeg.h>

#include "swf/SwfPlayer.h"
#include "tests/swf/PlayerTestUtil.h"
#include "tests/swf/TestMovie.h"

using namespace testmovie;

namespace {

const Rgb White{255, 255, 255};

void AddRect(Records& r, int x0, int y0, int x1, int y1, const Fill& fill, int line = 0, int lineWidth = 20) {
    r.NewStyles({fill}, line ? std::vector<Line>{Line{lineWidth, {0, 0, 0}}} : std::vector<Line>{});
    r.Change(x0, y0, 1, -1, line ? 1 : -1);
    r.Straight(x1 - x0, 0);
    r.Straight(0, y1 - y0);
    r.Straight(x0 - x1, 0);
    r.Straight(0, y0 - y1);
}

Fill Solid(int r, int g, int b, int a = 255) { return Fill{0, {r, g, b, a}}; }

Fill Gradient(int type, std::vector<Stop> stops, double scale, double angleDeg, int tx, int ty) {
    Fill f{type};
    const double t = angleDeg * 3.14159265358979 / 180;
    f.Stops = std::move(stops);
    f.Sx = scale * std::cos(t);
    f.Sy = scale * std::cos(t);
    f.R0 = scale * std::sin(t);
    f.R1 = -scale * std::sin(t);
    f.Tx = tx;
    f.Ty = ty;
    return f;
}

struct PlayerFixture : ::testing::Test {
    QTemporaryDir dir;
    SwfPlayer player;
    PlayerFixture() { player.Quality2 = "low"; }
    const QImage& Show(const std::string& movie, int w = 320, int h = 320) {
        player.Movie = WriteTempFile(dir, "movie.swf", movie);
        return player.Render(w, h);
    }
};

}  // namespace

TEST_F(PlayerFixture, DrawsFillsAtMovieOpacityOverTheBackground) {
    Records r;
    AddRect(r, 1000, 1000, 3000, 3000, Solid(255, 0, 0));
    AddRect(r, 4000, 1000, 6000, 3000, Solid(0, 0, 255, 128));
    player.BackgroundColor = 0x00FF00;
    const QImage& img = Show(OneShapeMovie(6400, 6400, r));
    EXPECT_EQ(player.Reason(), "");
    EXPECT_TRUE(Near(PixelAt(img, 10, 10), {0, 255, 0}, 0));
    // Alpha multiplier 255 leaves an opaque colour 254/255 opaque.
    EXPECT_TRUE(Near(PixelAt(img, 100, 100), Over(255, 0, 0, 254, {0, 255, 0})));
    EXPECT_TRUE(Near(PixelAt(img, 100, 100), {254, 1, 0}, 0));
    EXPECT_TRUE(Near(PixelAt(img, 250, 100), Over(0, 0, 255, 127, {0, 255, 0})));
    // Edges: 1000 twips = pixel 50.
    EXPECT_TRUE(Near(PixelAt(img, 49, 100), {0, 255, 0}, 0));
    EXPECT_TRUE(Near(PixelAt(img, 50, 100), {254, 1, 0}, 0));
    EXPECT_TRUE(Near(PixelAt(img, 149, 100), {254, 1, 0}, 0));
    EXPECT_TRUE(Near(PixelAt(img, 150, 100), {0, 255, 0}, 0));
}

TEST_F(PlayerFixture, SelfIntersectingContourLeavesAnEvenOddHole) {
    Records r;
    r.NewStyles({Solid(0, 0, 0)}, {});
    r.Change(0, 0, 1, -1, -1);
    for (auto [dx, dy] : {std::pair{3000, 0}, {0, 3000}, {-3000, 0}, {0, -3000}, {1000, 1000}, {1000, 0}, {0, 1000},
                          {-1000, 0}, {0, -1000}, {-1000, -1000}})
        r.Straight(dx, dy);
    const QImage& img = Show(OneShapeMovie(6400, 6400, r));
    EXPECT_TRUE(Near(PixelAt(img, 20, 20), Over(0, 0, 0, 254, White)));
    EXPECT_TRUE(Near(PixelAt(img, 75, 75), White, 0));
}

TEST_F(PlayerFixture, HairlineIsOneDevicePixelWide) {
    Records r;
    r.NewStyles({}, {Line{0, {0, 0, 0}}}, 0, 1);
    r.Change(1000, 3210, -1, -1, 1);
    r.Straight(4000, 0);
    const QImage& img = Show(OneShapeMovie(6400, 6400, r));
    int dark = 0;
    for (int y = 0; y < img.height(); ++y)
        if (PixelAt(img, 150, y).R < 128) ++dark;
    EXPECT_EQ(dark, 1);
    // Thick lines scale with the stage: 200 twips = 10 px at 100 %, 20 px at 200 %.
    Records thick;
    thick.NewStyles({}, {Line{200, {0, 0, 0}}}, 0, 1);
    thick.Change(1000, 3200, -1, -1, 1);
    thick.Straight(4000, 0);
    for (int zoom : {1, 2}) {
        const QImage& t = Show(OneShapeMovie(6400, 6400, thick), 320 * zoom, 320 * zoom);
        int n = 0;
        for (int y = 0; y < t.height(); ++y)
            if (PixelAt(t, 150 * zoom, y).R < 128) ++n;
        EXPECT_EQ(n, 10 * zoom);
    }
}

TEST_F(PlayerFixture, LinearGradientsPadAndInterpolateAlongTheirAngle) {
    const std::vector<Stop> stops{{0, {255, 0, 0}}, {255, {0, 0, 255}}};
    for (double angle : {0.0, 90.0}) {
        Records r;
        AddRect(r, 0, 0, 6400, 6400, Gradient(0x10, stops, 0.1, angle, 3200, 3200));
        const QImage& img = Show(OneShapeMovie(6400, 6400, r));
        const auto at = [&](int along) { return angle == 0 ? PixelAt(img, along, 160) : PixelAt(img, 160, along); };
        EXPECT_TRUE(Near(at(20), Over(255, 0, 0, 254, White))) << angle;
        EXPECT_TRUE(Near(at(300), Over(0, 0, 255, 254, White))) << angle;
        EXPECT_TRUE(Near(at(160), Over(128, 0, 128, 254, White), 3)) << angle;
    }
}

TEST_F(PlayerFixture, GradientsInterpolateStraightAlpha) {
    // Transparent white to opaque black: straight interpolation is mid grey at half opacity.
    Records r;
    AddRect(r, 0, 0, 6400, 6400, Gradient(0x10, {{0, {255, 255, 255, 0}}, {255, {0, 0, 0, 255}}}, 0.1, 0, 3200, 3200));
    player.BackgroundColor = 0x000000;
    const QImage& img = Show(OneShapeMovie(6400, 6400, r, 256));
    EXPECT_TRUE(Near(PixelAt(img, 160, 160), Over(128, 128, 128, 128, {0, 0, 0}), 3));
}

TEST_F(PlayerFixture, RadialAndThreeStopGradients) {
    Records r;
    AddRect(r, 0, 0, 3200, 6400, Gradient(0x12, {{0, {255, 255, 0}}, {255, {0, 0, 255}}}, 0.05, 0, 1600, 3200));
    AddRect(r, 3200, 0, 6400, 6400,
            Gradient(0x10, {{0, {255, 0, 0}}, {128, {0, 255, 0}}, {255, {255, 0, 0}}}, 0.05, 0, 4800, 3200));
    const QImage& img = Show(OneShapeMovie(6400, 6400, r));
    EXPECT_TRUE(Near(PixelAt(img, 80, 160), Over(255, 255, 0, 254, White), 5));  // centre (pixel centre 0.7 px off)
    EXPECT_TRUE(Near(PixelAt(img, 80, 10), Over(0, 0, 255, 254, White)));         // beyond the rim
    EXPECT_TRUE(Near(PixelAt(img, 80 + 40, 160), Over(0, 0, 255, 254, White), 3));  // radius 819 twips = 41 px
    EXPECT_TRUE(Near(PixelAt(img, 240, 160), Over(0, 255, 0, 254, White), 3));
    EXPECT_TRUE(Near(PixelAt(img, 165, 160), Over(255, 0, 0, 254, White)));
    EXPECT_TRUE(Near(PixelAt(img, 315, 160), Over(255, 0, 0, 254, White)));
}

TEST_F(PlayerFixture, LowQualityShowsOnlyTheMovieColours) {
    Records r;
    r.NewStyles({Solid(200, 30, 30)}, {Line{45, {10, 10, 120, 200}}});
    r.Change(700, 900, 1, -1, 1);
    r.Curve(2000, -800, 1500, 2500);
    r.Straight(-1800, 1200);
    r.Straight(-1700, -2900);
    const std::string movie = OneShapeMovie(6400, 6400, r);
    const auto colours = [](const QImage& img) {
        std::set<QRgb> set;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) set.insert(img.pixel(x, y));
        return set;
    };
    const Rgb fill = Over(200, 30, 30, 254, White);
    const Rgb lineOnWhite = Over(10, 10, 120, 199, White), lineOnFill = Over(10, 10, 120, 199, fill);
    const std::set<QRgb> low = colours(Show(movie));
    const std::vector<Rgb> allowed = {White, fill, lineOnWhite, lineOnFill};
    for (QRgb c : low) {
        const Rgb rgb{qRed(c), qGreen(c), qBlue(c)};
        EXPECT_TRUE(std::any_of(allowed.begin(), allowed.end(), [&](Rgb a) { return bool(Near(rgb, a)); }))
            << std::hex << c;
    }
    EXPECT_GE(low.size(), 3u);
    player.Quality2 = "high";
    EXPECT_GT(colours(player.Render(320, 320)).size(), 10u);  // anti-aliased edges blend
}

TEST_F(PlayerFixture, PlacementMatrixAndColourTransform) {
    Records r;
    AddRect(r, 0, 0, 1000, 1000, Solid(100, 100, 100));
    std::string m = Header(6400, 6400);
    Tag(m, 32, Shape3(1, 6400, 6400, r));
    Tag(m, 26, Place(1, 10, 2, 2, 0, 0, 2000, 1000, {512, 256, 0, 256}, {0, 10, 50, 0}));
    ShortTag(m, 1);
    const QImage& img = Show(Finish(m));
    EXPECT_TRUE(Near(PixelAt(img, 99, 49), White, 0));
    EXPECT_TRUE(Near(PixelAt(img, 100, 50), {200, 110, 50}, 0));
    EXPECT_TRUE(Near(PixelAt(img, 199, 149), {200, 110, 50}, 0));
    EXPECT_TRUE(Near(PixelAt(img, 200, 150), White, 0));
}

TEST_F(PlayerFixture, JpegBitmapThroughAClippedBitmapFill) {
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
    tjFree(jpeg);
    tjDestroy(tj);
    Tag(m, 21, bits);
    Records r;
    AddRect(r, 0, 0, 320, 160, Fill{0x41, {}, {}, 20, 20, 0, 0, 0, 0, 2});
    Tag(m, 32, Shape3(3, 320, 160, r));
    Tag(m, 26, Place(3, 258, 10, 10, 0, 0, 200, 400, {256, 256, 256, 128}));
    ShortTag(m, 1);
    const QImage& img = Show(Finish(m));
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

TEST_F(PlayerFixture, ParsesOnlyChangedFilesAndRedrawsOnlyWhenSomethingChanged) {
    Records a;
    AddRect(a, 0, 0, 1000, 1000, Solid(255, 0, 0));
    AddRect(a, 2000, 0, 3000, 1000, Solid(0, 255, 0));
    AddRect(a, 4000, 0, 5000, 1000, Solid(0, 0, 255));
    Show(OneShapeMovie(6400, 6400, a));
    EXPECT_EQ(player.ParseCount(), 1u);
    EXPECT_EQ(player.RenderCount(), 1u);
    const std::size_t conversions = player.Stage().Layers().conversions();
    player.Render(320, 320);
    EXPECT_EQ(player.ParseCount(), 1u);
    EXPECT_EQ(player.RenderCount(), 1u);
    Show(OneShapeMovie(6400, 6400, a));  // same bytes written again
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
    Records b;
    AddRect(b, 0, 0, 1000, 1000, Solid(255, 0, 0));
    AddRect(b, 2000, 0, 3000, 1000, Solid(0, 255, 1));
    AddRect(b, 4000, 0, 5000, 1000, Solid(0, 0, 255));
    const QImage& img = Show(OneShapeMovie(6400, 6400, b), 640, 640);
    EXPECT_EQ(player.ParseCount(), 2u);
    EXPECT_EQ(player.Stage().Layers().conversions(), conversions + 1);
    EXPECT_TRUE(Near(PixelAt(img, 250, 50), Over(0, 255, 1, 254, {0x10, 0x20, 0x30}), 1));
}

TEST_F(PlayerFixture, MissingOrBrokenMovieShowsTheBackgroundAndSaysWhy) {
    player.BackgroundColor = 0xFF0000;
    player.Movie = "a";
    const QImage& img = player.Render(50, 40);
    EXPECT_EQ(img.width(), 50);
    EXPECT_EQ(img.height(), 40);
    EXPECT_TRUE(Near(PixelAt(img, 25, 20), {255, 0, 0}, 0));
    EXPECT_NE(player.Reason().find("cannot read"), std::string::npos);
    Records r;
    AddRect(r, 0, 0, 6400, 6400, Solid(0, 0, 0));
    const std::string good = OneShapeMovie(6400, 6400, r);
    const QImage& cut = Show(good.substr(0, good.size() - 20));
    EXPECT_TRUE(Near(PixelAt(cut, 25, 20), {255, 0, 0}, 0));
    EXPECT_NE(player.Reason().find("shorter than its header"), std::string::npos);
}

TEST_F(PlayerFixture, EditingOnePathResumesFromTheLayersBelowIt) {
    const auto movie = [](int green) {
        Records r;
        for (int i = 0; i < 6; ++i)
            AddRect(r, 300 * i, 300 * i, 300 * i + 2000, 300 * i + 2000,
                    i == 3 ? Solid(0, green, 0, 200) : Solid(40 * i, 0, 255 - 40 * i, 150), 1, 60);
        return OneShapeMovie(6400, 6400, r);
    };
    player.Quality2 = "high";
    Show(movie(10));
    EXPECT_EQ(player.Stage().ResumedAt(), 0u);
    // Layer 4 (after the empty initial layer) changes twice: drawn whole, the layers below kept.
    for (int green : {20, 30}) {
        Show(movie(green));
        EXPECT_EQ(player.Stage().ResumedAt(), 0u);
        EXPECT_EQ(player.Stage().LayersDrawn(), 7u);
    }
    for (int green : {40, 50}) {
        const QImage& img = Show(movie(green));
        EXPECT_EQ(player.Stage().ResumedAt(), 4u);
        EXPECT_EQ(player.Stage().LayersDrawn(), 3u);
        SwfPlayer fresh;
        fresh.Movie = player.Movie;
        fresh.Quality2 = "high";
        EXPECT_TRUE(fresh.Render(320, 320) == img) << green;
    }
    // Another size, or a change further down, draws from the background again.
    Show(movie(60), 300, 300);
    EXPECT_EQ(player.Stage().ResumedAt(), 0u);
    Show(movie(70), 300, 300);
    Show(movie(80), 300, 300);
    Show(movie(90), 300, 300);
    EXPECT_EQ(player.Stage().ResumedAt(), 4u);
    Records below;
    AddRect(below, 0, 0, 500, 500, Solid(1, 2, 3));
    Show(OneShapeMovie(6400, 6400, below), 300, 300);
    EXPECT_EQ(player.Stage().ResumedAt(), 0u);
}
