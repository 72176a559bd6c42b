#pragma once
#include <cstdint>

#include "core/DrawCore.h"
#include "edit/DragSnapshot.h"
#include "edit/SelectionBox.h"

// The drag snapshot and the move, scale and rotate steps of the selection.
// Scale and rotate start from the box as it was at the press: call
// RestoreDragSnapshot and CalcSelectedRect before each step, so the result
// depends only on the press point and the pointer.

void TakeDragSnapshot(const DrawCore& doc, DragSnapshot& snap);
// Copies the snapshot back when it holds exactly the document's path count.
void RestoreDragSnapshot(DrawCore& doc, const DragSnapshot& snap);

// Adds (dx, dy) to every selected path's anchors and gradient centre.
void MoveSelection(DrawCore& doc, std::int32_t dx, std::int32_t dy);

struct ScaleFactors {
    float sx = 1.0f;
    float sy = 1.0f;
};

// Scales the selected paths about the handle opposite to `handle` (1..9)
// so that the press point (dragX, dragY) goes to (tx, ty). Middle handles
// scale one axis; keepProportions (Ctrl) gives corners the larger signed
// factor on both axes. Returns the factors used.
ScaleFactors ScaleSelection(DrawCore& doc, const SelectionBox& box, int handle, std::int32_t dragX,
                            std::int32_t dragY, std::int32_t tx, std::int32_t ty, bool keepProportions);

// Rotates the selected paths and the eight handle points of the box about
// the box centre by the angle between the press point and the pointer as
// seen from it. Returns that angle in degrees.
float RotateSelection(DrawCore& doc, SelectionBox& box, std::int32_t dragX, std::int32_t dragY, std::int32_t tx,
                      std::int32_t ty);
