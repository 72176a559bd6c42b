// The bit encoder and the shape records written with it, bit by bit.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "swf/BitEncoder.h"
#include "swf/ShapeExport.h"
#include "tests/TestPaths.h"
#include "tests/swf/BitText.h"

namespace {
std::string B(std::int64_t value, int width) {
    BitString b;
    ToBitString(b, value, width);
    return BitText(b);
}
std::string Fixed(double v) {
    BitString b;
    FixedBits(b, v);
    return BitText(b);
}
std::string Color(std::int32_t packed) {
    BitString b;
    ColorBits(b, packed);
    return BitText(b);
}
std::string Straight(std::int64_t dx, std::int64_t dy) { return "1111111" + B(dx, 17) + B(dy, 17); }
std::string Curve(std::int64_t cdx, std::int64_t cdy, std::int64_t adx, std::int64_t ady) {
    return "101111" + B(cdx, 17) + B(cdy, 17) + B(adx, 17) + B(ady, 17);
}
std::string MoveTo(std::int64_t x, std::int64_t y, bool fill, bool line) {
    return "001011" "10001" + B(x, 17) + B(y, 17) + (fill ? "1" : "0") + (line ? "1" : "0");
}
const std::string kNoFill = "00000000";
const std::string kNoLine = "00000000";
const std::string kBits11 = "00010001";
std::string LineStyle(const PathShape& p) {
    return "00000001" + B(p.LineWidth & 255, 8) + B((p.LineWidth >> 8) & 255, 8) + Color(p.LineColor);
}
std::string Records(const PathShape& p) { return BitText(EncodePathRecords(p)); }
// The records of an unfilled, outlined path up to its move-to (x, y).
std::string Outlined(const PathShape& p, std::int64_t x, std::int64_t y) {
    return "010000" + kNoFill + LineStyle(p) + kBits11 + MoveTo(x, y, false, true);
}
}  // namespace

TEST(BitEncoder, ToBitStringKeepsLowBitsInTwosComplement) {
    const struct { std::int64_t value; int width; std::string text; } cases[] = {
        {5, 8, "00000101"},
        {-5, 8, "11111011"},
        {-1, 17, std::string(17, '1')},
        {70000, 17, "10001000101110000"},
        {std::numeric_limits<std::int32_t>::min(), 30, std::string(30, '0')},
        {std::numeric_limits<std::int64_t>::max(), 16, std::string(16, '1')},
        // Bits 30 and 31 are never written.
        {-1, 32, std::string(30, '1')},
        {0x40000001, 31, std::string(29, '0') + "1"},
    };
    for (const auto& c : cases) EXPECT_EQ(B(c.value, c.width), c.text) << c.value << " in " << c.width;
}

TEST(BitEncoder, FixedBitsSplitsWholeAndFraction) {
    struct Case { double value; std::string text; } cases[] = {
        {1.0, "00000001" + std::string(16, '0')},
        {-0.5, std::string(9, '1') + std::string(15, '0')},
        {0.25, "00000000" "0100000000000000"},
        {259.5, "00000011" "1000000000000000"},  // whole part keeps its low 8 bits
        {-129.0, "01111111" + std::string(16, '0')},
        {1e30, Fixed(std::fmod(1e30, 256.0))},
        {std::numeric_limits<double>::quiet_NaN(), std::string(24, '0')},
        {std::numeric_limits<double>::infinity(), std::string(24, '0')},
        {-std::numeric_limits<double>::infinity(), std::string(24, '0')},
    };
    for (const auto& c : cases) EXPECT_EQ(Fixed(c.value), c.text) << c.value;
}

TEST(BitEncoder, MovieBufferCopiesAreBoundsChecked) {
    SWFMakeCore mk;
    AppendHex(mk, "4000");
    const std::uint8_t src[2] = {0x12, 0x34};
    CopyToMovie(mk, 0, src, 2);
    EXPECT_EQ(HexText(mk.MovieBuffer), "1234");
    EXPECT_THROW(CopyToMovie(mk, 1, src, 2), std::out_of_range);
    EXPECT_THROW(AppendHex(mk, "0G"), std::invalid_argument);
}

TEST(ShapeExport, PathsEncodeEveryEdgeKindAndOnlyClosedOnesAreFilled) {
    PathShape open = Styled(MakePath({{100, 200, 0}, {300, 400, 0}}), 1, 0);
    open.LineWidth = 300;  // two bytes, low byte first
    EXPECT_EQ(Records(open), Outlined(open, 100, 200) + Straight(200, 200));
    const PathShape square = Square(0, 0, 1000);
    const std::string solid = "00000001" "00000000" + Color(square.FillColor);
    EXPECT_EQ(Records(square), "010000" + solid + LineStyle(square) + kBits11 + MoveTo(0, 0, true, true) +
                                   Straight(1000, 0) + Straight(0, 1000) + Straight(-1000, 0) + Straight(0, -1000));

    // All control points: curves through the midpoints (halves to even),
    // starting and ending at the midpoint of anchors 0 and 1.
    PathShape curves = Styled(MakePath({{1, 1, 1}, {2, 3, 1}, {3, -5, 1}}, true), 0, 0);
    EXPECT_EQ(Records(curves), "010000" + kNoFill + kNoLine + kBits11 + MoveTo(2, 2, false, false) +
                                   Curve(0, 1, 0, -4) + Curve(1, -4, -1, 3) + Curve(-1, 3, 1, 1));

    // A control point first: the start is anchor 1, reached by a zero-length edge.
    PathShape leading = Styled(MakePath({{0, 0, 1}, {100, 0, 0}, {100, 100, 0}}, true), 0, 1);
    EXPECT_EQ(Records(leading), Outlined(leading, 100, 0) + Straight(0, 0) + Straight(0, 100) + Curve(-100, -100, 100, 0));

    // A control point last, before an on-curve anchor 0: a zero-length edge ends it.
    PathShape trailing = Styled(MakePath({{0, 0, 0}, {100, 0, 0}, {100, 100, 1}}, true), 0, 1);
    EXPECT_EQ(Records(trailing), Outlined(trailing, 0, 0) + Straight(100, 0) + Curve(0, 100, -100, -100) + Straight(0, 0));

    // Unknown kinds write nothing, except as the last anchor of an open path,
    // which always gets a straight edge (here of zero length after the curve).
    PathShape odd = Styled(MakePath({{0, 0, 0}, {50, 50, 5}, {100, 0, 0}}, true), 0, 1);
    EXPECT_EQ(Records(odd), Outlined(odd, 0, 0) + Straight(100, 0) + Straight(-100, 0));
    PathShape openOdd = Styled(MakePath({{0, 0, 0}, {50, 50, 1}, {100, 0, 7}}), 0);
    EXPECT_EQ(Records(openOdd), Outlined(openOdd, 0, 0) + Curve(50, 50, 50, -50) + Straight(0, 0));
}

// Far points take a wider move-to; edges longer than a 17-bit delta are
// written in pieces that fit; points beyond a million twips are held there.
TEST(ShapeExport, LongEdgesAreWrittenInPiecesThatFit) {
    PathShape far = Styled(MakePath({{70000, -70000, 0}, {-70000, 70000, 0}}), 0);
    const std::string farMove = "001011" "10010" + B(70000, 18) + B(-70000, 18) + "01";
    EXPECT_EQ(Records(far), "010000" + kNoFill + LineStyle(far) + kBits11 + farMove + Straight(-46667, 46667) +
                                Straight(-46666, 46666) + Straight(-46667, 46667));
    PathShape edge = Styled(MakePath({{0, 0, 0}, {65535, -65536, 0}}), 0);  // the longest single edge
    EXPECT_EQ(Records(edge), Outlined(edge, 0, 0) + Straight(65535, -65536));
    // A curve twice as long as a delta holds: halved once at its middle (100000, 50000).
    PathShape curve = Styled(MakePath({{0, 0, 0}, {100000, 100000, 1}, {200000, 0, 0}}), 0);
    EXPECT_EQ(Records(curve), Outlined(curve, 0, 0) + Curve(50000, 50000, 50000, 0) + Curve(50000, 0, 50000, -50000) +
                                  Straight(0, 0));

    const std::int32_t lo = std::numeric_limits<std::int32_t>::min(), hi = std::numeric_limits<std::int32_t>::max();
    PathShape extreme = Styled(MakePath({{lo, hi, 0}, {hi, lo, 0}}), 0);
    const std::string bits = Records(extreme);
    const std::string heldMove = "001011" "10101" + B(-1'000'000, 21) + B(1'000'000, 21) + "01";
    EXPECT_EQ(bits.substr(0, bits.find(heldMove) + heldMove.size()), "010000" + kNoFill + LineStyle(extreme) + kBits11 + heldMove);
    EXPECT_EQ(bits.size(), bits.find(heldMove) + heldMove.size() + 31 * Straight(0, 0).size());  // 2,000,000 / 65,535 pieces
}

TEST(ShapeExport, GradientFills) {
    PathShape three = Square(0, 0, 100, 3);
    three.GradX = 10;
    three.GradY = -20;
    BitString identity;
    EncodeMatrix(identity, 1.0f, 1.0f, 0.0f, 0.0f, 10, -20);
    const std::string matrix = BitText(identity) + "0";
    const std::string fill3 = "00000001" "00010000" + matrix + "00000011" + "00000000" + Color(three.FillColor) +
                              "10000000" + Color(three.FillColor2) + "11111111" + Color(three.FillColor);
    EXPECT_EQ(Records(three).substr(6, fill3.size()), fill3);

    PathShape radial = three;
    radial.FillType = 4;
    const std::string fill4 = "00000001" "00010010" + matrix + "00000010" + "00000000" + Color(three.FillColor) +
                              "11111111" + Color(three.FillColor2);
    EXPECT_EQ(Records(radial).substr(6, fill4.size()), fill4);

    // Rotation by 180 degrees: the angle is held in single precision, so the
    // sine is a tiny negative number whose 8.16 value is all ones.
    PathShape turned = Square(0, 0, 100, 2);
    turned.GradAngle = 180.0f;
    BitString m;
    EncodeGradientMatrix(m, turned);
    const std::string minusOne = "11111111" + std::string(16, '0');
    EXPECT_EQ(BitText(m), "111000" + minusOne + minusOne + "111000" + std::string(24, '1') + std::string(24, '0') +
                              "10111" + std::string(46, '0') + "0");
}

TEST(ShapeExport, DegeneratePathsContributeNothing) {
    PathShape single = Styled(MakePath({{5, 5, 0}}, true), 1);
    EXPECT_TRUE(EncodePathRecords(single).empty());
    PathShape negative = Square(0, 0, 10);
    negative.AnchorMax = -3;
    EXPECT_TRUE(EncodePathRecords(negative).empty());
    // A count larger than the anchors held is not trusted.
    PathShape overCounted = Styled(MakePath({{0, 0, 0}, {10, 0, 0}}), 0);
    overCounted.AnchorMax = 50;
    PathShape exact = Styled(MakePath({{0, 0, 0}, {10, 0, 0}}), 0);
    EXPECT_EQ(EncodePathRecords(overCounted), EncodePathRecords(exact));
}

// Many stale paths are encoded on several threads: each cache as the path's
// own records, degenerate paths left empty, fresh caches kept.
TEST(ShapeExport, StalePathsAreEncodedAsEachPathAlone) {
    std::vector<PathShape> paths(1);
    for (int i = 0; i < 500; ++i)
        paths.push_back(i % 50 == 7 ? Styled(MakePath({{i, i, 0}}, true), 1) : Square(i * 7, i * 3, 10 + i % 90, i % 4));
    paths[5].ShapeCache = std::make_shared<const BitString>();  // fresh: kept as it is
    const ShapeCacheRef kept = paths[5].ShapeCache;
    EncodeStalePaths(paths);
    EXPECT_EQ(paths[5].ShapeCache, kept);
    for (std::size_t i = 1; i < paths.size(); ++i) {
        if (i == 5) continue;
        const BitString expected = EncodePathRecords(paths[i]);
        ASSERT_EQ(paths[i].ShapeCache != nullptr, !expected.empty()) << i;
        if (paths[i].ShapeCache) EXPECT_EQ(*paths[i].ShapeCache, expected) << i;
    }
}

TEST(ShapeExport, AlignmentPutsStyleArraysOnByteBoundaries) {
    const BitString path = EncodePathRecords(Square(0, 0, 10));
    EXPECT_TRUE(AlignStyleBits(BitString{}, 3).empty());
    EXPECT_EQ(AlignStyleBits(path, 2), path);  // (2 + 6) mod 8 = 0
    EXPECT_EQ(BitText(AlignStyleBits(path, 24)), BitText(path).substr(0, 6) + "00" + BitText(path).substr(6));
    for (std::size_t lead = 0; lead < 17; ++lead) {
        BitString viaAlign, viaAppend;
        viaAlign.appendZeros(lead);
        viaAppend.appendZeros(lead);
        viaAlign.append(AlignStyleBits(path, lead));
        AppendAlignedPath(viaAppend, path);
        EXPECT_EQ(viaAppend, viaAlign) << lead;
        EXPECT_EQ((lead + (viaAlign.size() - lead - path.size()) + 6) % 8, 0u) << lead;
    }
}

TEST(ShapeExport, MidpointsRoundHalvesToEven) {
    const std::int64_t lo = std::numeric_limits<std::int32_t>::min(), hi = std::numeric_limits<std::int32_t>::max();
    const struct { std::int64_t a, b, mid; } cases[] = {
        {1, 2, 2}, {3, 2, 2}, {4, 6, 5}, {-1, -2, -2}, {-3, 0, -2}, {-1, 0, 0}, {hi, hi, hi}, {lo, hi, 0},
        {lo, lo, lo}};
    for (const auto& c : cases) EXPECT_EQ(MidpointHalfEven(c.a, c.b), c.mid) << c.a << " " << c.b;
}
