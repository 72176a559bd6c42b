#include "core/BitString.h"

#include <bit>
#include <cstring>

void BitString::append(std::uint32_t value, int width) {
    if (width <= 0) return;
    if (width < 32) value &= (std::uint32_t{1} << width) - 1;
    // The open last byte's bits and the new ones (at most 7 + 32) in one
    // word, most significant first, then stored a byte at a time.
    const std::size_t at = bitCount_ >> 3;
    const int used = static_cast<int>(bitCount_ & 7);
    std::uint64_t word = std::uint64_t{value} << (64 - used - width);
    if (used != 0) word |= std::uint64_t{bytes_[at]} << 56;
    const int count = (used + width + 7) >> 3;
    int i = 0;
    if (used != 0) bytes_[at] = static_cast<std::uint8_t>(word >> 56), i = 1;
    for (; i < count; ++i) bytes_.push_back(static_cast<std::uint8_t>(word >> (56 - 8 * i)));
    bitCount_ += static_cast<std::size_t>(width);
}

namespace {
std::uint64_t LoadBigEndian64(const std::uint8_t* p) {
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    if constexpr (std::endian::native == std::endian::little) v = __builtin_bswap64(v);
    return v;
}

void StoreBigEndian64(std::uint8_t* p, std::uint64_t v) {
    if constexpr (std::endian::native == std::endian::little) v = __builtin_bswap64(v);
    std::memcpy(p, &v, 8);
}

// Up to 8 bits starting at bit `from` of `src`, right-aligned.
std::uint32_t ReadBits(const std::vector<std::uint8_t>& src, std::size_t from, int count) {
    const std::size_t at = from >> 3;
    std::uint32_t window = static_cast<std::uint32_t>(src[at]) << 8;
    if (at + 1 < src.size()) window |= src[at + 1];
    const int shift = 16 - static_cast<int>(from & 7) - count;
    return (window >> shift) & ((1u << count) - 1);
}
}  // namespace

void BitString::append(const BitString& other, std::size_t fromBit) {
    if (&other == this) {
        const BitString copy = other;
        append(copy, fromBit);
        return;
    }
    if (fromBit >= other.bitCount_) return;
    std::size_t count = other.bitCount_ - fromBit;
    // Fill the open last byte first so that the rest lands on a byte boundary.
    const int used = static_cast<int>(bitCount_ & 7);
    if (used != 0) {
        const int take = count < static_cast<std::size_t>(8 - used) ? static_cast<int>(count) : 8 - used;
        append(ReadBits(other.bytes_, fromBit, take), take);
        fromBit += static_cast<std::size_t>(take);
        count -= static_cast<std::size_t>(take);
        if (count == 0) return;
    }
    const std::size_t outBytes = (count + 7) / 8;
    const std::size_t first = bytes_.size();
    bytes_.resize(first + outBytes);
    std::uint8_t* dst = bytes_.data() + first;
    const std::uint8_t* src = other.bytes_.data() + (fromBit >> 3);
    const std::size_t srcBytes = other.bytes_.size() - (fromBit >> 3);
    const int shift = static_cast<int>(fromBit & 7);
    if (shift == 0) {
        std::memcpy(dst, src, outBytes);
    } else {
        std::size_t k = 0;
        for (; k + 8 <= outBytes && k + 8 < srcBytes; k += 8) {
            const std::uint64_t word = (LoadBigEndian64(src + k) << shift) | (src[k + 8] >> (8 - shift));
            StoreBigEndian64(dst + k, word);
        }
        for (; k < outBytes; ++k) {
            const std::uint8_t low = k + 1 < srcBytes ? static_cast<std::uint8_t>(src[k + 1] >> (8 - shift)) : 0;
            dst[k] = static_cast<std::uint8_t>((src[k] << shift) | low);
        }
    }
    // Bits past the end of `other` are zero, so the new last byte's fill is clean.
    bitCount_ += count;
}

void BitString::appendZeros(std::size_t count) {
    bitCount_ += count;
    bytes_.resize((bitCount_ + 7) / 8, 0);
}

void BitString::padToByte() {
    bitCount_ = (bitCount_ + 7) & ~std::size_t{7};
}
