#pragma once
#include <QImage>
#include <QPainterPath>
#include <QPoint>
#include <QRect>
#include <QTransform>

#include "swf/CoverageRaster.h"
#include "swf/StrokeRaster.h"

// Glue between Qt paths and images and the coverage rasteriser: anti-aliased
// fills composed over a premultiplied ARGB32 image.

// Adds the path's subpaths mapped to device pixels, curves flattened.
void AddPath(CoverageRaster& raster, const QPainterPath& path, const QTransform& toDevice);
void AddPath(StrokeRaster& raster, const QPainterPath& path, const QTransform& toDevice);

// Composes a premultiplied colour over `target` through the coverage.
void FillColor(CoverageRaster& raster, FillRule rule, QImage& target, QRgb premultiplied);

// Composes a premultiplied colour over `target` through the line's coverage.
void StrokeColor(StrokeRaster& raster, QImage& target, QRgb premultiplied);

// Composes `pattern` over `target` through the coverage; the pattern's pixel
// (0, 0) lies on the target's pixel `origin`, and it must span the raster's bounds.
void FillPattern(CoverageRaster& raster, FillRule rule, QImage& target, const QImage& pattern, QPoint origin);

// Composes the premultiplied `source` over `target` within `area`; the
// source's pixel (0, 0) lies on the target's pixel `origin`.
void ComposeOver(QImage& target, const QImage& source, const QRect& area, QPoint origin = {});
