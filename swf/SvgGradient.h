#pragma once
#include <QTransform>
#include <vector>

#include "swf/MovieData.h"
#include "swf/ShapeLayers.h"

// A padded gradient fill of one path as SVG writes it: the movie's matrix
// and stop offsets, or an equivalent that renderers working in fixed point
// can draw.
struct SvgGradientFill {
    bool Solid = false;            // the path shows one end colour only
    SwfColor Color;                // that colour when Solid
    QTransform Matrix;             // gradient square to shape space
    std::vector<double> Offsets;   // 0..1, one per stop
};

// A gradient whose square is tiny or far from the path is rescaled until the
// path lies within a few squares of its centre, with the stops squeezed so
// that every point keeps its colour; one lying wholly to one side of the path
// becomes that end's solid colour. Others keep the movie's values.
SvgGradientFill FitSvgGradient(const FillStyle& fill, const std::vector<PathCommand>& path);
