#pragma once
#include <cstdint>

#include "core/DrawCore.h"
#include "edit/DragSnapshot.h"

// Thinning of freehand strokes in two phases. Weak: drop an anchor closer
// than pointThreshold to its predecessor (anchor 0 and the closing segment
// are never tested). Strong: drop an anchor closer than lineThreshold to the
// segment between its neighbours (an open path keeps its ends). Comparisons
// are strict; every removal restarts the phase, which fixes the result.
// Paths of fewer than three anchors are left untouched.
void OptimizePath(PathShape& path, float pointThreshold, float lineThreshold);

// Removes anchor k; does nothing when k is out of range or only one anchor is left.
void DeleteAnchorAt(PathShape& path, std::int32_t k);

// One preview of the optimisation dialog: the document returns to the
// snapshot, then path `index` is optimised with the given thresholds.
// Returns false (document only restored) when `index` is no path.
bool OptimizePreview(DrawCore& doc, const DragSnapshot& snap, std::int32_t index, float pointThreshold,
                     float lineThreshold);
