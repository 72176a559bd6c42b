#include <gtest/gtest.h>

#include "import/SwfImport.h"
#include "tests/SvgPictures.h"
#include "tests/TestPaths.h"
#include "tests/swf/TestMovie.h"

using namespace testmovie;

namespace {

QImage Play(const std::string& movie, const QTemporaryDir& dir, int w, int h) {
    const std::string path = dir.filePath("play.swf").toStdString();
    EXPECT_TRUE(WriteFileReplacing(path, movie));
    SwfPlayer player;
    player.Movie = path;
    return player.Render(w, h).convertToFormat(QImage::Format_RGB32);
}

std::string Written(const std::vector<PathShape>& paths, int w, int h) {
    DrawCore doc = DocWith(paths);
    std::tie(doc.Setup.CanvasWidth, doc.Setup.CanvasHeight) = std::pair{w, h};
    SWFMakeCore mk;
    return BuildPreviewMovie(mk, doc);
}

// A red ring (the outer square's fill 1, the inner square's fill 0) around a
// blue square (the inner square's fill 1), outlined; then a layer of new
// styles with a green triangle. Placed halved and red-dimmed at depth 1,
// and as a mask at depth 2.
std::string RingMovie(int fillType = 0) {
    Records r;
    r.NewStyles({Fill{fillType, {255, 0, 0}}, Fill{0, {0, 0, 255}}}, {Line{40, {0, 0, 0}}}, 2, 1);
    r.Change(100, 100, 0, 1, 1);
    for (auto [dx, dy] : {std::pair{1800, 0}, {0, 1800}, {-1800, 0}, {0, -1800}}) r.Straight(dx, dy);
    r.Change(600, 600, 1, 2, 0);
    for (auto [dx, dy] : {std::pair{800, 0}, {0, 800}, {-800, 0}, {0, -800}}) r.Straight(dx, dy);
    r.NewStyles({Fill{0, {0, 160, 0}}}, {});
    r.Change(1000, 200, 1, 0, -1);
    r.Curve(300, 300, 300, 300);
    r.Straight(-1200, 0);
    r.Straight(600, -600);
    std::string m = Header(4000, 4000);
    m += std::string("\x43\x02\xF0\xF0\xF0", 5);  // SetBackgroundColor
    Tag(m, 32, Shape3(1, 2000, 2000, r));
    Tag(m, 26, Place(1, 1, 0.5, 0.5, 0, 0, 1000, 1000, {128, 256, 256, 256}));
    BitString mask;
    Bytes(mask, {0x42});  // has character, clip depth
    U16(mask, 2);
    U16(mask, 1);
    U16(mask, 5);
    Tag(m, 26, mask);
    Tag(m, 12, BitString{});   // DoAction
    Tag(m, 200, BitString{});  // no such tag
    ShortTag(m, 1);
    ShortTag(m, 0);
    return Finish(m);
}

}  // namespace

// Both fill sides, holes, styles changing mid-shape, matrix and colour
// transform: the import draws what the player draws from the movie itself.
TEST(SwfImport, ShapesPlacedAsThePlayerDrawsThem) {
    QTemporaryDir dir;
    const std::string movie = RingMovie();
    const ImportResult r = ImportSwf(Pack(movie, 'Z'));
    ASSERT_TRUE(r.Ok) << r.Error;
    const Drawing& d = r.Result;
    EXPECT_EQ(std::make_tuple(d.CanvasWidth, d.HasBackground, d.Background[0], r.Missing.Sentence()),
              std::make_tuple(200, true, 0xF0, std::string("1 mask, 1 script and 1 unknown tag were left out")));
    ASSERT_EQ(d.Paths.size(), 4u);  // red ring with its hole bridged, blue square, outline, triangle
    EXPECT_EQ(std::make_pair(d.Paths[0].FillColor, d.Paths[1].FillColor), std::make_pair(PackColor(127, 0, 0, 255), PackColor(0, 0, 255, 255)));
    EXPECT_EQ(d.Paths[2].FillType * 1000 + d.Paths[2].LineWidth, 20);  // an outline without fill, 20 twips wide
    EXPECT_EQ(d.Paths[3].Anchors.size(), 4u);  // the curve keeps its control
    const QImage played = Play(movie, dir, 200, 200);
    const QImage imported = Play(Written(d.Paths, 200, 200), dir, 200, 200);
    EXPECT_GT(Agreement(played, imported, 20), 0.995);
}

// What Lumivane wrote comes back as the same drawing.
TEST(SwfImport, WrittenDrawingsComeBackTheSame) {
    std::vector<PathShape> paths(1);
    const auto path = [&](std::vector<AnchorPoint> a, bool closed, int fill, int line) {
        PathShape p = Styled(MakePath(std::move(a), closed), fill, line);
        std::tie(p.FillColor, p.FillColor2, p.LineWidth) = std::tuple{PackColor(10, 200, 30, 255), PackColor(250, 0, 90, 128), line ? 60 : 0};
        std::tie(p.GradX, p.GradY, p.GradAngle, p.GradScale) = std::tuple{500, 700, fill == 2 ? 90.0f : 0.0f, 0.25f};
        paths.push_back(p);
    };
    path({{100, 100, 0}, {900, 100, 0}, {900, 900, 1}, {100, 900, 0}}, true, 1, 1);
    path({{1000, 1000, 0}, {1500, 1000, 1}, {1500, 1500, 1}, {1000, 1500, 1}}, true, 1, 0);
    path({{200, 1200, 0}, {400, 1000, 1}, {600, 1300, 0}, {700, 1500, 1}, {800, 1200, 0}}, false, 0, 1);
    path({{2000, 2000, 0}, {3000, 2000, 0}, {3000, 3000, 0}}, true, 2, 1);
    path({{200, 2000, 0}, {1800, 2000, 0}, {1800, 3000, 0}, {200, 3000, 0}}, true, 3, 0);
    path({{2000, 200, 0}, {3000, 200, 0}, {3000, 1500, 0}}, true, 4, 0);
    const ImportResult r = ImportSwf(Written(paths, 200, 180));
    ASSERT_TRUE(r.Ok) << r.Error;
    EXPECT_TRUE(r.Missing.Empty()) << r.Missing.Sentence();
    // Anchors, colours, gradients and order: written again, the same movie.
    EXPECT_EQ(Written(r.Result.Paths, 200, 180), Written({paths.begin() + 1, paths.end()}, 200, 180));
    EXPECT_EQ(r.Result.Paths[1].Anchors, paths[2].Anchors);  // implied on-curve anchors stay implied
}

// Bad input is refused with its reason, in bounded time and memory.
TEST(SwfImport, BadMoviesAreRefusedWithAReason) {
    const std::string good = RingMovie();
    std::string lying = good;
    lying[good.find("\x3F\x08", 21) + 4] = '\x7F';  // the shape tag's length runs past the file
    std::string badFill = RingMovie(0x77);
    struct Case {
        std::string Bytes, Error;
        int Frame = 1;
    } cases[] = {
        {good.substr(0, good.size() - 30), "shorter than its header"},
        {lying, "runs past the end"},
        {badFill, "unknown fill style type 119"},
        {good, "has only 1 frame", 3},
    };
    for (const Case& c : cases) {
        const ImportResult r = ImportSwf(c.Bytes, c.Frame);
        EXPECT_FALSE(r.Ok);
        EXPECT_NE(r.Error.find(c.Error), std::string::npos) << r.Error;
    }
}

// Sprites within sprites, each placement with its matrix and colour
// transform; a sprite that places itself stops at a bounded depth.
TEST(SwfImport, NestedSpritesComposeTheirPlacements) {
    const auto sprite = [](int id, const std::vector<BitString>& places) {
        std::string tags;
        for (const BitString& p : places) Tag(tags, 26, p);
        ShortTag(tags, 1);
        BitString b;
        U16(b, id);
        U16(b, 1);
        for (char c : tags) Bytes(b, {static_cast<unsigned char>(c)});
        return b;
    };
    Records square;
    square.Rect(0, 0, 100, 100, Fill{0, {200, 100, 50}});
    std::string m = Header(4000, 4000);
    Tag(m, 32, Shape3(1, 100, 100, square));
    Tag(m, 39, sprite(2, {Place(1, 1, 1, 1, 0, 0, 40, 0, {256, 256, 256, 256}, {0, 0, 100, 0})}));
    Tag(m, 39, sprite(3, {Place(2, 1, 2, 2, 0, 0, 1000, 500, {128, 256, 256, 256})}));
    Tag(m, 39, sprite(4, {Place(4, 1)}));
    Tag(m, 26, Place(3, 1));
    Tag(m, 26, Place(4, 2));
    ShortTag(m, 1);
    const ImportResult r = ImportSwf(Finish(m));
    ASSERT_TRUE(r.Ok) << r.Error;
    ASSERT_EQ(r.Result.Paths.size(), 1u);
    const PathShape& p = r.Result.Paths[0];
    EXPECT_EQ(p.Anchors[2], (AnchorPoint{1280, 700, 0}));  // (100,100) moved by 40, doubled, moved by (1000, 500)
    EXPECT_EQ(p.FillColor, PackColor(100, 100, 150, 255));
    EXPECT_EQ(r.Missing.Sentence(), "1 other object was left out");
}
