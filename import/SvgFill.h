#pragma once
#include <optional>
#include <vector>

#include "core/Records.h"
#include "import/Drawing.h"
#include "import/Regions.h"
#include "import/SvgDocument.h"
#include "import/SvgPaint.h"

// Paint of an SVG shape as Lumivane fill fields. Gradients (linear and
// radial, href chains, gradientTransform, both unit systems) are fitted to
// the fill kinds and counted as simplified when not held exactly; patterns
// are left out and counted.

// Sets FillType, colours and gradient fields of `path`. `toTwips` is the
// shape's transform, `contours` its outline in twips (for bounding-box
// units). False when nothing is to be filled.
bool ApplyFill(PathShape& path, const SvgPaint& paint, double opacity, const SvgDocument& doc,
               const Affine& toTwips, const std::vector<Contour>& contours, LeftOut& missing);

// A single colour for a stroke: the colour, or a gradient's middle colour
// (counted as simplified); nothing for a pattern without a fallback colour.
std::optional<Rgba> StrokeColor(const SvgPaint& paint, const SvgDocument& doc, LeftOut& missing);
