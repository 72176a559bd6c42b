#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

#include "import/Geometry2D.h"

// The SVG micro-grammars: path data, transform lists and colours.

// One path command in absolute coordinates, shorthands spelt out:
// 'M' x y, 'L' x y, 'Q' x1 y1 x y, 'C' x1 y1 x2 y2 x y,
// 'A' rx ry rotation large-arc sweep x y, 'Z'.
struct SvgPathCommand {
    char Op = 'Z';
    double V[7] = {};
};

// False on a syntax error; `out` then holds nothing.
bool ParsePathData(std::string_view d, std::vector<SvgPathCommand>& out);
// The product of the list's transforms; false on a syntax error.
bool ParseTransformList(std::string_view text, Affine& out);
// A colour keyword, #rgb, #rrggbb or rgb(...), as 0xRRGGBB; false otherwise.
bool ParseSvgColor(std::string_view text, std::uint32_t& rgb);
