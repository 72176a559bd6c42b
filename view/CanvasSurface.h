#pragma once
#include <QColor>
#include <QImage>
#include <QRect>

// The canvas pixels and the raster operations of the editing overlays.
// Invert mode XORs with white, so drawing the same overlay twice restores
// the pixels; copy-pen mode paints normally. Nothing is anti-aliased.
class CanvasSurface {
public:
    explicit CanvasSurface(QImage& image) : image_(image) {}

    void Clear(const QColor& color);
    // Fills the box that includes both corners, in copy-pen mode.
    void FillBox(int x1, int y1, int x2, int y2, const QColor& color);
    void DrawImage(const QRect& target, const QImage& source);
    void InvertLine(int x1, int y1, int x2, int y2, int width = 1);
    void InvertBox(int x1, int y1, int x2, int y2);
    void InvertCircle(int cx, int cy, int radius);
    // A copy-pen square outline from (x1, y1) to (x2, y2) around a light interior.
    void HandleSquare(int x1, int y1, int x2, int y2);
    // A copy-pen dot: a circle of `radius` outlined in `outline` around a light interior.
    void Dot(int cx, int cy, double radius, const QColor& outline);
    void SolidLine(int x1, int y1, int x2, int y2, const QColor& color, int width);

    static QColor FillColor() { return QColor(255, 255, 255); }

private:
    void InvertPixel(int x, int y);
    QImage& image_;
};
