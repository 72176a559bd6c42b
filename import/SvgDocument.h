#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The element tree of an SVG file, read with bounds on size, depth, element
// count and entity expansion. Only SVG elements are kept (editor-private
// namespaces are dropped with their content); attribute names are local
// names, so "xlink:href" and "href" are one.
struct SvgElement {
    std::string Name;
    std::vector<std::pair<std::string, std::string>> Attributes;
    std::vector<std::size_t> Children;
    std::string Text;  // character data of <style>
    std::int64_t Line = 0;
    const std::string* Attribute(std::string_view name) const;
};

struct SvgDocument {
    std::vector<SvgElement> Elements;  // element 0 is the root <svg>
    std::unordered_map<std::string, std::size_t> Ids;
};

// Largest SVG text read, in bytes, after decompression.
inline constexpr std::size_t MaxSvgBytes = 64u << 20;
inline constexpr int MaxSvgDepth = 256;
inline constexpr std::size_t MaxSvgElements = 1u << 20;

// Reads `bytes` (plain SVG text). False with `error` set on malformed XML, a
// missing <svg> root or a bound exceeded.
bool ReadSvgDocument(std::string_view bytes, SvgDocument& doc, std::string& error);

// Inflates gzip-compressed `bytes` into `text` (bounded by MaxSvgBytes);
// leaves `text` empty when `bytes` are not compressed and are the text
// themselves. False with `error` set when the stream is damaged or too large.
bool SvgText(std::string_view bytes, std::string& text, std::string& error);
