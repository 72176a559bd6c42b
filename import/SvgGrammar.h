#pragma once
#include <cstdint>
#include <functional>
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

// Hands each command to `sink` as it is read; parsing stops early when the
// sink returns false. False on a syntax error (the commands before it were handed on).
using PathCommandSink = std::function<bool(const SvgPathCommand&)>;
bool ParsePathData(std::string_view d, const PathCommandSink& sink);
// The product of the list's transforms; false on a syntax error.
bool ParseTransformList(std::string_view text, Affine& out);
// A colour keyword, #rgb, #rrggbb or rgb(...), as 0xRRGGBB; false otherwise.
bool ParseSvgColor(std::string_view text, std::uint32_t& rgb);
