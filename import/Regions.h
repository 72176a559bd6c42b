#pragma once
#include <vector>

#include "core/Records.h"
#include "import/CurveFit.h"

// Filled regions of foreign drawings, with holes, as Lumivane outlines.
//
// A Lumivane path is one closed outline and the player fills it even-odd.
// A region with holes becomes one outline that walks its outer boundary and,
// from the outer anchor nearest to each hole, steps over to the hole, walks
// it the other way round, and steps back along the same straight edge. The
// two bridge edges cover each other exactly and cancel under the even-odd
// rule as under the non-zero rule, so no seam shows.

enum class FillRuleKind { NonZero, EvenOdd };

// A subpath in twips: its first point lies on the curve; the outline closes back to it.
using Contour = std::vector<OutlinePoint>;

// Anchors of a contour rounded to whole twips; a repeated point is dropped,
// and so is the closing point that repeats the start of a closed contour.
std::vector<AnchorPoint> RoundContour(const Contour& contour, bool closed = true);

// The area the contours fill under `rule`, as outlines of anchors: one per
// outer boundary, carrying the holes directly inside it. Boundaries that
// bound no change of fill under the rule (a same-direction subpath inside
// another under non-zero) are dropped. Subpaths whose edges cross join one
// outline when their overlap is empty under the rule (always under even-odd,
// opposite directions under non-zero); otherwise they stay outlines of their
// own, so their overlap stays filled.
std::vector<std::vector<AnchorPoint>> FillOutlines(const std::vector<Contour>& contours, FillRuleKind rule);
