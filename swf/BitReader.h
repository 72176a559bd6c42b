#pragma once
#include <cstddef>
#include <cstdint>

// Reads the movie format's bit fields (most significant bit first) and its
// little-endian byte fields from a byte range. Reading past the end sets
// `failed()` and yields zeros, so callers check once after a record.
class BitReader {
public:
    BitReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    // Unsigned field of `width` bits (0..32).
    std::uint32_t readUB(int width);
    // Signed field of `width` bits (0..32), sign-extended.
    std::int32_t readSB(int width);
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
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t bitPos_ = 0;
    bool failed_ = false;
};
