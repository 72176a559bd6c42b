#pragma once
#include <cstdint>
#include <vector>

#include "core/Records.h"
#include "import/Geometry2D.h"

// A foreign gradient fill in twips, to be held by Lumivane's fill kinds:
// two-stop linear, symmetric three-stop linear, two-stop radial, all padded.
struct GradientStop {
    double Offset = 0;       // 0..1, ascending
    std::int32_t Color = 0;  // packed, with opacity
};

struct GradientSpec {
    bool Radial = false;
    Vec2 Start, End;        // linear: where offsets 0 and 1 lie
    Vec2 Centre;            // radial: offset 0 at the centre,
    double Radius = 0;      // offset 1 at this distance
    std::vector<GradientStop> Stops;
    bool Exact = true;      // false when the geometry had to be simplified already
};

// Sets the fill fields of `path` (FillType, colours, gradient centre, angle,
// scale) to the nearest Lumivane fill: the colours at both ends, or the end
// and middle colours of a symmetric gradient, with direction and extent kept.
// Returns false when the result only approximates the gradient.
bool FitGradient(const GradientSpec& spec, PathShape& path);

// The colour of the stops at `t` (0..1), channels interpolated linearly.
std::int32_t ColorAt(const std::vector<GradientStop>& stops, double t);
