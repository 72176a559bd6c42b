#include "view/CanvasSurface.h"

#include <QPainter>
#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {
void XorPen(QPainter& p, int width) {
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.setPen(QPen(Qt::white, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
}
}  // namespace

void CanvasSurface::Clear(const QColor& color) { image_.fill(color); }

void CanvasSurface::FillBox(int x1, int y1, int x2, int y2, const QColor& color) {
    if (x2 < x1 || y2 < y1) return;
    QPainter p(&image_);
    p.fillRect(QRect(QPoint(x1, y1), QPoint(x2, y2)), color);
}

void CanvasSurface::DrawImage(const QRect& target, const QImage& source) {
    QPainter p(&image_);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    if (source.size() == target.size())
        p.drawImage(target.topLeft(), source);
    else
        p.drawImage(target, source);
}

void CanvasSurface::InvertPixel(int x, int y) {
    if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) return;
    auto* row = reinterpret_cast<QRgb*>(image_.scanLine(y));
    row[x] ^= 0x00FFFFFFu;
}

void CanvasSurface::InvertLine(int x1, int y1, int x2, int y2, int width) {
    if (width > 1) {
        QPainter p(&image_);
        XorPen(p, width);
        p.drawLine(x1, y1, x2, y2);
        return;
    }
    // The pixels from the start up to, not including, the end point, so that
    // the lines of a closed outline meet without inverting a corner twice.
    // Only the part inside the image is walked, however far the ends lie.
    const std::int64_t dx = std::int64_t{x2} - x1, dy = std::int64_t{y2} - y1;
    const bool alongX = std::llabs(dx) >= std::llabs(dy);
    const std::int64_t steps = alongX ? std::llabs(dx) : std::llabs(dy);
    if (steps == 0) return;
    const std::int64_t major0 = alongX ? x1 : y1, majorStep = (alongX ? dx : dy) > 0 ? 1 : -1;
    const std::int64_t minor0 = alongX ? y1 : x1, minorDelta = alongX ? dy : dx;
    const std::int64_t limit = alongX ? image_.width() : image_.height();
    // Steps i with 0 <= major0 + i * majorStep < limit.
    std::int64_t first = majorStep > 0 ? -major0 : major0 - (limit - 1);
    std::int64_t last = majorStep > 0 ? limit - 1 - major0 : major0;
    first = std::max<std::int64_t>(first, 0);
    last = std::min<std::int64_t>(last, steps - 1);
    for (std::int64_t i = first; i <= last; ++i) {
        const std::int64_t major = major0 + i * majorStep;
        const std::int64_t num = 2 * i * minorDelta + steps;
        const std::int64_t minor = minor0 + (num >= 0 ? num / (2 * steps) : -((-num + 2 * steps - 1) / (2 * steps)));
        if (minor < INT32_MIN || minor > INT32_MAX) continue;
        if (alongX)
            InvertPixel(static_cast<int>(major), static_cast<int>(minor));
        else
            InvertPixel(static_cast<int>(minor), static_cast<int>(major));
    }
}

void CanvasSurface::InvertBox(int x1, int y1, int x2, int y2) {
    const QRect box = QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2), std::max(y1, y2)))
                          .intersected(image_.rect());
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x) InvertPixel(x, y);
}

void CanvasSurface::InvertCircle(int cx, int cy, int radius) {
    QPainter p(&image_);
    XorPen(p, 1);
    p.drawEllipse(QPoint(cx, cy), radius, radius);
}

void CanvasSurface::HandleSquare(int x1, int y1, int x2, int y2) {
    QPainter p(&image_);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(FillColor());
    p.drawRect(QRect(QPoint(x1, y1), QPoint(x2, y2)).adjusted(0, 0, -1, -1));
}

void CanvasSurface::Dot(int cx, int cy, double radius, const QColor& outline) {
    QPainter p(&image_);
    p.setPen(QPen(outline, 1));
    p.setBrush(FillColor());
    p.drawEllipse(QPointF(cx, cy), radius, radius);
}

void CanvasSurface::SolidLine(int x1, int y1, int x2, int y2, const QColor& color, int width) {
    QPainter p(&image_);
    p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(x1, y1, x2, y2);
}
