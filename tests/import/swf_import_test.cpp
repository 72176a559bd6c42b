#include <gtest/gtest.h>

#include <QBuffer>

#include "import/SwfImport.h"
#include "swf/JpegBytes.h"
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

void U32(BitString& b, std::size_t v) { U16(b, int(v & 0xFFFF)), U16(b, int(v >> 16)); }

BitString Edges(const Records& r) {
    BitString b;
    Bytes(b, {0x11});  // one fill and one line index bit
    b.append(r.Bits);
    b.appendZeros(6);
    b.padToByte();
    return b;
}

// A square whose corners move from (0,0)-(1000,1000) to (1000,1000)-(3000,3000),
// red to blue, its line 20 to 60 twips wide; the second edge is straight at
// the start and a curve at the end. Tag 84 adds edge bounds, flags and a line
// style with a miter join. `extraEnd` adds an end edge without a partner.
BitString MorphBody(int tag, bool extraEnd = false) {
    Records start, end;
    start.Change(0, 0, -1, 1, 1);
    for (auto [dx, dy] : {std::pair{1000, 0}, {0, 1000}, {-1000, 0}, {0, -1000}}) start.Straight(dx, dy);
    end.Change(1000, 1000, -1, -1, -1);
    end.Straight(2000, 0);
    end.Curve(0, 1000, 0, 1000);
    end.Straight(-2000, 0);
    end.Straight(0, -2000);
    if (extraEnd) end.Straight(5, 5);
    BitString styles;
    Bytes(styles, {1, 0, 255, 0, 0, 255, 0, 0, 255, 255, 1, 20, 0, 60, 0});
    if (tag == 84) Bytes(styles, {0x20, 0, 10, 0});  // miter join, then its limit
    Bytes(styles, {0, 0, 0, 255, 255, 255, 255, 255});
    const BitString startEdges = Edges(start);
    BitString b;
    U16(b, 1);
    for (int rects = tag == 84 ? 4 : 2; rects > 0; --rects) EncodeRect24(b, 0, 3000, 0, 3000), b.padToByte();
    if (tag == 84) Bytes(b, {1});
    U32(b, styles.bytes().size() + startEdges.bytes().size());
    b.append(styles);
    b.append(startEdges);
    b.append(Edges(end));
    return b;
}

// The morph (id 1) placed at `ratio` (none: -1).
std::string MorphMovie(int tag, int ratio) {
    std::string m = Header(4000, 4000);
    Tag(m, tag, MorphBody(tag));
    BitString place;
    Bytes(place, {ratio < 0 ? 0x02 : 0x12});  // character, ratio
    U16(place, 1);
    U16(place, 1);
    if (ratio >= 0) U16(place, ratio);
    Tag(m, 26, place);
    ShortTag(m, 1);
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

// What the morph should be at `t`: the corners blended, the second edge a curve.
std::string BlendedSquare(double t) {
    const auto at = [t](double a, double b) { return static_cast<int>(std::lround(a + (b - a) * t)); };
    const int x0 = at(0, 1000), x1 = at(1000, 3000), y1 = at(0, 1000), y2 = at(1000, 3000), cy = at(500, 2000);
    const int c = at(0, 255), w = at(20, 60);
    Records r;
    r.NewStyles({Fill{0, {at(255, 0), 0, c}}}, {Line{w, {c, c, c}}});
    r.Change(x0, x0, -1, 1, 1);
    r.Straight(x1 - x0, y1 - x0);
    r.Curve(0, cy - y1, 0, y2 - cy);
    r.Straight(x0 - x1, 0);
    r.Straight(0, x0 - y2);
    return OneShapeMovie(4000, 4000, r);
}

// A movie whose one shape is filled with the bitmap that `tags` define as id 7.
std::string BitmapFilled(const std::vector<std::pair<int, BitString>>& tags) {
    std::string m = Header(2000, 2000);
    for (const auto& [code, body] : tags) Tag(m, code, body);
    Records r;
    r.Rect(0, 0, 1000, 1000, Fill{0x41, {0, 0, 0}, 20, 20, 0, 0, 0, 0, 7});
    Tag(m, 32, Shape3(1, 2000, 2000, r));
    Tag(m, 26, Place(1, 1));
    ShortTag(m, 1);
    return Finish(m);
}

BitString Raw(const std::string& bytes) {
    BitString b;
    for (unsigned char ch : bytes) Bytes(b, {ch});
    return b;
}

// A bitmap tag body: id 7, then `head` and `rest`.
BitString WithId(std::initializer_list<int> head, const std::string& rest) {
    BitString b;
    U16(b, 7);
    Bytes(b, head);
    b.append(Raw(rest));
    return b;
}

std::string Zlib(const std::string& raw) {
    uLongf n = compressBound(raw.size());
    std::string out(n, '\0');
    compress(reinterpret_cast<Bytef*>(out.data()), &n, reinterpret_cast<const Bytef*>(raw.data()), raw.size());
    return out.substr(0, n);
}

// A 16 x 16 JPEG of one colour.
std::string FlatJpeg(QColor colour) {
    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(colour);
    DibSection dib;
    std::string jpeg, error;
    EXPECT_TRUE(CreateFromPicture(picture, dib) && SaveJPG(dib, 95, jpeg, error)) << error;
    return jpeg;
}

// PNG data of an opaque red and a transparent blue pixel.
std::string RedAndClearPng() {
    QImage picture(2, 1, QImage::Format_ARGB32);
    picture.setPixel(0, 0, qRgba(255, 0, 0, 255));
    picture.setPixel(1, 0, qRgba(0, 0, 255, 0));
    QByteArray png;
    QBuffer buffer(&png);
    EXPECT_TRUE(buffer.open(QIODevice::WriteOnly) && picture.save(&buffer, "PNG"));
    return png.toStdString();
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

// A broken tag stream refuses the movie with its reason; a tag whose body is
// damaged within a sound length is skipped and counted, the rest kept.
TEST(SwfImport, BadMoviesAreRefusedOrTheirDamagedTagsSkipped) {
    const std::string good = RingMovie();
    std::string lying = good;
    lying[good.find("\x3F\x08", 21) + 4] = '\x7F';  // the shape tag's length runs past the file
    const auto withTag = [&good](int code, const BitString& body) {
        std::string m = good.substr(0, good.size() - 4);  // before ShowFrame and End
        Tag(m, code, body);
        ShortTag(m, 1);
        ShortTag(m, 0);
        return Finish(m);
    };
    BitString cutPlacement, brokenSprite;
    Bytes(cutPlacement, {0x06, 9, 0, 1, 0});  // a character and a matrix that is not there
    U16(brokenSprite, 5);
    U16(brokenSprite, 1);
    Bytes(brokenSprite, {0xBF, 0x06, 0xFF, 0xFF, 0, 0});  // an inner tag far longer than the sprite
    std::string longer = good;  // claims one byte more than it holds, its tags whole
    longer[4] = static_cast<char>(longer[4] + 1);
    const BitString font = Font3(), place = Place(3, 1);
    struct Case {
        std::string Bytes, Text;  // the error, or what was left out
        bool Ok = false;
        std::size_t Paths = 0;
        int Frame = 1;
    } cases[] = {
        {good.substr(0, good.size() - 30), "shorter than its header"},
        {lying, "runs past the end"},
        {good, "has only 1 frame", false, 0, 3},
        {Finish(Header(4000, 4000) + std::string("\x3F", 1)), "tag header truncated"},
        {longer, "1 mask", true, 4},
        {RingMovie(0x77), "1 damaged tag", true, 0},  // an unknown fill style type: the shape goes
        {withTag(26, cutPlacement), "1 damaged tag", true, 4},
        {withTag(39, brokenSprite), "1 damaged tag", true, 4},
        {withTag(46, MorphBody(46, true)), "1 damaged tag", true, 4},
        // A damaged font goes with its glyphs (the other font's triangle stays); a damaged text goes whole.
        {TextMovie(Edited(font, font.bytes().size() - 5), 33, Text2(), place), "1 damaged tag", true, 1},
        {TextMovie(Edited(font, SIZE_MAX, 9, 0xFF), 33, Text2(), place), "1 damaged tag", true, 1},
        {TextMovie(font, 33, Edited(Text2(), Text2().bytes().size() - 4), place), "1 damaged tag", true, 0},
    };
    for (const Case& c : cases) {
        const ImportResult r = ImportSwf(c.Bytes, c.Frame);
        EXPECT_EQ(r.Ok, c.Ok) << c.Text;
        EXPECT_NE((r.Ok ? r.Missing.Sentence() : r.Error).find(c.Text), std::string::npos) << r.Error << r.Missing.Sentence();
        EXPECT_EQ(r.Result.Paths.size(), c.Paths) << c.Text;
    }
}

// A morph at its placement's ratio is the shape of its blended edges and
// styles; without a ratio it stands at its start.
TEST(SwfImport, MorphShapesAtTheirRatio) {
    const struct Case { int Tag, Ratio; double T; } cases[] = {
        {46, 0, 0}, {46, 32768, 32768 / 65535.0}, {46, 65535, 1}, {84, 32768, 32768 / 65535.0}, {84, -1, 0},
    };
    for (const Case& c : cases) {
        const ImportResult morph = ImportSwf(MorphMovie(c.Tag, c.Ratio)), shape = ImportSwf(BlendedSquare(c.T));
        ASSERT_TRUE(morph.Ok && shape.Ok) << morph.Error;
        EXPECT_EQ(Written(morph.Result.Paths, 200, 200), Written(shape.Result.Paths, 200, 200)) << c.Tag << " " << c.Ratio;
    }
    const ImportResult half = ImportSwf(MorphMovie(46, 32768));
    ASSERT_EQ(half.Result.Paths.size(), 1u);
    const PathShape& p = half.Result.Paths[0];
    EXPECT_EQ(std::make_tuple(p.FillColor, p.LineColor, p.LineWidth),
              std::make_tuple(PackColor(127, 0, 128, 255), PackColor(128, 128, 128, 255), 40));
    EXPECT_EQ(p.Anchors[0], (AnchorPoint{500, 500, 0}));
}

// A bitmap fill becomes its bitmap's alpha-weighted average colour; one
// that cannot be decoded (a lying size among them) stays mid-grey.
TEST(SwfImport, BitmapFillsTakeTheirAverageColour) {
    const std::string jpeg = FlatJpeg(QColor(40, 120, 200));
    const std::size_t scan = jpeg.find("\xFF\xDA"), frame = jpeg.find("\xFF\xC0");
    std::string lying = jpeg;  // claims 60000 x 60000 pixels
    lying.replace(frame + 5, 4, "\xEA\x60\xEA\x60");
    using Tags = std::vector<std::pair<int, BitString>>;
    const struct Case { Tags Defined; std::int32_t Colour; int Tolerance; } cases[] = {
        // ARGB, colours multiplied by alpha: opaque (200, 0, 0) and half-transparent blue
        {{{36, WithId({5, 2, 0, 1, 0}, Zlib(std::string("\xFF\xC8\0\0\x80\0\0\x80", 8)))}}, PackColor(133, 0, 85, 192), 0},
        // two red and four green through a colour table, rows padded to four bytes
        {{{20, WithId({3, 3, 0, 2, 0, 1}, Zlib(std::string("\xFF\0\0\0\xFF\0\0\0\x01\0\x01\x01\x01\0", 14)))}}, PackColor(85, 170, 0, 255), 0},
        // 15-bit red and blue
        {{{20, WithId({4, 2, 0, 1, 0}, Zlib(std::string("\x7C\0\0\x1F", 4)))}}, PackColor(128, 0, 128, 255), 0},
        {{{21, WithId({}, jpeg)}}, PackColor(40, 120, 200, 255), 3},
        {{{35, WithId({int(jpeg.size() & 255), int(jpeg.size() >> 8), 0, 0}, jpeg + Zlib(std::string(256, '\x80')))}}, PackColor(40, 120, 200, 128), 3},
        {{{21, WithId({}, RedAndClearPng())}}, PackColor(255, 0, 0, 128), 0},  // PNG data in a JPEG tag
        // the movie's JPEGTables joined to a DefineBits picture
        {{{8, Raw(jpeg.substr(0, scan) + "\xFF\xD9")}, {6, WithId({0xFF, 0xD8}, jpeg.substr(scan))}}, PackColor(40, 120, 200, 255), 3},
        // 4000 x 4000 pixels claimed, 64 bytes given
        {{{36, WithId({5, 0xA0, 0x0F, 0xA0, 0x0F}, Zlib(std::string(64, '\xFF')))}}, PackColor(128, 128, 128, 255), 0},
        {{{21, WithId({}, lying)}}, PackColor(128, 128, 128, 255), 0},
    };
    for (const Case& c : cases) {
        const ImportResult r = ImportSwf(BitmapFilled(c.Defined));
        ASSERT_TRUE(r.Ok && r.Result.Paths.size() == 1) << r.Error;
        const std::int32_t got = r.Result.Paths[0].FillColor;
        for (int shift = 0; shift < 32; shift += 8)
            EXPECT_NEAR((got >> shift) & 255, (c.Colour >> shift) & 255, c.Tolerance) << std::hex << got << " " << c.Colour;
        EXPECT_EQ(r.Missing.Sentence(), "1 bitmap was left out");
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
