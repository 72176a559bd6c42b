#pragma once
#include <cstdint>

#include "core/DrawCore.h"

// The internal clipboard's cut and paste; copy, clear and the count are
// members of DrawCore. The callers record the history step.

// Moves the selected paths, in stacking order, from the drawing into the
// clipboard with (x, y) as reference point; the next offset paste puts them
// back where they were.
void CutToClip(DrawCore& doc, std::int32_t x, std::int32_t y);

// Appends copies of the clipboard's paths as the new selection, front-most
// in clipboard order, every group (ungrouped paths too) under a number
// unused in the drawing. atOffset: displaced by the paste offset, which then
// grows by 200 twips; otherwise the reference point goes to (x, y).
void PasteClip(DrawCore& doc, std::int32_t x, std::int32_t y, bool atOffset);
