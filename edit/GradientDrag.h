#pragma once
#include <cstdint>

#include "core/DrawCore.h"
#include "edit/DragSnapshot.h"
#include "edit/SelectionBox.h"

// The gradient tool's handles and what dragging them does. While the tool is
// active the selection box's points hold the handles of the last selected
// path in document order: 0 the gradient centre, 1 the rotation handle 400
// twips off the axis, 2 and 3 the axis ends; every other point, and every
// point no path provides, is NoHandle.

inline constexpr std::int32_t NoHandle = -16777215;

// Fills box.SelRect with the handles; a coordinate that does not fit 32 bits
// keeps the point's previous value. Returns the path the handles belong to,
// 0 when none is selected.
std::int32_t CalcGradientControl(const DrawCore& doc, SelectionBox& box);

// One drag step of handle `hitPart` (1 centre, 2 rotation, 3 and 4 axis ends)
// to the pointer (tx, ty), for every selected path. The centre moves by the
// pointer's step since (dragX, dragY), which then follows the pointer;
// rotation and the axis ends start again from the snapshot taken at the
// press, so the press point stays the reference. Returns whether the step
// changed the gradient; box holds the handles afterwards.
bool GradientDragStep(DrawCore& doc, SelectionBox& box, const DragSnapshot& snapshot, int hitPart, std::int32_t tx,
                      std::int32_t ty, std::int32_t& dragX, std::int32_t& dragY);
