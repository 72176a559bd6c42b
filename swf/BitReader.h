#pragma once
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

// Reads the movie format's bit fields (most significant bit first) and its
// little-endian byte fields from a byte range. Reading past the end sets
// `failed()` and yields zeros, so callers check once after a record.
class BitReader {
public:
    BitReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    // Unsigned field of `width` bits (0..32). Inline: shapes read millions.
    std::uint32_t readUB(int width) {
        const std::size_t byteIndex = bitPos_ >> 3;
        if (width <= 0 || width > 32 || byteIndex + 8 > size_) return readUBNearEnd(width);
        // One big-endian 64-bit window holds the offset (< 8) plus the field (<= 32).
        std::uint64_t window;
        std::memcpy(&window, data_ + byteIndex, 8);
        if constexpr (std::endian::native == std::endian::little) window = __builtin_bswap64(window);
        const std::uint64_t value = (window << (bitPos_ & 7)) >> (64 - width);
        bitPos_ += static_cast<std::size_t>(width);
        return static_cast<std::uint32_t>(value);
    }
    // Signed field of `width` bits (0..32), sign-extended.
    std::int32_t readSB(int width) {
        const std::uint32_t raw = readUB(width);
        if (width <= 0 || width >= 32) return static_cast<std::int32_t>(raw);
        const std::uint32_t sign = std::uint32_t{1} << (width - 1);
        return static_cast<std::int32_t>((raw ^ sign) - sign);
    }
    // Signed 16.16 fixed field of `width` bits.
    double readFB(int width) { return readSB(width) / 65536.0; }

    // Byte fields start on a byte boundary: these align first.
    std::uint8_t readU8();
    std::uint16_t readU16();
    std::uint32_t readU32();
    void alignToByte() { bitPos_ = (bitPos_ + 7) & ~std::size_t{7}; }
    // Skips `count` whole bytes after aligning; false (and failed) when fewer are left.
    bool skipBytes(std::size_t count);

    std::size_t bitPosition() const { return bitPos_; }
    std::size_t bytePosition() const { return (bitPos_ + 7) >> 3; }
    std::size_t bitsLeft() const { return bitPos_ >= size_ * 8 ? 0 : size_ * 8 - bitPos_; }
    std::size_t bytesLeft() const { return bytePosition() >= size_ ? 0 : size_ - bytePosition(); }
    bool failed() const { return failed_; }
    const std::uint8_t* data() const { return data_; }
    std::size_t size() const { return size_; }

private:
    // readUB within the last eight bytes, or of a width out of range.
    std::uint32_t readUBNearEnd(int width);
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t bitPos_ = 0;
    bool failed_ = false;
};
