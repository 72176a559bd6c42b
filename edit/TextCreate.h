#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "core/DrawCore.h"
#include "edit/DrawStyle.h"
#include "edit/TextFont.h"

// Lays `text` out along one line whose top-left is (x0, y0) and appends one
// selected closed path per glyph contour, with the given style: glyphs of
// several contours get a new group each, every path a vertical gradient
// fitted to it. Control characters are skipped; characters the font lacks
// come from another installed face that has them. Returns the index of the
// last path created, or 0 when none was. When the font cannot be loaded
// nothing is created and `error` names the font.
std::int32_t CreateText(DrawCore& doc, std::int32_t x0, std::int32_t y0, const DrawStyle& style,
                        std::u32string_view text, const TextFont& font, std::string& error);
