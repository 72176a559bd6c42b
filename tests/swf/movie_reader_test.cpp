#include <gtest/gtest.h>

#include <random>

#include "swf/BitReader.h"
#include "swf/MovieContainer.h"
#include "swf/MovieReader.h"
#include "swf/MovieUpdate.h"
#include "swf/ShapeLayers.h"
#include "tests/swf/TestMovie.h"

using namespace testmovie;

namespace {

Records Square(int x, int y, int side, int fill0, int line) {
    Records r;
    r.Rect(x, y, side, side, Fill{0, {255, 0, 0}}, fill0, line);
    return r;
}

// Four square layers; `pen` adds a fifth that draws from wherever the fourth left the pen.
struct Drawing {
    int X[4] = {100, 400, 700, 1000};
    int Red = 200, Side = 300, Frame = 6400;
    int Open = 5;  // where the record opening the third layer moves the pen
    bool Pen = false;

    std::string Movie() const {
        Records r;
        for (int i = 0; i < 4; ++i) {
            r.NewStyles({Fill{0, {i == 2 ? Red : 0, 0, 255}}}, {Line{20, {0, 0, 0}}}, 1, 1, i == 2, Open, Open);
            r.Change(X[i], X[i], 1, -1, 1);
            for (auto [dx, dy] : {std::pair{Side, 0}, {0, Side}, {-Side, 0}, {0, -Side}}) r.Straight(dx, dy);
        }
        if (Pen) {
            r.NewStyles({}, {Line{40, {0, 255, 0}}});
            r.Straight(500, 500);
        }
        return OneShapeMovie(Frame, 6400, r);
    }
};

void ExpectSameShapes(const ParsedMovie& a, const ParsedMovie& b) {
    ASSERT_EQ(a.Shapes.size(), b.Shapes.size());
    for (const auto& [id, shape] : a.Shapes) {
        const ShapeDefinition& other = *b.Shapes.at(id);
        EXPECT_TRUE(shape->Records == other.Records);
        EXPECT_TRUE(shape->StyleSets == other.StyleSets);
        EXPECT_TRUE(shape->Layers == other.Layers);
    }
}

std::vector<ShapeLayer> Layers(const Records& r) {
    const ParsedMovie m = Read(OneShapeMovie(20000, 20000, r));
    EXPECT_TRUE(m.Complete) << m.Reason;
    return BuildShapeLayers(*m.Shapes.at(1));
}

PathCommand M(int x, int y) { return {PathOp::MoveTo, x, y, 0, 0}; }
PathCommand L(int x, int y) { return {PathOp::LineTo, x, y, 0, 0}; }
PathCommand C(int cx, int cy, int x, int y) { return {PathOp::CurveTo, x, y, cx, cy}; }
PathCommand Z() { return {PathOp::Close, 0, 0, 0, 0}; }

using Cmds = std::vector<PathCommand>;
const std::vector<Fill> OneFill{Fill{0, {255, 0, 0}}};
const std::vector<Line> OneLine{Line{20, {0, 0, 255}}};

}  // namespace

TEST(BitReader, FieldsAcrossBytesSignExtendedAtEveryWidthAndNothingPastTheEnd) {
    for (int width = 2; width <= 32; ++width) {
        BitString b;
        b.append(~0u, width);        // -1
        b.append(1u << (width - 1), width);  // most negative
        BitReader r(b.bytes().data(), b.bytes().size());
        EXPECT_EQ(r.readSB(width), -1) << width;
        EXPECT_EQ(r.readSB(width), static_cast<std::int32_t>(-(std::int64_t{1} << (width - 1)))) << width;
    }
    const std::uint8_t data[] = {0b10110101, 0x34, 0x12};
    BitReader r(data, sizeof data);
    EXPECT_EQ(r.readUB(3), 0b101u);
    EXPECT_EQ(r.readU16(), 0x1234u);  // aligns first
    EXPECT_FALSE(r.failed());
    EXPECT_EQ(r.readUB(1), 0u);
    EXPECT_TRUE(r.failed());
}

TEST(MovieReader, LayerHashFollowsContentNotPosition) {
    // The same square behind a differently long first path hashes the same; a changed one does not.
    const auto layerHashes = [](int firstSide, int secondColor) {
        Records r = Square(0, 0, firstSide, 1, 1);
        if (firstSide > 500) r.Straight(3, 0);  // shifts the following bits
        r.Rect(50, 50, 300, 300, Fill{0, {0, secondColor, 0}}, 1, 1);
        const ParsedMovie m = Read(OneShapeMovie(6400, 6400, r));
        std::vector<std::uint64_t> hashes;
        for (const LayerSpan& l : m.Shapes.at(1)->Layers) hashes.push_back(l.Hash);
        return hashes;
    };
    const auto a = layerHashes(100, 7), b = layerHashes(1000, 7), c = layerHashes(100, 8);
    ASSERT_EQ(a.size(), 3u);
    EXPECT_EQ(a[2], b[2]);
    EXPECT_NE(a[1], b[1]);
    EXPECT_NE(a[2], c[2]);
    EXPECT_EQ(a[1], c[1]);
}

TEST(MovieReader, TagHeadersUnknownTagsAndPlaceObject2MovesAndOccupiedDepths) {
    std::string m = Header(6400, 4000);
    m += std::string("\x43\x02\x01\x02\x03", 5);  // SetBackgroundColor (9), short header, 3 bytes
    BitString unknown;
    Bytes(unknown, {1, 2, 3, 4, 5});
    Tag(m, 77, unknown);
    Tag(m, 32, Shape3(1, 6400, 4000, Square(100, 200, 1000, 1, 0)));
    Tag(m, 26, Place(1, 5, 1, 1, 0, 0, 10, 20));
    Tag(m, 26, Place(2, 5));  // depth taken: ignored
    BitString move;
    Bytes(move, {0x05});  // move + matrix
    U16(move, 5);
    Matrix(move, 2, 2, 0, 0, 30, 40);
    Tag(m, 26, move);
    ShortTag(m, 1);
    const ParsedMovie p = Read(Finish(m));
    ASSERT_TRUE(p.Complete) << p.Reason;
    EXPECT_EQ(p.Shapes.at(1)->Records[1].MoveX, 100);
    ASSERT_EQ(p.DisplayList.size(), 1u);
    const Placement& pl = p.DisplayList.at(5);
    EXPECT_EQ(pl.CharacterId, 1);
    EXPECT_DOUBLE_EQ(pl.Matrix.ScaleX, 2.0);
    EXPECT_EQ(pl.Matrix.TranslateX, 30);
    EXPECT_EQ(pl.ColorTransform.Mult[3], 255);
}

TEST(MovieReader, BadOrTruncatedMoviesGiveReasons) {
    const std::string good = OneShapeMovie(2000, 2000, Square(0, 0, 100, 1, 0));
    std::string cws = good;
    cws[0] = 'C';
    std::string other = good;
    other[1] = 'X';
    struct Case { std::string Bytes, Expect; } cases[] = {
        {"", "too short"},
        {good.substr(0, 12), "header is truncated"},
        {cws, "compressed"},
        {other, "not a movie"},
        {Finish(Header(0, 2000) + good.substr(21)), "frame size is empty"},
        {good.substr(0, good.size() - 10), "shorter than its header"},  // cut inside the PlaceObject2 tag
    };
    for (const Case& c : cases) {
        const ParsedMovie m = Read(c.Bytes);
        EXPECT_FALSE(m.Complete);
        EXPECT_NE(m.Reason.find(c.Expect), std::string::npos) << m.Reason;
    }
    // Every prefix reads without fault and never claims completeness before the ShowFrame.
    for (std::size_t n = 0; n + 4 < good.size(); ++n) {
        const ParsedMovie p = Read(good.substr(0, n));
        EXPECT_FALSE(p.Complete || p.Reason.empty()) << n;
    }
}

// A DefineShape4 line style's flags are bit fields, first bit highest: a
// miter join brings its limit, the fill flag a fill instead of a colour.
TEST(MovieReader, DefineShape4LineStylesFollowTheirFlags) {
    const struct Case { std::vector<int> Line; SwfColor Colour; } cases[] = {
        {{0x20, 0, 0, 3, 10, 20, 30, 255}, {10, 20, 30, 255}},
        {{0x08, 0, 0, 40, 50, 60, 128}, {40, 50, 60, 128}},
    };
    for (const Case& c : cases) {
        BitString b;
        U16(b, 1);
        for (int rect = 0; rect < 2; ++rect) EncodeRect24(b, 0, 100, 0, 100), b.padToByte();
        Bytes(b, {0, 0, 1, 20, 0});  // stroke flags; no fills; one line, 20 twips wide
        for (int v : c.Line) Bytes(b, {v});
        Bytes(b, {0x01, 0});  // index widths, end record
        std::string m = Header(2000, 2000);
        Tag(m, 83, b);
        ShortTag(m, 1);
        const ParsedMovie p = Read(Finish(m));
        ASSERT_TRUE(p.Complete) << p.Reason;
        EXPECT_EQ(p.Shapes.at(1)->StyleSets[0].Lines.at(0).Color, c.Colour);
    }
}

TEST(MovieReader, AbsurdCountsAndLengthsStayBounded) {
    const std::string good = OneShapeMovie(2000, 2000, Square(0, 0, 100, 1, 1));
    std::mt19937 rng(1234);
    for (int round = 0; round < 3000; ++round) {
        std::string bad = good;
        const int flips = 1 + static_cast<int>(rng() % 6);
        for (int i = 0; i < flips; ++i) bad[rng() % bad.size()] = static_cast<char>(rng());
        const ParsedMovie m = Read(bad);
        std::size_t records = 0;
        for (const auto& [id, s] : m.Shapes) records += s->Records.size();
        EXPECT_LE(records, bad.size() * 2);
        if (!m.Complete) {
            EXPECT_FALSE(m.Reason.empty());
        }
    }
}

TEST(MovieUpdate, ReadsOnlyChangedLayersAndMatchesAWholeRead) {
    const struct Case { const char* Name; void (*Edit)(Drawing&); bool Updated; } cases[] = {
        {"nothing", [](Drawing&) {}, true},
        {"one layer moved", [](Drawing& d) { d.X[1] = 450; }, true},
        {"a fill colour", [](Drawing& d) { d.Red = 10; }, true},
        {"first and last layers moved", [](Drawing& d) { d.X[0] = 0, d.X[3] = 1200; }, true},
        {"edges of every layer", [](Drawing& d) { d.Side = 310; }, true},
        {"a layer's opening record and its colour", [](Drawing& d) { d.Open = 9, d.Red = 10; }, true},
        {"the frame in the header", [](Drawing& d) { d.Frame = 6000; }, false},
    };
    for (const Case& c : cases) {
        for (const bool pen : {false, true}) {
            Drawing before;
            before.Pen = pen;
            Drawing after = before;
            c.Edit(after);
            const std::string a = before.Movie(), b = after.Movie();
            ParsedMovie movie = Read(a);
            const bool updated = UpdateMovie(movie, a, b) != MovieUpdate::ReadWhole;
            // A layer drawing from the pen gets the pen the layer below it now leaves.
            EXPECT_EQ(updated, c.Updated) << c.Name << (pen ? " (pen)" : "");
            if (updated) ExpectSameShapes(movie, Read(b));
        }
    }
    // A different size is never updated in place.
    Drawing d;
    ParsedMovie movie = Read(d.Movie());
    d.Pen = true;
    EXPECT_EQ(UpdateMovie(movie, Drawing().Movie(), d.Movie()), MovieUpdate::ReadWhole);
}

// Fill style 0 lies left of the edges: its contour runs against the record order.
TEST(ShapeLayers, FillStyle0CurvesAreReversedAndClosed) {
    Records r;
    r.NewStyles(OneFill, OneLine);
    r.Change(0, 0, 1, -1, 1);
    r.Curve(100, 0, 0, 100);
    r.Curve(-100, 0, 0, -100);
    const auto layers = Layers(r);
    ASSERT_EQ(layers.size(), 2u);
    EXPECT_TRUE(layers[0].FillPaths.empty());
    EXPECT_EQ(layers[1].FillPaths[0].Style, 1u);
    EXPECT_EQ(layers[1].LinePaths[0].Commands, (Cmds{M(0, 0), C(100, 0, 100, 100), C(0, 100, 0, 0), Z()}));
    EXPECT_EQ(layers[1].FillPaths[0].Commands, (Cmds{M(0, 0), C(0, 100, 100, 100), C(100, 0, 0, 0), Z()}));
    EXPECT_TRUE(IsReversedContour(layers[1].FillPaths[0].Commands, layers[1].LinePaths[0].Commands));
    // The same points with a control point moved are not the same outline.
    auto moved = layers[1].LinePaths[0].Commands;
    moved[1].CX += 1;
    EXPECT_FALSE(IsReversedContour(layers[1].FillPaths[0].Commands, moved));
}

TEST(ShapeLayers, EachNewStyleSetIsItsOwnLayerWithItsOwnStyles) {
    Records r;
    r.NewStyles(OneFill, {});
    r.Change(0, 0, -1, 1, 0);  // fill style 1 keeps the record order
    r.Straight(10, 0);
    r.Straight(0, 10);
    r.Straight(-10, -10);
    r.NewStyles({Fill{0, {0, 255, 0}}, Fill{0, {0, 0, 255}}}, OneLine, 2, 1);
    r.Change(5, 5, 2, -1, 1);
    r.Straight(0, 10);
    r.Straight(0, -10);
    const auto layers = Layers(r);
    ASSERT_EQ(layers.size(), 3u);
    EXPECT_EQ(layers[1].FillPaths[0].Commands, (Cmds{M(0, 0), L(10, 0), L(10, 10), L(0, 0), Z()}));
    EXPECT_TRUE(layers[1].LinePaths.empty());
    ASSERT_EQ(layers[2].Fills.size(), 2u);
    ASSERT_EQ(layers[2].FillPaths.size(), 1u);
    EXPECT_EQ(layers[2].FillPaths[0].Style, 2u);
    EXPECT_EQ(layers[2].FillPaths[0].Commands, (Cmds{M(5, 5), L(5, 15), L(5, 5), Z()}));
    EXPECT_EQ(layers[2].LinePaths[0].Commands, (Cmds{M(5, 5), L(5, 15), L(5, 5), Z()}));
}

TEST(ShapeLayers, ContoursLinkAcrossMovesAndStyleSwitches) {
    // Two contours whose edges arrive out of order with a move between them;
    // edges with the same fill on both sides and unknown style indices bound nothing.
    Records r;
    r.NewStyles(OneFill, OneLine, 2, 2);
    r.Change(0, 0, 1, -1, 0);
    r.Straight(10, 0);   // (0,0)->(10,0), reversed
    r.Change(50, 50, 1, -1, 3);  // line style 3 does not exist
    r.Straight(5, 0);
    r.Straight(0, 5);
    r.Straight(-5, -5);
    r.Change(10, 0, 1, -1, -1);
    r.Straight(-10, 10);  // (10,0)->(0,10)
    r.Straight(0, -10);   // (0,10)->(0,0)
    r.Change(0, 0, 1, 1, -1);
    r.Straight(7, 7);     // same fill both sides
    const auto layers = Layers(r);
    const ShapeLayer& l = layers[1];
    ASSERT_EQ(l.FillPaths.size(), 1u);
    EXPECT_EQ(l.FillPaths[0].Commands,
              (Cmds{M(0, 0), L(0, 10), L(10, 0), L(0, 0), Z(), M(50, 50), L(55, 55), L(55, 50), L(50, 50), Z()}));
    EXPECT_TRUE(l.LinePaths.empty());
}

TEST(ShapeLayers, LineSubpathsBreakAtMovesAndCloseOnlyWhenBackAtTheirStart) {
    Records r;
    r.NewStyles({}, OneLine, 0, 1);
    r.Change(-500, 70000 - 131072, -1, -1, 1);  // negative absolute move-to
    r.Straight(0, 0);                           // zero-length edges are kept
    r.Straight(-65536, 65535);                  // extreme 17-bit deltas; ends elsewhere: open
    r.Change(100, 100, -1, -1, -1);
    r.Straight(10, 0);
    r.Straight(-10, 0);  // back at (100,100): closed
    const auto layers = Layers(r);
    EXPECT_EQ(layers[1].LinePaths[0].Commands, (Cmds{M(-500, -61072), L(-500, -61072), L(-66036, 4463),
                                                      M(100, 100), L(110, 100), L(100, 100), Z()}));
    EXPECT_TRUE(layers[1].FillPaths.empty());
}


TEST(MovieContainer, UnpacksEveryContainerAndRefusesBadOrOversizedStreams) {
    const std::string good = OneShapeMovie(2000, 2000, Square(0, 0, 100, 1, 0));
    const std::string bomb = Finish(Header(2000, 2000) + std::string(std::size_t{4} << 20, '\0'));
    std::string corrupt = Pack(good, 'C');
    corrupt[10] ^= 0x55;
    std::string hugeWindow = Pack(good, 'Z');  // properties asking for a 4 GB dictionary
    for (int i = 13; i < 17; ++i) hugeWindow[i] = '\xFF';
    struct Case {
        std::string Bytes, Error;
        std::size_t Size;
    } cases[] = {
        {good, "", good.size()},
        {Pack(good, 'C'), "", good.size()},
        {Pack(good, 'Z'), "", good.size()},
        {hugeWindow, "", good.size()},
        {Pack(good, 'C').substr(0, 30), "ends early", 0},
        {Pack(good, 'Z').substr(0, 30), "ends early", 0},
        {corrupt, "corrupt", 0},
        {Pack(good, 'C', std::size_t{300} << 20), "more than the 256 MB", 0},
        {Pack(bomb, 'C', 4096), "", 4096},  // a stream longer than its header says stops there
        {Pack(bomb, 'Z', 4096), "", 4096},
        {std::string("GWS\x08\0\0\0\0", 8), "not a movie", 0},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> out;
        const std::string error = UnpackMovie(reinterpret_cast<const std::uint8_t*>(c.Bytes.data()), c.Bytes.size(), out);
        EXPECT_EQ(error.empty(), c.Error.empty()) << error;
        EXPECT_NE(error.find(c.Error), std::string::npos) << error;
        ASSERT_EQ(out.size(), c.Size) << c.Error;
        if (c.Size == good.size()) {
            EXPECT_EQ(std::string(out.begin(), out.end()), good);
            EXPECT_TRUE(ReadMovie(out.data(), out.size()).Complete);
        }
    }
}
