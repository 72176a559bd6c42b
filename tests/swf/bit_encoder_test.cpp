#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/swf/BitText.h"
#include "swf/BitEncoder.h"

namespace {
std::string Bits(std::int64_t value, int width) {
    BitString b;
    ToBitString(b, value, width);
    return BitText(b);
}

std::string Fixed(double v) {
    BitString b;
    FixedBits(b, v);
    return BitText(b);
}
}  // namespace

TEST(BitEncoder, ToBitStringKeepsLowBitsInTwosComplement) {
    struct Case {
        std::int64_t value;
        int width;
        std::string text;
    } cases[] = {
        {5, 8, "00000101"},
        {-5, 8, "11111011"},
        {-1, 17, std::string(17, '1')},
        {70000, 17, Bits(70000 - 131072, 17)},
        {70000, 17, "10001000101110000"},
        {std::numeric_limits<std::int32_t>::min(), 30, std::string(30, '0')},
        {std::numeric_limits<std::int64_t>::max(), 16, std::string(16, '1')},
        // Bits 30 and 31 are never written.
        {-1, 32, std::string(30, '1')},
        {0x40000001, 31, std::string(29, '0') + "1"},
    };
    for (const Case& c : cases) EXPECT_EQ(Bits(c.value, c.width), c.text) << c.value << " in " << c.width;
}

TEST(BitEncoder, FixedBitsSplitsWholeAndFraction) {
    struct Case {
        double value;
        std::string text;
    } cases[] = {
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
    for (const Case& c : cases) EXPECT_EQ(Fixed(c.value), c.text) << c.value;
}

TEST(BitEncoder, ByteConversions) {
    EXPECT_EQ(WordToBytes(-9729), (std::array<std::uint8_t, 2>{0xFF, 0xD9}));
    EXPECT_EQ(WordToBytes(300), (std::array<std::uint8_t, 2>{0x2C, 0x01}));
    EXPECT_EQ(LongToBytes(97), (std::array<std::uint8_t, 4>{97, 0, 0, 0}));
    EXPECT_EQ(LongToBytes(0x12345678u), (std::array<std::uint8_t, 4>{0x78, 0x56, 0x34, 0x12}));

    BitString color;
    ColorBits(color, PackColor(0, 0, 255, 128));
    EXPECT_EQ(HexText(BitStringToBytes(color)), "0000FF80");
    BitString rgba;
    ColorBits(rgba, PackColor(1, 2, 3, 4));
    EXPECT_EQ(HexText(BitStringToBytes(rgba)), "01020304");
}

TEST(BitEncoder, RecordsHaveFixedWidths) {
    BitString rect16;
    EncodeRect16(rect16, 0, 6400, 0, 6400);
    EXPECT_EQ(rect16.size(), 69u);
    EXPECT_EQ(HexText(BitStringToBytes(rect16)), "800000C8000000C800");  // last three bits are fill

    BitString rect24;
    EncodeRect24(rect24, 0, 6400, 0, 6400);
    EXPECT_EQ(rect24.size(), 101u);
    EXPECT_EQ(HexText(BitStringToBytes(rect24)), "C000000000C80000000000C800");

    BitString identity;
    EncodeMatrix(identity, 1.0f, 1.0f, 0.0f, 0.0f, 0, 0);
    EXPECT_EQ(identity.size(), 159u);
    EXPECT_EQ(HexText(BitStringToBytes(identity)), "E00400000400038000000000000B800000000000");

    BitString moved;
    EncodeMatrix(moved, 1.0f, 1.0f, 0.0f, 0.0f, 200, -400);
    EXPECT_EQ(BitText(moved).substr(113), Bits(200, 23) + Bits(-400, 23));

    BitString cx;
    EncodeCxformAlpha(cx, {256, 256, 256, 255}, {0, 0, 0, 0});
    EXPECT_EQ(cx.size(), 126u);
    EXPECT_EQ(HexText(BitStringToBytes(cx)), "FC0800100020003FC000000000000000");
}

TEST(BitEncoder, MovieBufferCopiesAreBoundsChecked) {
    // Long tag headers and their patched lengths show in the empty movie's bytes.
    SWFMakeCore mk;
    AppendHex(mk, "4000");
    const std::uint8_t src[2] = {0x12, 0x34};
    CopyToMovie(mk, 0, src, 2);
    EXPECT_EQ(HexText(mk.MovieBuffer), "1234");
    EXPECT_THROW(CopyToMovie(mk, 1, src, 2), std::out_of_range);
    EXPECT_THROW(AppendHex(mk, "0G"), std::invalid_argument);
}
