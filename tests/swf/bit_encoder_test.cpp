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
    for (const auto& c : cases) EXPECT_EQ(Bits(c.value, c.width), c.text) << c.value << " in " << c.width;
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
