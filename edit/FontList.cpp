#include "edit/FontList.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <memory>
#include <set>

namespace {
struct PatternFree {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
struct ObjectSetFree {
    void operator()(FcObjectSet* s) const { FcObjectSetDestroy(s); }
};
struct FontSetFree {
    void operator()(FcFontSet* s) const { FcFontSetDestroy(s); }
};
struct CharSetFree {
    void operator()(FcCharSet* s) const { FcCharSetDestroy(s); }
};
using Pattern = std::unique_ptr<FcPattern, PatternFree>;

std::string GetString(FcPattern* p, const char* object, int index = 0) {
    FcChar8* value = nullptr;
    if (FcPatternGetString(p, object, index, &value) != FcResultMatch || value == nullptr) return {};
    return reinterpret_cast<const char*>(value);
}

int GetInteger(FcPattern* p, const char* object, int fallback) {
    int value = fallback;
    return FcPatternGetInteger(p, object, 0, &value) == FcResultMatch ? value : fallback;
}
}  // namespace

std::vector<std::string> SortFontNames(std::vector<std::string> names) {
    std::erase_if(names, [](const std::string& n) { return n.starts_with('@'); });
    // Byte order of UTF-8 text is the order of its character codes.
    std::stable_sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> EnumTrueTypeFont() {
    if (!FcInit()) return {};
    Pattern pattern(FcPatternCreate());
    FcPatternAddString(pattern.get(), FC_FONTFORMAT, reinterpret_cast<const FcChar8*>("TrueType"));
    std::unique_ptr<FcObjectSet, ObjectSetFree> objects(FcObjectSetBuild(FC_FAMILY, nullptr));
    std::unique_ptr<FcFontSet, FontSetFree> fonts(FcFontList(nullptr, pattern.get(), objects.get()));
    if (!fonts) return {};
    // A face may carry several family names (a localised one, a width or
    // weight variant); every name is listed once, in fontconfig's order.
    std::vector<std::string> names;
    std::set<std::string> seen;
    for (int i = 0; i < fonts->nfont; ++i)
        for (int k = 0;; ++k) {
            std::string name = GetString(fonts->fonts[i], FC_FAMILY, k);
            if (name.empty()) break;
            if (seen.insert(name).second) names.push_back(std::move(name));
        }
    return SortFontNames(std::move(names));
}

std::optional<FontFile> MatchFontFile(const TextFont& font, char32_t coverChar) {
    if (!FcInit()) return std::nullopt;
    Pattern pattern(FcPatternCreate());
    if (!font.Family.empty())
        FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(font.Family.c_str()));
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, font.Bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern.get(), FC_SLANT, font.Italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
    if (coverChar != 0) {
        std::unique_ptr<FcCharSet, CharSetFree> chars(FcCharSetCreate());
        FcCharSetAddChar(chars.get(), coverChar);
        FcPatternAddCharSet(pattern.get(), FC_CHARSET, chars.get());
    }
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    Pattern match(FcFontMatch(nullptr, pattern.get(), &result));
    if (!match) return std::nullopt;
    if (coverChar != 0) {
        FcCharSet* has = nullptr;
        if (FcPatternGetCharSet(match.get(), FC_CHARSET, 0, &has) != FcResultMatch || !FcCharSetHasChar(has, coverChar))
            return std::nullopt;
    }
    FontFile file;
    file.Path = GetString(match.get(), FC_FILE);
    if (file.Path.empty()) return std::nullopt;
    file.Index = GetInteger(match.get(), FC_INDEX, 0);
    file.Bold = font.Bold;
    file.Italic = font.Italic;
    return file;
}
