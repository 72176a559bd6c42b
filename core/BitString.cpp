#include "core/BitString.h"

void BitString::append(std::uint32_t value, int width) {
    if (width <= 0) return;
    if (width < 32) value &= (std::uint32_t{1} << width) - 1;
    int remaining = width;
    while (remaining > 0) {
        const int used = static_cast<int>(bitCount_ & 7);
        if (used == 0) bytes_.push_back(0);
        const int room = 8 - used;
        const int take = remaining < room ? remaining : room;
        const std::uint32_t chunk = (value >> (remaining - take)) & ((1u << take) - 1);
        bytes_.back() |= static_cast<std::uint8_t>(chunk << (room - take));
        bitCount_ += static_cast<std::size_t>(take);
        remaining -= take;
    }
}

void BitString::append(const BitString& other) {
    if (other.bitCount_ == 0) return;
    const int shift = static_cast<int>(bitCount_ & 7);
    if (shift == 0) {
        bytes_.insert(bytes_.end(), other.bytes_.begin(), other.bytes_.end());
    } else {
        bytes_.reserve(bytes_.size() + other.bytes_.size());
        for (std::uint8_t b : other.bytes_) {
            bytes_.back() |= static_cast<std::uint8_t>(b >> shift);
            bytes_.push_back(static_cast<std::uint8_t>(b << (8 - shift)));
        }
    }
    bitCount_ += other.bitCount_;
    bytes_.resize((bitCount_ + 7) / 8);
}

void BitString::appendZeros(std::size_t count) {
    bitCount_ += count;
    bytes_.resize((bitCount_ + 7) / 8, 0);
}

void BitString::padToByte() {
    bitCount_ = (bitCount_ + 7) & ~std::size_t{7};
}
