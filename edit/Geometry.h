#pragma once
#include <algorithm>
#include <cstdint>
#include <limits>

#include "core/Twips.h"

// Plane geometry on whole twips shared by the hit tests, the transforms and
// the path optimisation.

inline constexpr double Pi = 3.14159265358979;

// v + d, saturated at the 32-bit range: coordinates read from files are
// unchecked, and a displacement must not wrap them around.
inline std::int32_t AddTwips(std::int32_t v, std::int64_t d) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v + d, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

// sqrt(dx² + dy²), rounded to single precision.
float PointDistance(std::int64_t dx, std::int64_t dy);

// Distance from p to the segment ab, single precision. The dot and cross
// products are exact for any 32-bit coordinates.
float SegmentDistance(TwipPoint a, TwipPoint b, TwipPoint p);

// Direction from (x0, y0) to (x1, y1) in degrees, in [-90, 270); with y down
// growing angles turn clockwise. A zero dx gives -90 for dy < 0, else 90.
float PointAngle(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1);

// Rotates (x, y) in place about (cx, cy) by theta radians (clockwise on screen).
void RotatePoint(std::int32_t& x, std::int32_t& y, std::int32_t cx, std::int32_t cy, float theta);
