#include <gtest/gtest.h>

#include "core/BitString.h"

TEST(BitString, AppendsFieldsMostSignificantFirstAcrossBytes) {
    BitString bits;
    bits.append(0b101, 3);
    bits.append(0xABCD, 16);
    bits.append(1, 1);
    ASSERT_EQ(bits.size(), 20u);
    // 101 1010101111001101 1 -> 1011 0101 | 0111 1001 | 1011 (0000)
    EXPECT_EQ(bits.bytes(), (std::vector<std::uint8_t>{0xB5, 0x79, 0xB0}));
}

TEST(BitString, PaddingAndZerosKeepTrailingBitsClear) {
    BitString bits;
    bits.append(1, 1);
    bits.padToByte();
    bits.appendZeros(3);
    bits.append(7, 3);
    EXPECT_EQ(bits.size(), 14u);
    EXPECT_EQ(bits.bytes(), (std::vector<std::uint8_t>{0x80, 0x1C}));
    EXPECT_TRUE(bits.bit(11));
    EXPECT_FALSE(bits.bit(10));
}

// append(other) is append(other, 0).
TEST(BitString, AppendingARangeMatchesAppendingItsBitsOneByOne) {
    BitString source;
    for (std::uint32_t k = 0; k < 40; ++k) source.append(k * 2654435761u, 13);  // 520 bits of varied content
    for (std::size_t lead = 0; lead < 9; ++lead) {
        for (std::size_t from : {std::size_t{0}, std::size_t{1}, std::size_t{6}, std::size_t{7}, std::size_t{8},
                                 std::size_t{67}, std::size_t{500}, std::size_t{519}, std::size_t{520}}) {
            BitString fast, slow;
            fast.append(0x1FF, static_cast<int>(lead));
            slow.append(0x1FF, static_cast<int>(lead));
            fast.append(source, from);
            for (std::size_t i = from; i < source.size(); ++i) slow.append(source.bit(i) ? 1 : 0, 1);
            EXPECT_EQ(fast, slow) << "lead " << lead << " from " << from;
        }
    }
    BitString self;
    self.append(0b10110, 5);
    self.append(self, 2);
    EXPECT_EQ(self.size(), 8u);
    EXPECT_EQ(self.bytes(), (std::vector<std::uint8_t>{0b10110110}));
}
