#include "import/Drawing.h"

#include <algorithm>
#include <cctype>

namespace {
struct KindName {
    const char* One;
    const char* Many;
};
constexpr KindName Names[LeftOut::Simplified] = {
    {"filter", "filters"}, {"mask", "masks"}, {"clip path", "clip paths"}, {"pattern", "patterns"},
    {"marker", "markers"}, {"image", "images"}, {"dash", "dashes"}, {"text", "texts"},
    {"bitmap", "bitmaps"}, {"script", "scripts"}, {"other object", "other objects"}, {"unknown tag", "unknown tags"},
    {"damaged tag", "damaged tags"},
    {"text field", "text fields"}, {"missing glyph", "missing glyphs"},
};

std::string Counted(std::int64_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}
}  // namespace

bool LeftOut::Empty() const {
    for (std::int64_t n : Counts)
        if (n) return false;
    return true;
}

std::string LeftOut::Sentence() const {
    std::vector<std::string> parts;
    std::int64_t total = 0;
    for (std::size_t k = 0; k < Simplified; ++k) {
        if (Counts[k] == 0) continue;
        parts.push_back(Counted(Counts[k], Names[k].One, Names[k].Many));
        total += Counts[k];
    }
    std::string text;
    if (!parts.empty()) {
        text = parts[0];
        for (std::size_t i = 1; i < parts.size(); ++i) text += (i + 1 == parts.size() ? " and " : ", ") + parts[i];
        text += total == 1 ? " was left out" : " were left out";
    }
    if (const std::int64_t s = Counts[Simplified]) {
        if (!text.empty()) text += "; ";
        text += Counted(s, "gradient was", "gradients were") + " simplified";
    }
    return text;
}

std::string ImportAnchorCapMessage() {
    return "the drawing would have more than " + std::to_string(MaxImportAnchors) + " anchors";
}

void AppendImportedPath(Drawing& d, PathShape p, std::vector<AnchorPoint> anchors, bool closed,
                        std::int64_t& anchorCount, std::string& error) {
    if (anchors.size() < 2 || !error.empty()) return;
    anchorCount += static_cast<std::int64_t>(anchors.size());
    if (anchorCount > MaxImportAnchors) {
        error = ImportAnchorCapMessage();
        return;
    }
    for (AnchorPoint& a : anchors) {
        a.X = std::clamp(a.X, MinImportTwip, MaxImportTwip);
        a.Y = std::clamp(a.Y, MinImportTwip, MaxImportTwip);
    }
    p.Anchors = std::move(anchors);
    p.AnchorMax = static_cast<std::int32_t>(p.Anchors.size()) - 1;
    p.Closed = closed ? VbTrue : VbFalse;
    d.Paths.push_back(std::move(p));
}

bool HasSuffix(std::string_view fileName, std::string_view suffix) {
    if (fileName.size() < suffix.size()) return false;
    const std::string_view tail = fileName.substr(fileName.size() - suffix.size());
    return std::equal(tail.begin(), tail.end(), suffix.begin(),
                      [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}
