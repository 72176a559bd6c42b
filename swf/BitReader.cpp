#include "swf/BitReader.h"

#include <bit>
#include <cstring>

std::uint32_t BitReader::readUBNearEnd(int width) {
    if (width <= 0) return 0;
    if (width > 32 || bitsLeft() < static_cast<std::size_t>(width)) {
        failed_ = true;
        bitPos_ = size_ * 8;
        return 0;
    }
    std::uint64_t value = 0;
    int remaining = width;
    while (remaining > 0) {
        const std::size_t byteIndex = bitPos_ >> 3;
        const int used = static_cast<int>(bitPos_ & 7);
        const int room = 8 - used;
        const int take = remaining < room ? remaining : room;
        const unsigned bits = (data_[byteIndex] >> (room - take)) & ((1u << take) - 1);
        value = (value << take) | bits;
        bitPos_ += static_cast<std::size_t>(take);
        remaining -= take;
    }
    return static_cast<std::uint32_t>(value);
}

std::uint8_t BitReader::readU8() {
    alignToByte();
    return static_cast<std::uint8_t>(readUB(8));
}

std::uint16_t BitReader::readU16() {
    const std::uint16_t lo = readU8();
    const std::uint16_t hi = readU8();
    return static_cast<std::uint16_t>(lo | (hi << 8));
}

std::uint32_t BitReader::readU32() {
    const std::uint32_t lo = readU16();
    const std::uint32_t hi = readU16();
    return lo | (hi << 16);
}

bool BitReader::skipBytes(std::size_t count) {
    alignToByte();
    if (bytesLeft() < count) {
        failed_ = true;
        bitPos_ = size_ * 8;
        return false;
    }
    bitPos_ += count * 8;
    return true;
}
