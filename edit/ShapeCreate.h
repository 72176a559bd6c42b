#pragma once
#include <cstdint>

#include "core/DrawCore.h"
#include "core/PreviewHost.h"
#include "edit/DrawStyle.h"

// Creation of new paths. Each new path is appended as the front-most one and
// takes the current style; none of these routines redraws the canvas except
// FinishStroke, which ends the stroke gesture.

// A path record with the style of new shapes and no anchors (unselected,
// ungrouped, gradient frame at its defaults). Also used by other generators.
PathShape StyledPath(const DrawStyle& style);
// A selected closed path of that style, without anchors, whose gradient frame
// fills the 1000 x 1000 twip box with its top-left at (tx, ty).
PathShape BoxShape(const DrawStyle& style, std::int32_t tx, std::int32_t ty);

// Starts a pencil (kind 1) or line (kind 0) path with the anchor (tx, ty);
// returns its index.
std::int32_t BeginPath(DrawCore& doc, std::int32_t tx, std::int32_t ty, const DrawStyle& style, std::int16_t kind);

// Appends an anchor to the newest path.
void AppendAnchor(DrawCore& doc, std::int32_t tx, std::int32_t ty, std::int16_t kind);

// Ends the newest path: closes it when asked (dropping the last anchor,
// which the closing move placed on the first one, if three or more remain),
// fits its gradient, optimises it with the thresholds the settings enable,
// rebuilds the preview and records one history step. A stroke of a single
// anchor is removed instead, without a history step. Returns true when a
// path was kept.
bool FinishStroke(DrawCore& doc, PreviewHost& host, bool close);

// Centres the gradient frame on the anchors' bounding box and spans its larger side.
void FitGradientToPath(PathShape& path);

// A selected closed 1000 x 1000 twip square (corner anchors) and a circle of
// eight curve anchors in the same box, top-left at (tx, ty); each returns the new index.
std::int32_t CreateRectangle(DrawCore& doc, std::int32_t tx, std::int32_t ty, const DrawStyle& style);
std::int32_t CreateEllipse(DrawCore& doc, std::int32_t tx, std::int32_t ty, const DrawStyle& style);
