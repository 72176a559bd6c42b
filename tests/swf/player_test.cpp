#include <gtest/gtest.h>

#include <turbojpeg.h>

#include "swf/JpegImage.h"
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

TEST_F(PlayerFixture, GradientsInterpolateStraightAlpha) {
    // Transparent white to opaque black: straight interpolation is mid grey at half opacity.
    Records r;
    AddRect(r, 0, 0, 6400, 6400, Gradient(0x10, {{0, {255, 255, 255, 0}}, {255, {0, 0, 0, 255}}}, 0.1, 0, 3200, 3200));
    player.BackgroundColor = 0x000000;
    const QImage& img = Show(OneShapeMovie(6400, 6400, r, 256));
    EXPECT_TRUE(Near(PixelAt(img, 160, 160), Over(128, 128, 128, 128, {0, 0, 0}), 3));
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
