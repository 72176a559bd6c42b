#include "swf/MovieAssembly.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "core/FileBytes.h"
#include "swf/BitEncoder.h"

namespace {
constexpr std::size_t kFileLengthIndex = 4;
constexpr std::size_t kFrameSizeIndex = 8;
constexpr int kFrameFieldBits = 16;

// Bits of the frame's fields: 16, or as many as the larger side's twips need
// with their sign bit.
int FrameFieldBits(std::int32_t canvasWidth, std::int32_t canvasHeight) {
    const std::int64_t twips = std::max<std::int64_t>(canvasWidth, canvasHeight) * 20;
    int bits = kFrameFieldBits;
    while (bits < 30 && twips >= (std::int64_t{1} << (bits - 1))) ++bits;
    return bits;
}

// Signature, version and FileLength; the frame RECT; rate and FrameCount.
std::size_t HeaderSizeOfFieldBits(int bits) { return kFrameSizeIndex + (5 + 4 * bits + 7) / 8 + 4; }

// The low byte of floor(v); zero for a value that is not finite.
std::uint8_t LowByteOfFloor(double v) {
    const double whole = std::floor(v);
    if (!std::isfinite(whole)) return 0;
    return static_cast<std::uint8_t>(static_cast<std::int64_t>(std::fmod(whole, 256.0)));
}

void PatchHeader(SWFMakeCore& mk) {
    if (mk.MovieBuffer.size() <= kFrameSizeIndex) return;
    const std::size_t headerSize = HeaderSizeOfFieldBits(static_cast<std::uint8_t>(mk.MovieBuffer[kFrameSizeIndex]) >> 3);
    if (mk.MovieBuffer.size() < headerSize) return;
    const auto total = LongToBytes(static_cast<std::uint32_t>(mk.MovieBuffer.size()));
    CopyToMovie(mk, kFileLengthIndex, total.data(), total.size());
    const auto frames = WordToBytes(mk.FrameCounter);
    CopyToMovie(mk, headerSize - 2, frames.data(), frames.size());
}
}  // namespace

std::size_t MovieHeaderSize(std::int32_t canvasWidth, std::int32_t canvasHeight) {
    return HeaderSizeOfFieldBits(FrameFieldBits(canvasWidth, canvasHeight));
}

void WriteMovieHeader(SWFMakeCore& mk, std::uint8_t version, std::int32_t canvasWidth, std::int32_t canvasHeight,
                      float rate) {
    mk.MovieBuffer.clear();
    mk.FrameCounter = 0;
    AppendHex(mk, "465753");  // FWS: uncompressed
    CopyToMovie(mk, GrowMovie(mk, 1), &version, 1);
    GrowMovie(mk, 4);  // FileLength
    BitString frameSize;
    EncodeRect(frameSize, FrameFieldBits(canvasWidth, canvasHeight), 0, std::int64_t{canvasWidth} * 20, 0,
               std::int64_t{canvasHeight} * 20);
    AppendBits(mk, frameSize);
    const std::uint8_t frameRate[2] = {LowByteOfFloor((rate - std::floor(rate)) * 256.0), LowByteOfFloor(rate)};
    CopyToMovie(mk, GrowMovie(mk, 2), frameRate, 2);
    GrowMovie(mk, 2);  // FrameCount
}

void PlaceCharacter(SWFMakeCore& mk, std::uint16_t characterId, std::int64_t translateX, std::int64_t translateY,
                    float scaleX, float scaleY, double rotation, std::int32_t colourAdd, std::int32_t alphaMultiplier,
                    std::uint16_t depth) {
    const std::size_t lengthIndex = BeginLongTag(mk, TagPlaceObject2);
    const auto depthBytes = WordToBytes(depth);
    const auto idBytes = WordToBytes(characterId);
    const std::uint8_t fields[5] = {0x0E, depthBytes[0], depthBytes[1], idBytes[0], idBytes[1]};
    CopyToMovie(mk, GrowMovie(mk, 5), fields, 5);  // has character, matrix, colour transform

    BitString bits;
    const double cosine = std::cos(rotation);
    const double sine = std::sin(rotation);
    EncodeMatrix(bits, static_cast<float>(scaleX * cosine), static_cast<float>(scaleY * cosine),
                 static_cast<float>(scaleX * sine), static_cast<float>(-(scaleY * sine)), translateX, translateY);
    bits.padToByte();
    EncodeCxformAlpha(bits, {256, 256, 256, alphaMultiplier}, {colourAdd, colourAdd, colourAdd, 0});
    AppendBits(mk, bits);
    PatchTagLength(mk, lengthIndex);
}

void WriteShowFrame(SWFMakeCore& mk) {
    AppendHex(mk, "4000");
    ++mk.FrameCounter;
}

void WriteEnd(SWFMakeCore& mk) { AppendHex(mk, "0000"); }

std::string TakeMovieBytes(SWFMakeCore& mk) {
    PatchHeader(mk);
    std::string bytes = std::move(mk.MovieBuffer);
    mk.MovieBuffer.clear();
    return bytes;
}

bool WriteMovieFile(SWFMakeCore& mk, const std::string& path) {
    PatchHeader(mk);
    const bool written = WriteFileReplacing(path, mk.MovieBuffer);
    mk.MovieBuffer.clear();
    return written;
}
