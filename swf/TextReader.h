#pragma once
#include <cstddef>
#include <string>

#include "swf/BitReader.h"
#include "swf/MovieData.h"

inline constexpr int TagDefineText = 11;
inline constexpr int TagDefineText2 = 33;
inline constexpr int TagDefineEditText = 37;

// Reads a font (DefineFont, 2, 3), static text (DefineText, 2) or edit text
// tag into `movie.Texts` under its character id; the first definition of an
// id stays. Glyphs, their records, text records, glyph entries and the bytes
// of an edit text's initial text cost `recordBudget`.
// Empty on success; otherwise the reason, and nothing is added.
std::string ReadTextTag(BitReader& r, int tagCode, ParsedMovie& movie, std::size_t& recordBudget);
