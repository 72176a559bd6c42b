#pragma once
#include <cstdint>

#include "core/DrawCore.h"
#include "edit/Selection.h"

// The hit tests as plain scans that evaluate every anchor and segment; the
// yardstick for the pre-tested scans of HitAnchor and HitSegment.
PathHit PlainHitAnchor(const DrawCore& doc, std::int32_t tx, std::int32_t ty);
PathHit PlainHitSegment(const DrawCore& doc, std::int32_t tx, std::int32_t ty);
