#pragma once
#include <optional>
#include <string>
#include <vector>

#include "edit/TextFont.h"

// Installed fonts, through fontconfig.

// The family names of the installed TrueType faces for the text tool's font
// list, each family once as fontconfig lists it, then SortFontNames.
std::vector<std::string> EnumTrueTypeFont();

// Leaves out the vertical-writing names (those beginning with "@") and sorts
// the rest ascending by character code; equal names all stay.
std::vector<std::string> SortFontNames(std::vector<std::string> names);

// The face file that best matches `font`, and the style asked of it: when
// the family has no bold or italic face of its own the match is its regular
// face, which the outline reader then emboldens or slants. With `coverChar`
// set, only faces that have that character are considered.
struct FontFile {
    std::string Path;
    int Index = 0;
    bool Bold = false;
    bool Italic = false;
};
std::optional<FontFile> MatchFontFile(const TextFont& font, char32_t coverChar = 0);
