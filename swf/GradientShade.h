#pragma once
#include <array>
#include <cstdint>
#include <optional>

#include <QBrush>
#include <QTransform>

#include "swf/MovieData.h"

// A gradient fill's colour at each device pixel, without QGradient: a table
// of the colours along the gradient's axis, built once per fill from its
// stops, and the device-to-gradient mapping that places each pixel centre on
// that axis. Pad spread; colours are interpolated straight and premultiplied
// afterwards. Linear gradients run along x across the square of half side
// GradientExtent, radial ones out from its centre, focal ones from a focus
// on its x axis.
class GradientShade {
public:
    static constexpr double GradientExtent = 16384.0;
    static constexpr int TableSize = 1024;

    // `toDevice` maps the shape's twips to device pixels. Empty when the fill
    // has no stops or its placement cannot be inverted.
    static std::optional<GradientShade> Of(const FillStyle& fill, const SwfColorTransform& cx, const QTransform& toDevice);

    // Premultiplied colours of the pixels x0 .. x0 + count - 1 of row y.
    void Shade(int y, int x0, int count, std::uint32_t* out) const;

private:
    enum class Form { Linear, Radial, Focal };
    void BuildTable(const FillStyle& fill, const SwfColorTransform& cx);
    // Table entries of the pixels x0 .. x0 + count - 1 of row y, count <= 256.
    void Indices(int y, int x0, int count, int* index) const;

    Form form_ = Form::Linear;
    QTransform toGradient_;  // device pixels to gradient units
    double focus_ = 0;       // the focus's x, in units of GradientExtent
    std::array<std::uint32_t, TableSize> table_{};
};

// The same gradient as a QBrush in the shape's twips, for QPainter's aliased drawing.
QBrush GradientBrush(const FillStyle& fill, const SwfColorTransform& cx);
