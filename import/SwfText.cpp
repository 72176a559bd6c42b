#include "import/SwfText.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace {

constexpr double Gutter = 40;  // twips between an edit text's bounds and its text

const FontDefinition* FindFont(const TextCharacters& characters, std::uint16_t id) {
    const auto it = characters.find(id);
    return it == characters.end() ? nullptr : std::get_if<FontDefinition>(&it->second->Def);
}

Affine GlyphMap(const Affine& text, double x, double y, double height, const FontDefinition& font) {
    const double s = height / font.EmSize;
    return text * Affine{s, 0, 0, s, x, y};
}

TextLayout LayOutStatic(const TextCharacters& characters, const StaticText& text) {
    TextLayout out;
    const SwfMatrix& m = text.Matrix;
    const Affine matrix{m.ScaleX, m.RotateSkew0, m.RotateSkew1, m.ScaleY, double(m.TranslateX), double(m.TranslateY)};
    const FontDefinition* font = nullptr;
    double x = 0, y = 0, height = 0;
    SwfColor color;
    for (const TextRun& run : text.Runs) {
        if (run.HasFont) font = FindFont(characters, run.FontId), height = run.Height;
        if (run.HasColor) color = run.Color;
        if (run.HasX) x = run.X;
        if (run.HasY) y = run.Y;
        for (const TextGlyphEntry& e : run.Glyphs) {
            if (font && e.Index < font->Glyphs.size())
                out.Glyphs.push_back({&font->Glyphs[e.Index], GlyphMap(matrix, x, y, height, *font), color});
            else
                ++out.Missing;
            x += e.Advance;
        }
    }
    return out;
}

// Character codes to replace a named or numbered HTML entity; 0 when unknown.
char32_t Entity(const QString& name) {
    static const std::map<QString, char32_t> named = {{"amp", U'&'}, {"lt", U'<'}, {"gt", U'>'}, {"quot", U'"'},
                                                      {"apos", U'\''}, {"nbsp", U' '}};
    if (auto it = named.find(name); it != named.end()) return it->second;
    bool ok = false;
    const uint n = name.startsWith("#x") ? name.mid(2).toUInt(&ok, 16) : name.startsWith('#') ? name.mid(1).toUInt(&ok) : 0;
    return ok && n > 0 && n <= 0x10FFFF ? n : 0;
}

// The text an HTML field shows: tags dropped, a line break for <br> and
// the end of a paragraph, entities replaced.
QString PlainText(const QString& html) {
    QString out;
    for (qsizetype i = 0; i < html.size(); ++i) {
        if (html[i] == '<') {
            const qsizetype close = html.indexOf('>', i);
            QString tag = html.mid(i + 1, (close < 0 ? html.size() : close) - i - 1).trimmed().toLower();
            tag = tag.left(tag.indexOf(' '));  // the name: <br/>, <br /> and <BR> are one tag
            if (tag.endsWith('/')) tag.chop(1);
            if (tag == "br" || tag == "/p" || tag == "/li") out += '\n';
            if (close < 0) break;
            i = close;
        } else if (const qsizetype semi = html[i] == '&' ? html.mid(i, 12).indexOf(';') : -1; semi > 1) {
            if (const char32_t c = Entity(html.mid(i + 1, semi - 1))) {
                out += QString::fromUcs4(&c, 1);
                i += semi;
            } else {
                out += html[i];
            }
        } else {
            out += html[i];
        }
    }
    return out;
}

TextLayout LayOutField(const TextCharacters& characters, const EditText& field, bool utf8) {
    TextLayout out;
    const FontDefinition* font = field.HasFont ? FindFont(characters, field.FontId) : nullptr;
    if (!font || !field.UseOutlines || !font->HasCodes || font->Glyphs.empty()) {
        out.LeftOutField = !field.Text.empty();
        return out;
    }
    std::map<char32_t, std::size_t> glyphOf;
    for (std::size_t i = 0; i < font->Glyphs.size(); ++i) glyphOf.emplace(font->Glyphs[i].Code, i);
    const QByteArray bytes = QByteArray::fromStdString(field.Text);
    QString text = utf8 ? QString::fromUtf8(bytes) : QString::fromLatin1(bytes);
    if (field.Html) text = PlainText(text);
    text.replace("\r\n", "\n").replace('\r', '\n');
    const double scale = field.Height / font->EmSize;
    const double left = field.Bounds.Xmin + Gutter + field.LeftMargin + field.Indent;
    const double room = field.Bounds.Xmax - Gutter - field.RightMargin - left;
    double baseline = field.Bounds.Ymin + Gutter + font->Ascent * scale;
    for (const QString& line : text.split('\n')) {
        std::vector<std::pair<const FontGlyph*, double>> glyphs;  // with their pen positions
        double x = 0;
        for (char32_t c : line.toUcs4()) {
            if (c < 32) continue;
            const auto it = glyphOf.find(field.Password ? U'*' : c);
            if (it == glyphOf.end()) {
                ++out.Missing;
                continue;
            }
            const FontGlyph& g = font->Glyphs[it->second];
            glyphs.emplace_back(&g, x);
            x += g.Advance * scale;
        }
        const double shift = field.Align == 1 ? room - x : field.Align == 2 ? (room - x) / 2 : 0;
        for (const auto& [g, at] : glyphs)
            out.Glyphs.push_back({g, GlyphMap({}, left + shift + at, baseline, field.Height, *font), field.Color});
        baseline += (font->Ascent + font->Descent + font->Leading) * scale + field.Leading;
    }
    return out;
}

}  // namespace

TextLayout LayOutText(const TextCharacters& characters, const TextCharacter& text, bool utf8) {
    if (const auto* s = std::get_if<StaticText>(&text.Def)) return LayOutStatic(characters, *s);
    if (const auto* f = std::get_if<EditText>(&text.Def)) return LayOutField(characters, *f, utf8);
    return {};
}
