#pragma once
#include <cstdint>

#include "core/DrawCore.h"

// The current style handed to the selected paths. Each routine changes only
// selected paths and records one history step exactly when at least one path
// was selected; the caller rebuilds the preview and redraws.

// Stores colours[0] as the line, [1] as the fill and [2] as the second
// gradient colour of every selected path, for the slots whose flag is set.
void ApplyColors(DrawCore& doc, const std::int32_t colours[3], bool line, bool fill, bool second);

// Sets every selected path's line width to `points` × 20 whole twips.
void ApplyLineWidth(DrawCore& doc, float points);
