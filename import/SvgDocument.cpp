#include "import/SvgDocument.h"

#include <algorithm>

#include <QXmlStreamReader>

#include "swf/MovieContainer.h"

namespace {

const QString SvgNamespace = QStringLiteral("http://www.w3.org/2000/svg");
const QString XlinkNamespace = QStringLiteral("http://www.w3.org/1999/xlink");
// An internal entity may expand to at most this many characters.
constexpr int MaxEntityExpansion = 1024;
// With entities declared, at most this many references may appear, so that
// their expansion stays within a few times the input size cap.
constexpr std::size_t MaxEntityReferences = 1u << 16;

bool Kept(const QStringView ns) { return ns.isEmpty() || ns == SvgNamespace; }

std::string At(const QXmlStreamReader& xml) { return "line " + std::to_string(xml.lineNumber()); }

void ReadAttributes(const QXmlStreamReader& xml, SvgElement& e) {
    for (const QXmlStreamAttribute& a : xml.attributes()) {
        const QStringView ns = a.namespaceUri();
        if (!ns.isEmpty() && ns != XlinkNamespace) continue;
        e.Attributes.emplace_back(a.name().toString().toStdString(), a.value().toString().toStdString());
    }
}

}  // namespace

const std::string* SvgElement::Attribute(std::string_view name) const {
    for (const auto& [key, value] : Attributes)
        if (key == name) return &value;
    return nullptr;
}

bool ReadSvgDocument(std::string_view bytes, SvgDocument& doc, std::string& error) {
    doc = {};
    if (bytes.size() > MaxSvgBytes) {
        error = "the SVG is larger than " + std::to_string(MaxSvgBytes >> 20) + " MB";
        return false;
    }
    if (bytes.find("<!ENTITY") != std::string_view::npos &&
        static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '&')) > MaxEntityReferences) {
        error = "the SVG declares entities and uses more than " + std::to_string(MaxEntityReferences) +
                " references; their expansion is refused";
        return false;
    }
    QXmlStreamReader xml(QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())));
    xml.setEntityExpansionLimit(MaxEntityExpansion);
    std::vector<std::size_t> open;  // the elements being read, innermost last
    std::size_t textBytes = 0;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (!Kept(xml.namespaceUri()) || (open.empty() && xml.name() != QLatin1String("svg"))) {
                if (open.empty()) {
                    error = "the file is not an SVG drawing: its root element is not <svg>";
                    return false;
                }
                xml.skipCurrentElement();
                continue;
            }
            if (open.size() >= MaxSvgDepth) {
                error = At(xml) + ": elements are nested more than " + std::to_string(MaxSvgDepth) + " deep";
                return false;
            }
            if (doc.Elements.size() >= MaxSvgElements) {
                error = "the SVG has more than " + std::to_string(MaxSvgElements) + " elements";
                return false;
            }
            SvgElement e;
            e.Name = xml.name().toString().toStdString();
            e.Line = xml.lineNumber();
            ReadAttributes(xml, e);
            const std::size_t index = doc.Elements.size();
            if (const std::string* id = e.Attribute("id")) doc.Ids.emplace(*id, index);
            if (!open.empty()) doc.Elements[open.back()].Children.push_back(index);
            doc.Elements.push_back(std::move(e));
            open.push_back(index);
        } else if (token == QXmlStreamReader::EndElement) {
            if (!open.empty()) open.pop_back();
        } else if (token == QXmlStreamReader::Characters && !open.empty()) {
            SvgElement& e = doc.Elements[open.back()];
            if (e.Name != "style") continue;
            const std::string text = xml.text().toString().toStdString();
            textBytes += text.size();
            if (textBytes > MaxSvgBytes) {
                error = "the SVG's style sheets are larger than " + std::to_string(MaxSvgBytes >> 20) + " MB";
                return false;
            }
            e.Text += text;
        }
    }
    if (xml.hasError()) {
        error = "the SVG is not well-formed XML (" + At(xml) + ": " + xml.errorString().toStdString() + ")";
        return false;
    }
    if (doc.Elements.empty()) {
        error = "the file is not an SVG drawing: it holds no <svg> element";
        return false;
    }
    return true;
}

bool SvgText(std::string_view bytes, std::string& text, std::string& error) {
    const bool gzip = bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0x1f &&
                      static_cast<unsigned char>(bytes[1]) == 0x8b;
    text.clear();
    if (!gzip) return true;  // the bytes are the text
    std::vector<std::uint8_t> out;
    const InflateEnd end = InflateInto(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                       std::min(bytes.size(), MaxSvgBytes), true, out, MaxSvgBytes + 1);
    if (end == InflateEnd::Full) {
        error = "the SVG is larger than " + std::to_string(MaxSvgBytes >> 20) + " MB when uncompressed";
        return false;
    }
    if (end != InflateEnd::StreamEnd) {
        error = "the compressed SVG is damaged or truncated";
        return false;
    }
    text.assign(out.begin(), out.end());
    if (text.empty()) {
        error = "the compressed SVG is empty";
        return false;
    }
    return true;
}
