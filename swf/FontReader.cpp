#include "swf/FontReader.h"

#include <algorithm>

#include "swf/RecordReaders.h"
#include "swf/ShapeReader.h"

namespace {

void Extend(FontGlyph& g, std::int32_t x, std::int32_t y, bool first) {
    g.Xmin = first ? x : std::min(g.Xmin, x);
    g.Xmax = first ? x : std::max(g.Xmax, x);
    g.Ymin = first ? y : std::min(g.Ymin, y);
    g.Ymax = first ? y : std::max(g.Ymax, y);
}

// The glyph's fill contours and their bounds, from its shape records.
void TakeOutline(const ShapeDefinition& shape, FontGlyph& g) {
    for (StylePath& p : BuildShapeLayer(shape, shape.Layers.front()).FillPaths)
        if (p.Style == 1) g.Commands = std::move(p.Commands);
    bool first = true;
    for (const PathCommand& c : g.Commands) {
        if (c.Op == PathOp::Close) continue;
        Extend(g, c.X, c.Y, first);
        if (c.Op == PathOp::CurveTo) Extend(g, c.CX, c.CY, false);
        first = false;
    }
}

// Glyph i lies in table bytes [offsets[i], offsets[i + 1]), the last one up to `end`.
std::string ReadGlyphs(const std::uint8_t* table, std::size_t end, const std::vector<std::uint32_t>& offsets,
                       FontDefinition& font, std::size_t& recordBudget) {
    font.Glyphs.resize(offsets.size());
    for (std::size_t i = 0; i < offsets.size(); ++i) {
        const std::size_t from = offsets[i], to = i + 1 < offsets.size() ? offsets[i + 1] : end;
        if (from > to || to > end) return "glyph " + std::to_string(i) + " lies outside the glyph table";
        if (recordBudget == 0) return "too many shape records";
        --recordBudget;
        if (from == to) continue;  // a blank glyph may have no shape at all
        BitReader g(table + from, to - from);
        ShapeDefinition shape;
        if (std::string reason = ReadGlyphShape(g, shape, recordBudget); !reason.empty())
            return "glyph " + std::to_string(i) + ": " + reason;
        TakeOutline(shape, font.Glyphs[i]);
    }
    return {};
}

// Without a layout, a glyph advances by its outline's right edge plus its
// left bearing, a blank one by a quarter em; the ascent and descent are the
// outlines' extremes.
void LayoutFromOutlines(FontDefinition& font) {
    for (FontGlyph& g : font.Glyphs) {
        g.Advance = g.Commands.empty() ? font.EmSize / 4 : g.Xmax + std::max(g.Xmin, 0);
        font.Ascent = std::max(font.Ascent, -double(g.Ymin));
        font.Descent = std::max(font.Descent, double(g.Ymax));
    }
}

std::string ReadFont1(BitReader& r, FontDefinition& font, std::size_t& recordBudget) {
    const std::uint8_t* table = r.data() + r.bytePosition();
    const std::size_t size = r.bytesLeft();
    std::vector<std::uint32_t> offsets(size >= 2 ? r.readU16() / 2 : 0);
    if (offsets.size() > size / 2) return "the glyph offsets run past the tag";
    for (std::size_t i = 0; i < offsets.size(); ++i) offsets[i] = table[2 * i] | (table[2 * i + 1] << 8);
    std::string reason = ReadGlyphs(table, size, offsets, font, recordBudget);
    LayoutFromOutlines(font);
    return reason;
}

void ReadLayout(BitReader& r, FontDefinition& font) {
    font.Ascent = static_cast<std::int16_t>(r.readU16());
    font.Descent = static_cast<std::int16_t>(r.readU16());
    font.Leading = static_cast<std::int16_t>(r.readU16());
    for (FontGlyph& g : font.Glyphs) g.Advance = static_cast<std::int16_t>(r.readU16());
}

std::string ReadFont2(BitReader& r, int tagCode, FontDefinition& font, std::size_t& recordBudget) {
    const std::uint8_t flags = r.readU8();
    const bool hasLayout = flags & 0x80, wideOffsets = flags & 0x08, wideCodes = flags & 0x04;
    r.readU8();  // language
    r.skipBytes(r.readU8());  // name
    const std::size_t count = r.readU16();
    if (r.failed()) return "the font header runs past the tag";
    font.EmSize = tagCode == TagDefineFont3 ? 20480 : 1024;
    if (count == 0) return {};  // a device font: no outlines
    const std::uint8_t* table = r.data() + r.bytePosition();
    const std::size_t size = r.bytesLeft();
    if (count + 1 > size / (wideOffsets ? 4 : 2)) return "the glyph offsets run past the tag";
    std::vector<std::uint32_t> offsets(count);
    for (std::uint32_t& o : offsets) o = wideOffsets ? r.readU32() : r.readU16();
    const std::size_t codesAt = wideOffsets ? r.readU32() : r.readU16();
    if (codesAt > size) return "the code table lies outside the tag";
    if (std::string reason = ReadGlyphs(table, codesAt, offsets, font, recordBudget); !reason.empty()) return reason;
    BitReader tail(table + codesAt, size - codesAt);
    for (FontGlyph& g : font.Glyphs) g.Code = wideCodes || tagCode == TagDefineFont3 ? tail.readU16() : tail.readU8();
    font.HasCodes = true;
    if (hasLayout) ReadLayout(tail, font);
    else LayoutFromOutlines(font);
    return tail.failed() ? "the code table or layout runs past the tag" : std::string{};
}

}  // namespace

std::string ReadFont(BitReader& r, int tagCode, FontDefinition& font, std::size_t& recordBudget) {
    font.Id = r.readU16();
    std::string reason =
        tagCode == TagDefineFont ? ReadFont1(r, font, recordBudget) : ReadFont2(r, tagCode, font, recordBudget);
    if (r.failed() && reason.empty()) reason = "the tag is too short";
    return reason.empty() ? reason : "font " + std::to_string(font.Id) + ": " + reason;
}
