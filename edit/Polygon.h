#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/DrawCore.h"
#include "edit/DrawStyle.h"

// Regular polygons and stars in a 1000 x 1000 twip box.

// The polygon tool's settings as its dialog holds them.
struct PolygonSettings {
    double Corners = 5;  // the corner box's value, possibly fractional
    int Mode = 0;        // bit 0 star, bit 1 rounded inner points, bit 2 rounded outer points
    int Depth = 50;      // depth of a star's notches, per cent of the radius
};

// Most corners a figure gets: beyond this neighbouring points fall on the
// same whole twips anyway, and the anchor count stays far from memory limits.
inline constexpr std::int32_t kMaxPolygonCorners = 10000;

// The corner count the generator uses: the nearest whole number (halves to
// even), at most kMaxPolygonCorners, at least 0.
std::int32_t PolygonCornerCount(double corners);

// The anchors of the figure whose box has its top-left at (x0, y0): the
// first on top, running clockwise on screen; inner points of a star on the
// smaller circle; rounded points are control points.
std::vector<AnchorPoint> PolygonAnchors(std::int32_t x0, std::int32_t y0, const PolygonSettings& settings);

// Appends the figure as a selected closed path with the given style and the
// gradient frame of its box; returns its index, or 0 for fewer than two corners.
std::int32_t CreatePolygon(DrawCore& doc, std::int32_t x0, std::int32_t y0, const DrawStyle& style,
                           const PolygonSettings& settings);

// The corner box after one step of its spin button: `value` 1 (down) gives
// the whole part of its leading number less one but at least 3, -1 (up) the
// whole part plus one; a number beyond a double's range counts as 0.
std::string SpinCorners(std::string_view text, int value);
