#pragma once
#include <cstddef>
#include <string>

#include "swf/BitReader.h"
#include "swf/TextData.h"

inline constexpr int TagDefineFont = 10;
inline constexpr int TagDefineFont2 = 48;
inline constexpr int TagDefineFont3 = 75;

// Reads the body of a DefineFont, DefineFont2 or DefineFont3 tag: each
// glyph's outline from its own slice of the glyph table, the code table and
// the layout. Every glyph costs one of `recordBudget`, as does every record
// of its outline. Empty on success; otherwise the reason, naming the font.
std::string ReadFont(BitReader& r, int tagCode, FontDefinition& font, std::size_t& recordBudget);
