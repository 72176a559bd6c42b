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

// A glyph's rectangle: the fill on its inside, or, for a hole, outside.
void GlyphRect(Records& g, int x0, int y0, int x1, int y1, bool hole = false) {
    g.LineBits = 0;
    g.Change(x0, y0, hole ? 1 : 0, hole ? 0 : 1, -1);
    for (auto [dx, dy] : {std::pair{x1 - x0, 0}, {0, y1 - y0}, {x0 - x1, 0}, {0, y0 - y1}}) g.Straight(dx, dy);
}

// DefineFont3 1 (em 20480): glyph 0 "O", a square with a square hole; glyph
// 1 "i", a stem and a dot; with a layout (advances 14000 and 7000).
// DefineFont2 2 (em 1024, no layout): glyph 0 a triangle.
std::vector<Records> Glyphs() {
    std::vector<Records> g(3);
    GlyphRect(g[0], 0, -16000, 12000, 0);
    GlyphRect(g[0], 3000, -13000, 9000, -3000, true);
    GlyphRect(g[1], 2000, -10000, 5000, 0);
    GlyphRect(g[1], 2000, -14000, 5000, -12000);
    g[2].LineBits = 0;
    g[2].Change(0, 0, 1, 0, -1);
    for (auto [dx, dy] : {std::pair{800, 0}, {-400, -700}, {-400, 700}}) g[2].Straight(dx, dy);
    return g;
}

std::string TextMovie(const BitString& font, int code, const BitString& text, const BitString& place) {
    std::string m = Header(4000, 3000);
    Tag(m, 75, font);
    Tag(m, 48, FontTag(2, {Glyphs()[2]}, {'A'}));
    Tag(m, code, text);
    Tag(m, 26, place);
    ShortTag(m, 1);
    return Finish(m);
}

BitString Font3() { return FontTag(1, {Glyphs()[0], Glyphs()[1]}, {'O', 'i'}, {14000, 7000}, 16000, 4000); }

// "Oi" in red from font 1 at height 1024 (1/20 of its em), a missing glyph,
// a half-transparent triangle from font 2 at height 512, a glyph of a missing font.
BitString Text2() {
    return TextTag(3, {{1, {200, 0, 0}, 100, 1000, 1024, {{0, 700}, {1, 300}, {7, 0}}},
                       {2, {0, 0, 200, 128}, 1200, 1000, 512, {{0, 0}}}, {9, {0, 0, 0}, 0, 0, 512, {{0, 0}}}});
}

// The first `keep` bytes of `b`, with byte `at` set to `v`.
BitString Edited(const BitString& b, std::size_t keep, std::size_t at = SIZE_MAX, int v = 0) {
    BitString out;
    for (std::size_t i = 0; i < std::min(keep, b.bytes().size()); ++i) out.append(i == at ? v : b.bytes()[i], 8);
    return out;
}

}  // namespace

// Glyphs at their pen positions, scaled per em, through the placement; the
// hole of "O" bridged, the two outlines of "i" grouped: the import draws
// what the player draws of the same outlines placed as shapes.
TEST(SwfImport, TextBecomesGlyphOutlines) {
    const ImportResult r = ImportSwf(TextMovie(Font3(), 33, Text2(), Place(3, 1, 2, 2, 0, 0, 500, 300)));
    ASSERT_TRUE(r.Ok) << r.Error;
    EXPECT_EQ(r.Missing.Sentence(), "2 missing glyphs were left out");
    const auto& p = r.Result.Paths;
    const int red = PackColor(200, 0, 0, 255);
    const std::tuple<std::size_t, AnchorPoint, std::int32_t, std::int32_t> want[] = {
        {10, {700, 700, 0}, red, 0},  // O: outline, hole and the bridge both ways
        {4, {2300, 1300, 0}, red, 1},
        {4, {2300, 900, 0}, red, 1},
        {3, {2900, 2300, 0}, PackColor(0, 0, 200, 128), 0},
    };
    ASSERT_EQ(p.size(), 4u);
    for (std::size_t i = 0; i < p.size(); ++i)
        EXPECT_EQ(std::make_tuple(p[i].Anchors.size(), p[i].Anchors[0], p[i].FillColor, p[i].GroupNo), want[i]) << i;
    // The same outlines as shapes, placed where the text puts them.
    const std::vector<Records> g = Glyphs();
    std::string m = Header(4000, 3000);
    const std::tuple<int, Color, double, int> shapes[] = {
        {0, {200, 0, 0}, 0.1, 700}, {1, {200, 0, 0}, 0.1, 2100}, {2, {0, 0, 200, 128}, 1.0, 2900}};
    for (int k = 0; k < 3; ++k) {
        const auto& [glyph, color, scale, x] = shapes[k];
        Records s;
        s.NewStyles({Fill{0, color}}, {}, 1, 0);
        s.Bits.append(g[glyph].Bits);
        Tag(m, 32, Shape3(k + 1, 100, 100, s));
        Tag(m, 26, Place(k + 1, k + 1, scale, scale, 0, 0, x, 2300));
    }
    ShortTag(m, 1);
    const QTemporaryDir dir;
    EXPECT_GT(Agreement(Play(Finish(m), dir, 200, 150), Play(Written(p, 200, 150), dir, 200, 150), 20), 0.998);
}

// An edit text with an embedded font is laid out line by line from its
// font's advances and ascent; without one it is counted.
TEST(SwfImport, EditTextIsLaidOutWithItsFont) {
    struct Case { int Font; std::string Text; bool Html; std::size_t Paths; AnchorPoint LastStart; std::string LeftOut; } cases[] = {
        {1, "Oi\rO", false, 4, {140, 471, 0}, ""},
        {1, "<P ALIGN=\"LEFT\"><font face=\"A\">O&amp;i</font><br />&#79;</P>", true, 4, {140, 471, 0},
         "1 missing glyph was left out"},
        {1, "iO", false, 3, {277, 40, 0}, ""},
        {0, "Oi", false, 0, {}, "1 text field was left out"},
    };
    for (const Case& c : cases) {
        const ImportResult r = ImportSwf(TextMovie(Font3(), 37, EditTextTag(3, c.Font, c.Text, c.Html), Place(3, 1)));
        ASSERT_TRUE(r.Ok) << r.Error;
        EXPECT_EQ(r.Missing.Sentence(), c.LeftOut) << c.Text;
        ASSERT_EQ(r.Result.Paths.size(), c.Paths) << c.Text;
        EXPECT_EQ(c.Paths ? r.Result.Paths.back().Anchors[0] : AnchorPoint{}, c.LastStart) << c.Text;
    }
}

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
    const BitString font = Font3(), place = Place(3, 1);
    struct Case {
        std::string Bytes, Error;
        int Frame = 1;
    } cases[] = {
        {good.substr(0, good.size() - 30), "shorter than its header"},
        {lying, "runs past the end"},
        {badFill, "unknown fill style type 119"},
        {good, "has only 1 frame", 3},
        {TextMovie(Edited(font, font.bytes().size() - 5), 33, Text2(), place), "font 1: the code table or layout runs past"},
        {TextMovie(Edited(font, SIZE_MAX, 9, 0xFF), 33, Text2(), place), "font 1: glyph 0 lies outside the glyph table"},
        {TextMovie(font, 33, Edited(Text2(), Text2().bytes().size() - 4), place), "text 3: a text record runs past"},
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
