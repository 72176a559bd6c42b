#include <gtest/gtest.h>

#include "core/BitString.h"

// The bit order, padding and zero runs show in every golden byte string of the
// movie writer; appending a range has a word-wise fast path of its own.
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
