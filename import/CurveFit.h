#pragma once
#include <vector>

#include "import/Geometry2D.h"

// Curves of foreign drawings as the quadratic segments Lumivane paths hold.

// One point of an outline: on the curve, or the control point of a quadratic segment.
struct OutlinePoint {
    Vec2 P;
    bool Control = false;
};

// The most a fitted segment strays from the true curve, in twips. Anchors
// are then rounded to whole twips, which adds at most half a twip per axis.
inline constexpr double FitTolerance = 0.35;

// Appends the quadratic segments that follow the cubic p0 p1 p2 p3 within
// `tolerance`: the control points and end points after p0, as few as that allows.
void AppendCubic(std::vector<OutlinePoint>& out, Vec2 p0, Vec2 p1, Vec2 p2, Vec2 p3, double tolerance = FitTolerance);

// An elliptical arc in endpoint form (radii, x-axis rotation in degrees,
// flags) as cubics: each entry is the two control points and the end point,
// after `from`. Close enough that the cubics stray at most `tolerance` from
// the arc in the units of the arguments. Radii are corrected as an arc
// that cannot reach its end point demands; zero radii give a straight line.
struct CubicSegment {
    Vec2 C1, C2, To;
};
std::vector<CubicSegment> ArcToCubics(Vec2 from, double rx, double ry, double rotation, bool largeArc, bool sweep,
                                      Vec2 to, double tolerance);
