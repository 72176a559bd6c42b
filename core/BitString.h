#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// A compact string of bits, most significant bit first, as the movie format
// packs its records. Appending whole bytes when the string is byte-aligned is
// a plain copy; otherwise bytes are merged with shifts, never bit by bit.
class BitString {
public:
    std::size_t size() const { return bitCount_; }
    bool empty() const { return bitCount_ == 0; }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

    // Appends the low `width` bits of value (width 0..32), MSB first.
    void append(std::uint32_t value, int width);
    void append(const BitString& other) { append(other, 0); }
    // Appends bits fromBit..size()-1 of other, eight bytes at a time.
    void append(const BitString& other, std::size_t fromBit);
    void appendZeros(std::size_t count);
    // Pads with zero bits to the next whole byte.
    void padToByte();
    bool bit(std::size_t index) const { return (bytes_[index >> 3] >> (7 - (index & 7))) & 1; }
    void clear() { bytes_.clear(); bitCount_ = 0; }
    void reserveBits(std::size_t bits) { bytes_.reserve((bits + 7) / 8); }

    bool operator==(const BitString& o) const { return bitCount_ == o.bitCount_ && bytes_ == o.bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t bitCount_ = 0;
};
