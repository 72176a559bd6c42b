#pragma once
#include <QString>

#include "edit/SelectionBox.h"
#include "view/Overlays.h"

// The gradient tool's overlay: the outlines of the selected paths, the axis
// and rotation handles of the last selected one, and its readout in the
// status text. Nothing is drawn, and the readout is left alone, when no path
// is selected.
void DrawGradientControl(const OverlayContext& c, SelectionBox& box, QString& statusText);

// Overwrites the status text in place with the gradient of `path`: centre in
// pixels from character 12, angle from 22, scale from 28.
void GradientReadout(const PathShape& path, QString& statusText);

// The hover mark of handle `handle` (1..4): an inverted circle of radius 4.
void DrawGradientHover(const OverlayContext& c, const SelectionBox& box, int handle);
