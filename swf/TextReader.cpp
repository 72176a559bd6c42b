#include "swf/TextReader.h"

#include <cstring>

#include "swf/FontReader.h"
#include "swf/RecordReaders.h"

namespace {

// A text record after its flags byte (type bit set; 8 font, 4 colour, 2 y, 1 x).
std::string ReadRun(BitReader& r, std::uint8_t flags, bool rgba, int glyphBits, int advanceBits, TextRun& run,
                    std::size_t& recordBudget) {
    run.HasFont = flags & 8;
    run.HasColor = flags & 4;
    run.HasY = flags & 2;
    run.HasX = flags & 1;
    if (run.HasFont) run.FontId = r.readU16();
    if (run.HasColor) run.Color = rgba ? ReadRgba(r) : ReadRgb(r);
    if (run.HasX) run.X = static_cast<std::int16_t>(r.readU16());
    if (run.HasY) run.Y = static_cast<std::int16_t>(r.readU16());
    if (run.HasFont) run.Height = r.readU16();
    const std::size_t count = r.readU8();
    if (count + 1 > recordBudget) return "too many glyph entries";
    recordBudget -= count + 1;  // the record itself costs one too
    run.Glyphs.resize(count);
    for (TextGlyphEntry& g : run.Glyphs) {
        g.Index = r.readUB(glyphBits);
        g.Advance = r.readSB(advanceBits);
    }
    return r.failed() ? "a text record runs past the tag" : std::string{};
}

std::string ReadStaticText(BitReader& r, bool rgba, StaticText& text, std::size_t& recordBudget) {
    text.Bounds = ReadRect(r);
    text.Matrix = ReadMatrix(r);
    const int glyphBits = r.readU8(), advanceBits = r.readU8();
    if (glyphBits > 32 || advanceBits > 32) return "glyph fields of more than 32 bits";
    // The records end with a zero byte; a tag that ends between records ends them too.
    while (r.bytesLeft() > 0) {
        const std::uint8_t flags = r.readU8();
        if (flags == 0) break;
        if (!(flags & 0x80)) return "a text record of unknown type";
        text.Runs.emplace_back();
        if (std::string reason = ReadRun(r, flags, rgba, glyphBits, advanceBits, text.Runs.back(), recordBudget);
            !reason.empty())
            return reason;
    }
    return r.failed() ? "the text header runs past the tag" : std::string{};
}

// A zero-ended string; false when the tag ends first.
bool ReadString(BitReader& r, std::string& out) {
    r.alignToByte();
    const auto* begin = reinterpret_cast<const char*>(r.data() + r.bytePosition());
    const std::size_t left = r.bytesLeft();
    const void* zero = std::memchr(begin, 0, left);
    if (!zero) return false;
    out.assign(begin, static_cast<const char*>(zero));
    return r.skipBytes(out.size() + 1);
}

std::string ReadEditText(BitReader& r, EditText& field, std::size_t& recordBudget) {
    field.Bounds = ReadRect(r);
    const std::uint8_t flags = r.readU8(), flags2 = r.readU8();
    const bool hasText = flags & 0x80, hasColor = flags & 0x04, hasMaxLength = flags & 0x02;
    const bool hasFontClass = flags2 & 0x80, hasLayout = flags2 & 0x20;
    field.HasFont = flags & 0x01;
    field.Html = flags2 & 0x02;
    field.UseOutlines = flags2 & 0x01;
    std::string ignored;
    if (field.HasFont) field.FontId = r.readU16();
    if (hasFontClass && !ReadString(r, ignored)) return "the font class runs past the tag";
    if (field.HasFont || hasFontClass) field.Height = r.readU16();
    if (hasColor) field.Color = ReadRgba(r);
    if (hasMaxLength) r.readU16();
    if (hasLayout) {
        field.Align = r.readU8();
        field.LeftMargin = r.readU16();
        field.RightMargin = r.readU16();
        field.Indent = r.readU16();
        field.Leading = static_cast<std::int16_t>(r.readU16());
    }
    if (r.failed() || !ReadString(r, ignored)) return "the variable name runs past the tag";
    if (hasText && !ReadString(r, field.Text)) return "the initial text runs past the tag";
    if (field.Text.size() > recordBudget) return "too much text";
    recordBudget -= field.Text.size();
    field.Password = flags & 0x10;
    return {};
}

}  // namespace

std::string ReadTextTag(BitReader& r, int tagCode, ParsedMovie& movie, std::size_t& recordBudget) {
    auto c = std::make_shared<TextCharacter>();
    std::uint16_t id = 0;
    std::string reason;
    if (tagCode == TagDefineFont || tagCode == TagDefineFont2 || tagCode == TagDefineFont3) {
        FontDefinition font;
        reason = ReadFont(r, tagCode, font, recordBudget);
        id = font.Id;
        c->Def = std::move(font);
    } else {
        id = r.readU16();
        const char* kind = tagCode == TagDefineEditText ? "edit text " : "text ";
        if (tagCode == TagDefineEditText) {
            EditText field;
            reason = ReadEditText(r, field, recordBudget);
            c->Def = std::move(field);
        } else {
            StaticText text;
            reason = ReadStaticText(r, tagCode == TagDefineText2, text, recordBudget);
            c->Def = std::move(text);
        }
        if (!reason.empty()) reason = kind + std::to_string(id) + ": " + reason;
    }
    if (reason.empty()) movie.Texts.emplace(id, std::move(c));
    return reason;
}
