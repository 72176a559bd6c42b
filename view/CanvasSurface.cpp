#include "view/CanvasSurface.h"

#include <QPainter>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {
void XorPen(QPainter& p, int width) {
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.setPen(QPen(Qt::white, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
}
}  // namespace

CanvasSurface::CanvasSurface(QImage& image)
    : image_(image), bits_(image.bits()), stride_(image.bytesPerLine()), width_(image.width()), height_(image.height()) {}

CanvasSurface::~CanvasSurface() = default;

QPainter& CanvasSurface::Painter() {
    if (!painter_) painter_ = std::make_unique<QPainter>(&image_);
    painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
    return *painter_;
}

void CanvasSurface::Clear(const QColor& color) {
    QPainter& p = Painter();
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(image_.rect(), color);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void CanvasSurface::FillBox(int x1, int y1, int x2, int y2, const QColor& color) {
    if (x2 < x1 || y2 < y1) return;
    QPainter& p = Painter();
    p.fillRect(QRect(QPoint(x1, y1), QPoint(x2, y2)), color);
}

void CanvasSurface::DrawImage(const QRect& target, const QImage& source) {
    // The player's image is opaque, so its pixels copy row by row as they are.
    const bool sameLayout = source.format() == QImage::Format_RGB32 ||
                            source.format() == QImage::Format_ARGB32_Premultiplied;
    if (sameLayout && source.size() == target.size()) {
        const QRect visible = target.intersected(QRect(0, 0, width_, height_));
        for (int y = visible.top(); y <= visible.bottom(); ++y) {
            const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(y - target.top())) +
                               (visible.left() - target.left());
            auto* to = reinterpret_cast<QRgb*>(bits_ + static_cast<std::ptrdiff_t>(y) * stride_) + visible.left();
            std::memcpy(to, from, static_cast<std::size_t>(visible.width()) * sizeof(QRgb));
        }
        return;
    }
    QPainter& p = Painter();
    p.setCompositionMode(QPainter::CompositionMode_Source);
    if (source.size() == target.size())
        p.drawImage(target.topLeft(), source);
    else
        p.drawImage(target, source);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void CanvasSurface::InvertPixel(int x, int y) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    reinterpret_cast<QRgb*>(bits_ + static_cast<std::ptrdiff_t>(y) * stride_)[x] ^= 0x00FFFFFFu;
}

void CanvasSurface::SetPixel(int x, int y, QRgb color) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    reinterpret_cast<QRgb*>(bits_ + static_cast<std::ptrdiff_t>(y) * stride_)[x] = color;
}

void CanvasSurface::InvertLine(int x1, int y1, int x2, int y2, int width) {
    if (width > 1) {
        QPainter& p = Painter();
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

void CanvasSurface::SolidLine(int x1, int y1, int x2, int y2, const QColor& color, int width) {
    // Clip to a margin around the image first, so the painter never meets
    // coordinates it cannot represent.
    const double margin = 16, right = width_ + margin, bottom = height_ + margin;
    const double dx = double(x2) - x1, dy = double(y2) - y1;
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 + margin, right - x1, y1 + margin, bottom - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
    }
    if (t0 > t1) return;
    QPainter& painter = Painter();
    painter.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (t0 == 0 && t1 == 1)
        painter.drawLine(x1, y1, x2, y2);
    else
        painter.drawLine(QPointF(x1 + t0 * dx, y1 + t0 * dy), QPointF(x1 + t1 * dx, y1 + t1 * dy));
}

void CanvasSurface::InvertBox(int x1, int y1, int x2, int y2) {
    const QRect box = QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2), std::max(y1, y2)))
                          .intersected(image_.rect());
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x) InvertPixel(x, y);
}

void CanvasSurface::InvertCircle(int cx, int cy, int radius) {
    QPainter& p = Painter();
    XorPen(p, 1);
    p.drawEllipse(QPoint(cx, cy), radius, radius);
}

void CanvasSurface::HandleSquare(int x1, int y1, int x2, int y2) {
    QPainter& p = Painter();
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(FillColor());
    p.drawRect(QRect(QPoint(x1, y1), QPoint(x2, y2)).adjusted(0, 0, -1, -1));
}

void CanvasSurface::Dot(int cx, int cy, double radius, const QColor& outline) {
    // The pixels within `radius` of the centre; those with a 4-neighbour
    // outside form the outline. Drawn directly: dots come by the hundred.
    if (!(radius >= 0) || radius > 4096) return;
    const int reach = static_cast<int>(radius);
    const double r2 = radius * radius;
    auto inside = [r2](int dx, int dy) { return double(dx) * dx + double(dy) * dy <= r2; };
    const QRgb edge = outline.rgb(), fill = FillColor().rgb();
    for (int dy = -reach; dy <= reach; ++dy) {
        for (int dx = -reach; dx <= reach; ++dx) {
            if (!inside(dx, dy)) continue;
            const bool border =
                !inside(dx - 1, dy) || !inside(dx + 1, dy) || !inside(dx, dy - 1) || !inside(dx, dy + 1);
            SetPixel(cx + dx, cy + dy, border ? edge : fill);
        }
    }
}

