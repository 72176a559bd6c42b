#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/BitString.h"
#include "swf/TagCodes.h"
#include "swf/SWFMakeCore.h"

// Byte buffer of the movie being built.

// Appends n zero bytes and returns the index of the first of them.
std::size_t GrowMovie(SWFMakeCore& mk, std::size_t n);
// Appends the bytes written as pairs of hexadecimal digits ("3F08").
void AppendHex(SWFMakeCore& mk, std::string_view hex);
// Overwrites bytes start..start+count-1, which must exist already.
void CopyToMovie(SWFMakeCore& mk, std::size_t start, const std::uint8_t* source, std::size_t count);
// Appends the bytes of a finished bit string (zero-padded to whole bytes).
void AppendBits(SWFMakeCore& mk, const BitString& bits);

// Least significant byte first.
std::array<std::uint8_t, 4> LongToBytes(std::uint32_t value);
// Low byte first; a negative value gives its 16-bit two's complement.
std::array<std::uint8_t, 2> WordToBytes(std::int64_t value);

// Long tag header (code, 0x3F in the low six bits) and four reserved length
// bytes; returns the index of the first length byte for PatchTagLength.
std::size_t BeginLongTag(SWFMakeCore& mk, int code);
// Stores the count of bytes after the length field into it.
void PatchTagLength(SWFMakeCore& mk, std::size_t lengthIndex);

// Bit-packed fields, appended most significant bit first.

// The low `width` bits (1..30) of value in two's complement; bits 30 and 31
// are never written, so a wider request still writes 30 bits.
void ToBitString(BitString& out, std::int64_t value, int width);
// 8.16 fixed value: 8 bits of floor(v), 16 bits of the fraction. Out-of-range
// values keep their low bits; a value that is not finite writes zeros.
void FixedBits(BitString& out, double value);
// RGBA record of a packed colour (red in the low byte).
void ColorBits(BitString& out, std::int32_t packed);
// RECT with fields of `width` bits (1..30): 5 + 4 × width bits.
void EncodeRect(BitString& out, int width, std::int64_t xMin, std::int64_t xMax, std::int64_t yMin, std::int64_t yMax);
// RECT with 24-bit fields (101 bits).
void EncodeRect24(BitString& out, std::int64_t xMin, std::int64_t xMax, std::int64_t yMin, std::int64_t yMax);
// MATRIX with both optional parts, 24-bit scale and rotate fields and 23-bit
// translation fields: 159 bits.
void EncodeMatrix(BitString& out, float scaleX, float scaleY, float rotateSkew0, float rotateSkew1,
                  std::int64_t translateX, std::int64_t translateY);
// CXFORMWITHALPHA with 15-bit fields: 126 bits. Multiplication terms are 8.8 fixed.
void EncodeCxformAlpha(BitString& out, const std::array<std::int32_t, 4>& multTerms,
                       const std::array<std::int32_t, 4>& addTerms);

