#pragma once
#include <vector>

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QTransform>

#include "swf/CoverageRaster.h"
#include "swf/GradientShade.h"
#include "swf/ShapeLayers.h"
#include "swf/StrokeRaster.h"

// Glue between Qt paths and images and the coverage rasteriser: anti-aliased
// fills composed over a premultiplied ARGB32 image.

// Adds the subpaths of the commands (in twips) mapped to device pixels, curves flattened.
void AddPath(CoverageRaster& raster, const std::vector<PathCommand>& commands, const QTransform& toDevice);
void AddPath(StrokeRaster& raster, const std::vector<PathCommand>& commands, const QTransform& toDevice);

// Composes a premultiplied colour over `target` through the coverage.
void FillColor(CoverageRaster& raster, FillRule rule, QImage& target, QRgb premultiplied);

// Composes a premultiplied colour over `target` through the line's coverage.
void StrokeColor(StrokeRaster& raster, QImage& target, QRgb premultiplied);

// Composes the gradient's colours over `target` through the coverage.
void FillGradient(CoverageRaster& raster, FillRule rule, QImage& target, const GradientShade& shade);

// Composes `pattern` over `target` through the coverage; the pattern's pixel
// (0, 0) lies on the target's pixel `origin`, and it must span the raster's bounds.
void FillPattern(CoverageRaster& raster, FillRule rule, QImage& target, const QImage& pattern, QPoint origin);

// Composes the premultiplied `source` over `target` within `area`; the
// source's pixel (0, 0) lies on the target's pixel `origin`.
void ComposeOver(QImage& target, const QImage& source, const QRect& area, QPoint origin = {});
