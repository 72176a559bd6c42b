#include "swf/BitmapTags.h"

#include <algorithm>

#include "swf/BitEncoder.h"

namespace {
// Edge and move fields hold 17 bits unless a side is longer.
constexpr int kEdgeBits = 17;
constexpr std::int64_t kMaxEdge = (std::int64_t{1} << (kEdgeBits - 1)) - 1;
constexpr std::int32_t kMaxPictureSide = 65535;

int SignedBitsFor(std::int64_t value) {
    int bits = 1;
    while (value > (std::int64_t{1} << (bits - 1)) - 1) ++bits;
    return bits;
}

// One side of the rectangle as straight edges of at most kMaxEdge twips each,
// so a picture wider than the 17-bit field still gets a closed outline.
void StraightEdges(BitString& out, bool vertical, std::int64_t delta) {
    do {
        const std::int64_t step = std::clamp(delta, -kMaxEdge, kMaxEdge);
        out.append(vertical ? 0b11111101 : 0b11111100, 8);  // straight, 17 bits, one axis
        ToBitString(out, step, kEdgeBits);
        delta -= step;
    } while (delta != 0);
}
}  // namespace

void DefineBitmap(SWFMakeCore& mk, std::uint16_t characterId, std::string_view jpeg) {
    if (jpeg.empty()) return;
    const std::size_t lengthIndex = BeginLongTag(mk, TagDefineBitsJpeg2);
    const auto id = WordToBytes(characterId);
    CopyToMovie(mk, GrowMovie(mk, 2), id.data(), id.size());
    AppendHex(mk, "FFD9FFD8");  // an empty encoding-table stream before the picture
    mk.MovieBuffer.append(jpeg.data(), jpeg.size());
    PatchTagLength(mk, lengthIndex);
}

void DefineBitmapShape(SWFMakeCore& mk, std::uint16_t shapeId, std::uint16_t bitmapId, std::int32_t width,
                       std::int32_t height) {
    const std::int64_t w = std::int64_t{std::clamp(width, 0, kMaxPictureSide)} * 20;
    const std::int64_t h = std::int64_t{std::clamp(height, 0, kMaxPictureSide)} * 20;
    const std::size_t lengthIndex = BeginLongTag(mk, TagDefineShape);
    const auto id = WordToBytes(shapeId);
    CopyToMovie(mk, GrowMovie(mk, 2), id.data(), id.size());
    BitString bounds;
    EncodeRect24(bounds, 0, w, 0, h);
    AppendBits(mk, bounds);
    AppendHex(mk, "0141");  // one clipped bitmap fill
    const auto bitmap = WordToBytes(bitmapId);
    CopyToMovie(mk, GrowMovie(mk, 2), bitmap.data(), bitmap.size());
    // Bitmap matrix scaled by 20, no line styles, one fill bit and no line bits.
    AppendHex(mk, "D9400005000001000010");

    BitString records;
    const int moveBits = std::max({kEdgeBits, SignedBitsFor(w), SignedBitsFor(h)});
    records.append(0b000101, 6);  // style change: fill style 1 and move-to
    ToBitString(records, moveBits, 5);
    ToBitString(records, w, moveBits);
    ToBitString(records, h, moveBits);
    records.append(1, 1);  // fill style 1
    StraightEdges(records, false, -w);
    StraightEdges(records, true, -h);
    StraightEdges(records, false, w);
    StraightEdges(records, true, h);
    records.append(0, 6);  // end of shape
    AppendBits(mk, records);
    PatchTagLength(mk, lengthIndex);
}
