#pragma once
#include <cstdint>
#include <string>

#include "swf/MovieData.h"

// SVG 1.1 of a movie's first frame as the player draws it on a
// Width x Height stage: background, shapes in depth order with their
// quadratic edges, even-odd fills, gradients, round lines and bitmaps.
struct SvgOptions {
    int Width = 0, Height = 0;
    std::uint32_t Background = 0xFFFFFF;  // 0xRRGGBB
};

std::string MovieToSvg(const ParsedMovie& movie, const SvgOptions& options);
