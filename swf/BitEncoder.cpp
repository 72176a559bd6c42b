#include "swf/BitEncoder.h"

#include <cmath>
#include <stdexcept>

namespace {
int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    throw std::invalid_argument("not a hexadecimal digit");
}
}  // namespace

std::size_t GrowMovie(SWFMakeCore& mk, std::size_t n) {
    const std::size_t first = mk.MovieBuffer.size();
    mk.MovieBuffer.resize(first + n, '\0');
    return first;
}

void AppendHex(SWFMakeCore& mk, std::string_view hex) {
    const std::size_t first = GrowMovie(mk, hex.size() / 2);
    for (std::size_t k = 0; k < hex.size() / 2; ++k)
        mk.MovieBuffer[first + k] = static_cast<char>(HexDigit(hex[2 * k]) * 16 + HexDigit(hex[2 * k + 1]));
}

void CopyToMovie(SWFMakeCore& mk, std::size_t start, const std::uint8_t* source, std::size_t count) {
    if (start > mk.MovieBuffer.size() || count > mk.MovieBuffer.size() - start)
        throw std::out_of_range("CopyToMovie past the end of the movie buffer");
    for (std::size_t i = 0; i < count; ++i) mk.MovieBuffer[start + i] = static_cast<char>(source[i]);
}

void AppendBits(SWFMakeCore& mk, const BitString& bits) {
    const auto& bytes = bits.bytes();
    mk.MovieBuffer.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

std::array<std::uint8_t, 4> LongToBytes(std::uint32_t value) {
    return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

std::array<std::uint8_t, 2> WordToBytes(std::int64_t value) {
    const auto bits = static_cast<std::uint64_t>(value);
    return {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8)};
}

std::size_t BeginLongTag(SWFMakeCore& mk, int code) {
    const auto header = WordToBytes((code << 6) | 0x3F);
    const std::size_t at = GrowMovie(mk, 2);
    CopyToMovie(mk, at, header.data(), header.size());
    return GrowMovie(mk, 4);
}

void PatchTagLength(SWFMakeCore& mk, std::size_t lengthIndex) {
    const auto length = LongToBytes(static_cast<std::uint32_t>(mk.MovieBuffer.size() - lengthIndex - 4));
    CopyToMovie(mk, lengthIndex, length.data(), length.size());
}

void ToBitString(BitString& out, std::int64_t value, int width) {
    if (width <= 0) return;
    if (width > 30) width = 30;
    const std::uint64_t mask = (std::uint64_t{1} << width) - 1;
    out.append(static_cast<std::uint32_t>(static_cast<std::uint64_t>(value) & mask), width);
}

void FixedBits(BitString& out, double value) {
    const double whole = std::floor(value);
    if (!std::isfinite(whole)) {
        out.append(0, 24);
        return;
    }
    // Only the low 8 bits of the whole part are written; fmod keeps them
    // exactly without converting a huge value to an integer.
    ToBitString(out, static_cast<std::int64_t>(std::fmod(whole, 256.0)), 8);
    ToBitString(out, static_cast<std::int64_t>(std::floor((value - whole) * 65536.0)), 16);
}

void ColorBits(BitString& out, std::int32_t packed) {
    const auto v = static_cast<std::uint32_t>(packed);
    out.append(((v & 0xFFu) << 24) | (((v >> 8) & 0xFFu) << 16) | (((v >> 16) & 0xFFu) << 8) | (v >> 24), 32);
}

void EncodeRect(BitString& out, int width, std::int64_t xMin, std::int64_t xMax, std::int64_t yMin,
                std::int64_t yMax) {
    ToBitString(out, width, 5);
    ToBitString(out, xMin, width);
    ToBitString(out, xMax, width);
    ToBitString(out, yMin, width);
    ToBitString(out, yMax, width);
}

void EncodeRect24(BitString& out, std::int64_t xMin, std::int64_t xMax, std::int64_t yMin, std::int64_t yMax) {
    EncodeRect(out, 24, xMin, xMax, yMin, yMax);
}

void EncodeMatrix(BitString& out, float scaleX, float scaleY, float rotateSkew0, float rotateSkew1,
                  std::int64_t translateX, std::int64_t translateY) {
    out.append(0b111000, 6);  // HasScale, NScaleBits 24
    FixedBits(out, scaleX);
    FixedBits(out, scaleY);
    out.append(0b111000, 6);  // HasRotate, NRotateBits 24
    FixedBits(out, rotateSkew0);
    FixedBits(out, rotateSkew1);
    out.append(0b10111, 5);  // NTranslateBits 23
    ToBitString(out, translateX, 23);
    ToBitString(out, translateY, 23);
}

void EncodeCxformAlpha(BitString& out, const std::array<std::int32_t, 4>& multTerms,
                       const std::array<std::int32_t, 4>& addTerms) {
    out.append(0b111111, 6);  // HasAddTerms, HasMultTerms, Nbits 15
    for (std::int32_t term : multTerms) ToBitString(out, term, 15);
    for (std::int32_t term : addTerms) ToBitString(out, term, 15);
}
