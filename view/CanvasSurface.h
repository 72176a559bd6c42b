#pragma once
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <memory>

// The canvas pixels and the raster operations of the editing overlays.
// Invert mode XORs with white, so drawing the same overlay twice restores
// the pixels; copy-pen mode paints normally. Nothing is anti-aliased.
class CanvasSurface {
public:
    // `image` must be of Format_RGB32 and keep its size while the surface lives.
    explicit CanvasSurface(QImage& image);
    ~CanvasSurface();
    CanvasSurface(const CanvasSurface&) = delete;
    CanvasSurface& operator=(const CanvasSurface&) = delete;

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
    // A copy-pen line of `width` pixels (the mark of a stroke being drawn, the
    // gradient axis); ends far outside the image are fine.
    void SolidLine(int x1, int y1, int x2, int y2, const QColor& color, int width);

    static QColor FillColor() { return QColor(255, 255, 255); }

private:
    void InvertPixel(int x, int y);
    void SetPixel(int x, int y, QRgb color);
    // One painter for every copy-pen primitive of a redraw: opening a painter
    // per dot would cost more than the dots.
    QPainter& Painter();
    QImage& image_;
    std::unique_ptr<QPainter> painter_;
    uchar* bits_;
    qsizetype stride_;
    int width_, height_;
};
