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

SwfColor ReadColor(BitReader& r, int tagCode) {
    return tagCode == TagDefineShape3 || tagCode == TagDefineShape4 ? ReadRgba(r) : ReadRgb(r);
}

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
    case FillRadialGradient:
    case FillFocalGradient: {
        fill.Matrix = ReadMatrix(r);
        const int count = r.readU8() & 15;
        for (int i = 0; i < count && !r.failed(); ++i) {
            SwfGradientStop stop;
            stop.Ratio = r.readU8();
            stop.Color = ReadColor(r, tagCode);
            fill.Stops.push_back(stop);
        }
        if (fill.Type == FillFocalGradient) fill.Focal = static_cast<std::int16_t>(r.readU16()) / 256.0;
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

// The fields after a DefineShape4 line's width: caps, joins and either a
// colour or a fill, of which a gradient's first stop stands for the colour.
std::string ReadLineStyle2(BitReader& r, LineStyle& line) {
    const std::uint32_t flags = r.readUB(16);  // bit fields, first bit highest
    if (((flags >> 12) & 3) == 2) r.readU16();  // miter limit
    if (!(flags & 0x0800)) {
        line.Color = ReadRgba(r);
        return {};
    }
    FillStyle fill;
    if (std::string reason = ReadFillStyle(r, TagDefineShape4, fill); !reason.empty()) return reason;
    line.Color = fill.Stops.empty() ? fill.Color : fill.Stops.front().Color;
    line.FromFill = fill.Type != FillSolid;
    return {};
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
        if (tagCode == TagDefineShape4) {
            if (std::string reason = ReadLineStyle2(r, line); !reason.empty()) return reason;
        } else {
            line.Color = ReadColor(r, tagCode);
        }
        if (r.failed()) return "line styles run past the tag";
        set.Lines.push_back(line);
    }
    return r.failed() ? "style arrays run past the tag" : std::string{};
}

// A layer's drawing depends on the pen it starts with only when an edge
// comes before its first move-to.
bool UsesPen(const ShapeDefinition& shape, const LayerSpan& span) {
    for (std::size_t i = span.FirstRecord; i < span.EndRecord; ++i) {
        const ShapeRecord& rec = shape.Records[i];
        if (rec.Type != ShapeRecordType::StyleChange) return true;
        if (rec.HasMoveTo) return false;
    }
    return false;
}

void CloseLayer(const BitReader& r, ShapeDefinition& shape, std::size_t endBit) {
    LayerSpan& span = shape.Layers.back();
    span.EndRecord = shape.Records.size();
    span.EndBit = endBit;
    span.Hash = HashBits(r.data(), span.BeginBit, endBit, span.Seed);
    span.UsesPen = UsesPen(shape, span);
}

std::string ReadLayerStyles(BitReader& r, int tagCode, ShapeDefinition& shape, int& fillBits, int& lineBits) {
    shape.StyleSets.emplace_back();
    if (std::string reason = ReadStyleArrays(r, tagCode, shape.StyleSets.back()); !reason.empty()) {
        shape.StyleSets.pop_back();
        return reason;
    }
    fillBits = static_cast<int>(r.readUB(4));
    lineBits = static_cast<int>(r.readUB(4));
    return {};
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

namespace {

// Where reading stopped early: the record opening the next layer, whose
// style arrays begin at BeginBit.
struct LayerStop {
    bool Stopped = false;
    std::size_t BeginBit = 0;
    std::uint64_t Seed = 0;
    std::int32_t PenX = 0, PenY = 0;
};

std::uint64_t StyleChangeSeed(const ShapeRecord& rec, std::uint32_t flags) {
    std::uint64_t seed = Mix(rec.HasMoveTo ? 1 : 0, static_cast<std::uint32_t>(rec.MoveX));
    seed = Mix(seed, static_cast<std::uint32_t>(rec.MoveY));
    return Mix(seed, (std::uint64_t{flags} << 48) ^ (std::uint64_t{rec.Fill0} << 32) ^ (std::uint64_t{rec.Fill1} << 16) ^
                         rec.Line);
}

// Reads records after a layer's style arrays and bit counts, layer after
// layer, up to the end record; or, when a layer's style arrays would begin at
// or after `stopBit`, up to the record opening it, which is left unread.
std::string ReadRecords(BitReader& r, int tagCode, ShapeDefinition& shape, std::size_t& recordBudget, int fillBits,
                        int lineBits, std::int32_t penX, std::int32_t penY, std::size_t stopBit, LayerStop& stop) {
    for (;;) {
        const std::size_t recordStart = r.bitPosition();
        ShapeRecord rec;
        if (r.readUB(1) == 0) {
            const std::uint32_t flags = r.readUB(5);
            if (r.failed()) break;
            if (flags == 0) {
                CloseLayer(r, shape, recordStart);
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
                CloseLayer(r, shape, recordStart);
                LayerSpan span;
                span.Seed = StyleChangeSeed(rec, flags);
                r.alignToByte();
                span.BeginBit = r.bitPosition();
                span.PenX = penX;
                span.PenY = penY;
                if (span.BeginBit >= stopBit) {
                    stop = {true, span.BeginBit, span.Seed, penX, penY};
                    return {};
                }
                rec.StyleSetIndex = static_cast<std::uint32_t>(shape.StyleSets.size());
                if (std::string reason = ReadLayerStyles(r, tagCode, shape, fillBits, lineBits); !reason.empty())
                    return reason;
                span.StyleSetIndex = rec.StyleSetIndex;
                span.FirstRecord = shape.Records.size();
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
            CloseLayer(r, shape, recordStart);
            return "too many shape records";
        }
        --recordBudget;
        shape.Records.push_back(rec);
    }
    CloseLayer(r, shape, r.bitPosition() < r.size() * 8 ? r.bitPosition() : r.size() * 8);
    return "shape " + std::to_string(shape.Id) + " ends without its end record";
}

// True when `part`, layers read again from `first` on, can stand in for the
// same layers of `shape`: as many layers of as many records, and the same
// layer following them.
bool SameLayout(const ShapeDefinition& shape, std::size_t first, const ShapeDefinition& part, const LayerStop& stop) {
    const std::size_t count = part.Layers.size(), next = first + count;
    if (next > shape.Layers.size() || stop.Stopped != (next < shape.Layers.size())) return false;
    for (std::size_t i = 0; i < count; ++i) {
        const LayerSpan& a = shape.Layers[first + i];
        const LayerSpan& b = part.Layers[i];
        if (a.EndRecord - a.FirstRecord != b.EndRecord - b.FirstRecord) return false;
    }
    if (!stop.Stopped) return true;
    const LayerSpan& after = shape.Layers[next];
    return stop.BeginBit == after.BeginBit && stop.Seed == after.Seed;
}

// Moves the pen over a layer's records; false when a move-to sets it, so
// that where the layer ends no longer depends on where it started.
bool FollowPen(const ShapeDefinition& shape, const LayerSpan& span, std::int32_t& penX, std::int32_t& penY) {
    for (std::size_t i = span.FirstRecord; i < span.EndRecord; ++i) {
        const ShapeRecord& rec = shape.Records[i];
        if (rec.Type == ShapeRecordType::StyleChange) {
            if (rec.HasMoveTo) return false;
            continue;
        }
        penX = static_cast<std::int32_t>(std::int64_t{penX} + rec.ControlX + rec.DeltaX);
        penY = static_cast<std::int32_t>(std::int64_t{penY} + rec.ControlY + rec.DeltaY);
    }
    return true;
}

// The layers after re-read ones start where those left the pen now.
void CarryPen(ShapeDefinition& shape, std::size_t from, std::int32_t penX, std::int32_t penY) {
    for (std::size_t i = from; i < shape.Layers.size(); ++i) {
        LayerSpan& span = shape.Layers[i];
        if (span.PenX == penX && span.PenY == penY) return;
        span.PenX = penX;
        span.PenY = penY;
        if (!FollowPen(shape, span, penX, penY)) return;
    }
}

}  // namespace

std::string ReadShape(BitReader& r, int tagCode, ShapeDefinition& shape, std::size_t& recordBudget) {
    shape.TagCode = tagCode;
    shape.Id = r.readU16();
    shape.Bounds = ReadRect(r);
    if (tagCode == TagDefineShape4) {
        ReadRect(r);  // edge bounds
        r.readU8();   // stroke hints
    }
    r.alignToByte();
    LayerSpan first;
    first.BeginBit = r.bitPosition();
    int fillBits = 0, lineBits = 0;
    if (std::string reason = ReadLayerStyles(r, tagCode, shape, fillBits, lineBits); !reason.empty()) return reason;
    shape.Layers.push_back(first);
    // Edges take some 40 bits as this program writes them; growing beyond is rare.
    shape.Records.reserve(std::min(recordBudget, r.bitsLeft() / 40));
    LayerStop stop;
    return ReadRecords(r, tagCode, shape, recordBudget, fillBits, lineBits, 0, 0, SIZE_MAX, stop);
}

bool RereadLayers(const std::uint8_t* body, std::size_t size, ShapeDefinition& shape, std::size_t first,
                  std::size_t changedEndBit) {
    if (first >= shape.Layers.size()) return false;
    const LayerSpan& from = shape.Layers[first];
    BitReader r(body, size);
    if (!r.skipBytes(from.BeginBit / 8)) return false;
    ShapeDefinition part;
    part.Id = shape.Id;
    part.TagCode = shape.TagCode;
    int fillBits = 0, lineBits = 0;
    if (!ReadLayerStyles(r, shape.TagCode, part, fillBits, lineBits).empty()) return false;
    LayerSpan span = from;
    span.FirstRecord = span.EndRecord = 0;
    span.StyleSetIndex = 0;
    part.Layers.push_back(span);
    // The record opening the layer lies before its style arrays, in bytes that did not change.
    std::int32_t penX = from.PenX, penY = from.PenY;
    if (first > 0 && from.FirstRecord < from.EndRecord) {
        const ShapeRecord& opening = shape.Records[from.FirstRecord];
        part.Records.push_back(opening);
        if (opening.HasMoveTo) {
            penX = opening.MoveX;
            penY = opening.MoveY;
        }
    }
    std::size_t budget = shape.Records.size();
    LayerStop stop;
    if (!ReadRecords(r, shape.TagCode, part, budget, fillBits, lineBits, penX, penY, changedEndBit, stop).empty())
        return false;
    if (!SameLayout(shape, first, part, stop)) return false;
    for (std::size_t i = 0; i < part.Layers.size(); ++i) {
        LayerSpan& target = shape.Layers[first + i];
        const LayerSpan& read = part.Layers[i];
        std::copy(part.Records.begin() + static_cast<std::ptrdiff_t>(read.FirstRecord),
                  part.Records.begin() + static_cast<std::ptrdiff_t>(read.EndRecord),
                  shape.Records.begin() + static_cast<std::ptrdiff_t>(target.FirstRecord));
        // Records opening a layer point at its style set by index: keep the shape's indexes.
        for (std::size_t k = 0; k < read.EndRecord - read.FirstRecord; ++k) {
            ShapeRecord& rec = shape.Records[target.FirstRecord + k];
            if (rec.HasNewStyles) rec.StyleSetIndex = shape.Layers[first + i].StyleSetIndex;
        }
        shape.StyleSets[target.StyleSetIndex] = std::move(part.StyleSets[read.StyleSetIndex]);
        // Everything read anew, at the shape's own record and style indexes.
        LayerSpan updated = read;
        updated.FirstRecord = target.FirstRecord;
        updated.EndRecord = target.EndRecord;
        updated.StyleSetIndex = target.StyleSetIndex;
        target = updated;
    }
    if (stop.Stopped) CarryPen(shape, first + part.Layers.size(), stop.PenX, stop.PenY);
    return true;
}

std::string ReadEdgeRecords(BitReader& r, std::vector<ShapeRecord>& records, std::size_t& recordBudget) {
    ShapeDefinition shape;
    shape.Layers.emplace_back();
    r.alignToByte();
    const int fillBits = static_cast<int>(r.readUB(4));
    const int lineBits = static_cast<int>(r.readUB(4));
    LayerStop stop;
    std::string reason = ReadRecords(r, TagDefineShape3, shape, recordBudget, fillBits, lineBits, 0, 0, SIZE_MAX, stop);
    if (reason.empty() && shape.Layers.size() > 1) reason = "edge records hold new style arrays";
    records = std::move(shape.Records);
    return reason;
}

std::string ReadGlyphShape(BitReader& r, ShapeDefinition& shape, std::size_t& recordBudget) {
    shape.TagCode = TagDefineShape;
    shape.StyleSets.assign(1, StyleSet{{FillStyle{}}, {}});
    shape.Layers.assign(1, LayerSpan{});
    const int fillBits = static_cast<int>(r.readUB(4));
    const int lineBits = static_cast<int>(r.readUB(4));
    LayerStop stop;
    std::string reason = ReadRecords(r, TagDefineShape, shape, recordBudget, fillBits, lineBits, 0, 0, SIZE_MAX, stop);
    return r.failed() ? "no end record" : reason;
}
