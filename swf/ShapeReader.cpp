#include "swf/ShapeReader.h"

#include <algorithm>
#include <cstring>

#include "swf/RecordReaders.h"

namespace {

std::uint64_t Mix(std::uint64_t h, std::uint64_t v) {
    h ^= v + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2);
    h *= 0xFF51AFD7ED558CCDull;
    return h ^ (h >> 32);
}

SwfColor ReadColor(BitReader& r, int tagCode) { return tagCode == TagDefineShape3 ? ReadRgba(r) : ReadRgb(r); }

std::size_t ReadStyleCount(BitReader& r, int tagCode) {
    std::size_t count = r.readU8();
    if (count == 0xFF && tagCode != TagDefineShape) count = r.readU16();
    return count;
}

std::string ReadFillStyle(BitReader& r, int tagCode, FillStyle& fill) {
    fill.Type = r.readU8();
    switch (fill.Type) {
    case FillSolid:
        fill.Color = ReadColor(r, tagCode);
        return {};
    case FillLinearGradient:
    case FillRadialGradient: {
        fill.Matrix = ReadMatrix(r);
        const int count = r.readU8() & 15;
        for (int i = 0; i < count && !r.failed(); ++i) {
            GradientStop stop;
            stop.Ratio = r.readU8();
            stop.Color = ReadColor(r, tagCode);
            fill.Stops.push_back(stop);
        }
        return {};
    }
    case FillRepeatingBitmap:
    case FillClippedBitmap:
    case FillRepeatingBitmapHard:
    case FillClippedBitmapHard:
        fill.BitmapId = r.readU16();
        fill.Matrix = ReadMatrix(r);
        return {};
    default:
        return "unknown fill style type " + std::to_string(fill.Type);
    }
}

std::string ReadStyleArrays(BitReader& r, int tagCode, StyleSet& set) {
    const std::size_t fillCount = ReadStyleCount(r, tagCode);
    for (std::size_t i = 0; i < fillCount; ++i) {
        FillStyle fill;
        std::string reason = ReadFillStyle(r, tagCode, fill);
        if (!reason.empty()) return reason;
        if (r.failed()) return "fill styles run past the tag";
        set.Fills.push_back(std::move(fill));
    }
    const std::size_t lineCount = ReadStyleCount(r, tagCode);
    for (std::size_t i = 0; i < lineCount; ++i) {
        LineStyle line;
        line.Width = r.readU16();
        line.Color = ReadColor(r, tagCode);
        if (r.failed()) return "line styles run past the tag";
        set.Lines.push_back(line);
    }
    return r.failed() ? "style arrays run past the tag" : std::string{};
}

// Where the current layer's bits began and the pre-style fields that belong to it.
struct OpenLayer {
    std::size_t HashStartBit = 0;
    std::uint64_t Seed = 0;
};

void CloseLayer(const BitReader& r, ShapeDefinition& shape, const OpenLayer& open, std::size_t endBit) {
    LayerSpan& span = shape.Layers.back();
    span.EndRecord = shape.Records.size();
    span.Hash = HashBits(r.data(), open.HashStartBit, endBit, open.Seed);
}

void ReadEdge(BitReader& r, ShapeRecord& rec) {
    const bool straight = r.readUB(1) != 0;
    const int bits = static_cast<int>(r.readUB(4)) + 2;
    if (straight) {
        rec.Type = ShapeRecordType::StraightEdge;
        if (r.readUB(1)) {
            rec.DeltaX = r.readSB(bits);
            rec.DeltaY = r.readSB(bits);
        } else if (r.readUB(1)) {
            rec.DeltaY = r.readSB(bits);
        } else {
            rec.DeltaX = r.readSB(bits);
        }
    } else {
        rec.Type = ShapeRecordType::CurvedEdge;
        rec.ControlX = r.readSB(bits);
        rec.ControlY = r.readSB(bits);
        rec.DeltaX = r.readSB(bits);
        rec.DeltaY = r.readSB(bits);
    }
}

}  // namespace

std::uint64_t HashBits(const std::uint8_t* data, std::size_t beginBit, std::size_t endBit, std::uint64_t seed) {
    std::uint64_t h = Mix(seed, endBit - beginBit);
    std::size_t pos = beginBit >> 3;
    const std::size_t fullEnd = endBit >> 3;
    for (; pos + 8 <= fullEnd; pos += 8) {
        std::uint64_t word;
        std::memcpy(&word, data + pos, 8);
        h = Mix(h, word);
    }
    std::uint64_t tail = 0;
    for (; pos < fullEnd; ++pos) tail = (tail << 8) | data[pos];
    const int restBits = static_cast<int>(endBit & 7);
    if (restBits) tail = (tail << 8) | (data[fullEnd] & (0xFF00u >> restBits) & 0xFF);
    return Mix(h, tail);
}

std::string ReadShape(BitReader& r, int tagCode, ShapeDefinition& shape, std::size_t& recordBudget) {
    shape.TagCode = tagCode;
    shape.Id = r.readU16();
    shape.Bounds = ReadRect(r);
    r.alignToByte();
    OpenLayer open{r.bitPosition(), 0};
    shape.StyleSets.emplace_back();
    if (std::string reason = ReadStyleArrays(r, tagCode, shape.StyleSets.back()); !reason.empty()) return reason;
    int fillBits = static_cast<int>(r.readUB(4));
    int lineBits = static_cast<int>(r.readUB(4));
    shape.Layers.push_back({});
    // Edges take some 40 bits as this program writes them; growing beyond is rare.
    shape.Records.reserve(std::min(recordBudget, r.bitsLeft() / 40));
    std::int32_t penX = 0, penY = 0;

    for (;;) {
        const std::size_t recordStart = r.bitPosition();
        ShapeRecord rec;
        if (r.readUB(1) == 0) {
            const std::uint32_t flags = r.readUB(5);
            if (r.failed()) break;
            if (flags == 0) {
                CloseLayer(r, shape, open, recordStart);
                return {};
            }
            rec.HasNewStyles = flags & 16;
            rec.HasLine = flags & 8;
            rec.HasFill1 = flags & 4;
            rec.HasFill0 = flags & 2;
            rec.HasMoveTo = flags & 1;
            if (rec.HasMoveTo) {
                const int bits = static_cast<int>(r.readUB(5));
                rec.MoveX = r.readSB(bits);
                rec.MoveY = r.readSB(bits);
            }
            if (rec.HasFill0) rec.Fill0 = r.readUB(fillBits);
            if (rec.HasFill1) rec.Fill1 = r.readUB(fillBits);
            if (rec.HasLine) rec.Line = r.readUB(lineBits);
            if (rec.HasNewStyles && !r.failed()) {
                CloseLayer(r, shape, open, recordStart);
                std::uint64_t seed = Mix(rec.HasMoveTo ? 1 : 0, static_cast<std::uint32_t>(rec.MoveX));
                seed = Mix(seed, static_cast<std::uint32_t>(rec.MoveY));
                seed = Mix(seed, (std::uint64_t{flags} << 48) ^ (std::uint64_t{rec.Fill0} << 32) ^
                                     (std::uint64_t{rec.Fill1} << 16) ^ rec.Line);
                r.alignToByte();
                open = {r.bitPosition(), seed};
                rec.StyleSetIndex = static_cast<std::uint32_t>(shape.StyleSets.size());
                shape.StyleSets.emplace_back();
                if (std::string reason = ReadStyleArrays(r, tagCode, shape.StyleSets.back()); !reason.empty()) {
                    shape.StyleSets.pop_back();
                    return reason;
                }
                fillBits = static_cast<int>(r.readUB(4));
                lineBits = static_cast<int>(r.readUB(4));
                LayerSpan span;
                span.StyleSetIndex = rec.StyleSetIndex;
                span.FirstRecord = shape.Records.size();
                span.PenX = penX;
                span.PenY = penY;
                shape.Layers.push_back(span);
            }
            if (rec.HasMoveTo) {
                penX = rec.MoveX;
                penY = rec.MoveY;
            }
        } else {
            ReadEdge(r, rec);
            const std::int64_t x = std::int64_t{penX} + rec.ControlX + rec.DeltaX;
            const std::int64_t y = std::int64_t{penY} + rec.ControlY + rec.DeltaY;
            penX = static_cast<std::int32_t>(x);
            penY = static_cast<std::int32_t>(y);
        }
        if (r.failed()) break;
        if (recordBudget == 0) {
            CloseLayer(r, shape, open, recordStart);
            return "too many shape records";
        }
        --recordBudget;
        shape.Records.push_back(rec);
    }
    CloseLayer(r, shape, open, r.bitPosition() < r.size() * 8 ? r.bitPosition() : r.size() * 8);
    return "shape " + std::to_string(shape.Id) + " ends without its end record";
}
