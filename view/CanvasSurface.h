#pragma once
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <cstdint>
#include <memory>
#include <vector>

#include "view/CanvasWidget.h"

// The canvas pixels and the raster operations of the editing overlays.
// Invert mode XORs with white, so drawing the same overlay twice restores
// the pixels; copy-pen mode paints normally. Nothing is anti-aliased.
// Coordinates are logical pixels; on an image with a device pixel ratio each
// logical pixel covers a block of device pixels, so overlays stay one logical
// pixel wide and land on whole device pixels.
class CanvasSurface {
public:
    // `image` must be of Format_RGB32 and keep its size while the surface lives.
    explicit CanvasSurface(QImage& image);
    // The canvas' image; what is drawn is added to the canvas' damage.
    explicit CanvasSurface(CanvasWidget& canvas);
    ~CanvasSurface();
    CanvasSurface(const CanvasSurface&) = delete;
    CanvasSurface& operator=(const CanvasSurface&) = delete;

    void Clear(const QColor& color);
    // Copies `source` 1:1 in device pixels with its top left at device pixel
    // `at`, only within `clip`.
    void DrawDeviceImage(QPoint at, const QImage& source, const QRect& clip);
    // Fills a rect given in device pixels, in copy-pen mode.
    void FillDeviceRect(const QRect& rect, const QColor& color);
    // The device pixel where logical coordinate `v` begins.
    int ToDevice(std::int64_t v) const;
    double Ratio() const { return ratio_; }
    void InvertLine(int x1, int y1, int x2, int y2, int width = 1);
    void InvertBox(int x1, int y1, int x2, int y2);
    void InvertCircle(int cx, int cy, int radius);
    // A copy-pen square outline through (x1, y1) and (x2, y2) around a light interior.
    void HandleSquare(int x1, int y1, int x2, int y2);
    // A copy-pen dot: a circle of `radius` outlined in `outline` around a light interior.
    void Dot(int cx, int cy, double radius, const QColor& outline);
    // A copy-pen line of `width` pixels (the mark of a stroke being drawn, the
    // gradient axis); ends far outside the image are fine.
    void SolidLine(int x1, int y1, int x2, int y2, const QColor& color, int width);

    static QColor FillColor() { return QColor(255, 255, 255); }

private:
    void InvertPixel(int x, int y);
    // XORs or sets the device pixels of `rect`, clipped to the image.
    void InvertDeviceRect(QRect rect);
    void SetDevicePixel(int x, int y, QRgb color);
    // Device pixels of an outline one logical pixel wide.
    int Stroke() const;
    // Adds the device pixels of the logical box through both corners, grown by `pad`, to the damage.
    void TouchBox(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, std::int64_t pad);
    void Touch(const QRect& device);
    // One painter for every copy-pen primitive of a redraw: opening a painter
    // per dot would cost more than the dots.
    QPainter& Painter();
    QImage& image_;
    CanvasWidget* canvas_ = nullptr;  // told what is drawn
    std::unique_ptr<QPainter> painter_;
    uchar* bits_;
    qsizetype stride_;
    int width_, height_;  // device pixels
    double ratio_;
    int logicalWidth_, logicalHeight_;
    // Where each logical column and row begins in device pixels (one more
    // than the logical size), so that a logical pixel's block is two look-ups.
    std::vector<int> columnStart_, rowStart_;
};
