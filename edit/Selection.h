#pragma once
#include <cstdint>

#include "core/DrawCore.h"
#include "edit/SelectionBox.h"

// Which paths are selected, the selection box and the hit tests of the
// canvas tools. Hit tolerances are 60 twips divided by the zoom (3 pixels).

struct PathHit {
    std::int32_t Path = 0;   // 0 = nothing hit
    std::int32_t Index = 0;  // anchor, or the first anchor of the segment
    bool operator==(const PathHit&) const = default;
};

// Selects or deselects path i; a path of an active group (GroupNo != 0 and
// Grouped) takes every active member of its group along.
void SetPathSelected(DrawCore& doc, std::int32_t i, bool state);

// Fills box.SelRect and box.SelCount from the selected paths of at least two
// anchors. With none, the points keep sentinels far outside any view.
void CalcSelectedRect(const DrawCore& doc, SelectionBox& box);

// Handle number 1..9 (never 5) under (tx, ty), or 0; the highest number wins.
int HitHandle(const SelectionBox& box, float zoomRate, std::int32_t tx, std::int32_t ty);

// The front-most anchor under (tx, ty) (highest path, then highest anchor).
PathHit HitAnchor(const DrawCore& doc, std::int32_t tx, std::int32_t ty);

// The front-most segment (straight line between consecutive anchors, the
// closing one included for closed paths) under (tx, ty).
PathHit HitSegment(const DrawCore& doc, std::int32_t tx, std::int32_t ty);

// Adds (dx, dy) to anchor j (taken modulo the anchor count) of path p.
void MoveAnchor(DrawCore& doc, std::int32_t dx, std::int32_t dy, std::int32_t p, std::int32_t j);
