#include "view/CanvasSurface.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
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
    : image_(image),
      bits_(image.bits()),
      stride_(image.bytesPerLine()),
      width_(image.width()),
      height_(image.height()),
      ratio_(image.devicePixelRatio() > 0 ? image.devicePixelRatio() : 1.0),
      logicalWidth_(static_cast<int>(std::ceil(width_ / ratio_))),
      logicalHeight_(static_cast<int>(std::ceil(height_ / ratio_))) {
    if (ratio_ == 1) return;
    columnStart_.resize(static_cast<std::size_t>(logicalWidth_) + 1);
    rowStart_.resize(static_cast<std::size_t>(logicalHeight_) + 1);
    for (std::size_t i = 0; i < columnStart_.size(); ++i) columnStart_[i] = std::min(ToDevice(static_cast<std::int64_t>(i)), width_);
    for (std::size_t i = 0; i < rowStart_.size(); ++i) rowStart_[i] = std::min(ToDevice(static_cast<std::int64_t>(i)), height_);
}

CanvasSurface::CanvasSurface(CanvasWidget& canvas) : CanvasSurface(canvas.Image()) { canvas_ = &canvas; }

void CanvasSurface::Touch(const QRect& device) {
    if (canvas_) canvas_->Touched(device.intersected(QRect(0, 0, width_, height_)));
}

void CanvasSurface::TouchBox(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, std::int64_t pad) {
    if (!canvas_) return;
    Touch(QRect(QPoint(ToDevice(std::min(x1, x2) - pad), ToDevice(std::min(y1, y2) - pad)),
                QPoint(ToDevice(std::max(x1, x2) + 1 + pad) - 1, ToDevice(std::max(y1, y2) + 1 + pad) - 1)));
}

int CanvasSurface::ToDevice(std::int64_t v) const {
    const double d = ratio_ == 1 ? static_cast<double>(v) : std::floor(static_cast<double>(v) * ratio_ + 0.5);
    return static_cast<int>(std::clamp(d, -1073741824.0, 1073741824.0));
}

int CanvasSurface::Stroke() const { return std::max(1, static_cast<int>(std::lround(ratio_))); }

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
    Touch(image_.rect());
}

void CanvasSurface::FillDeviceRect(const QRect& rect, const QColor& color) {
    const QRect r = rect.intersected(QRect(0, 0, width_, height_));
    Touch(r);
    const QRgb rgb = color.rgb();
    for (int y = r.top(); y <= r.bottom(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(bits_ + static_cast<std::ptrdiff_t>(y) * stride_);
        std::fill(row + r.left(), row + r.right() + 1, rgb);
    }
}

void CanvasSurface::DrawDeviceImage(QPoint at, const QImage& source, const QRect& clip) {
    // The player's image is opaque, so its pixels copy row by row as they are.
    const bool sameLayout = source.format() == QImage::Format_RGB32 ||
                            source.format() == QImage::Format_ARGB32_Premultiplied;
    if (!sameLayout) {
        DrawDeviceImage(at, source.convertToFormat(QImage::Format_RGB32), clip);
        return;
    }
    const QRect target(at, source.size());
    const QRect visible = target.intersected(QRect(0, 0, width_, height_)).intersected(clip);
    Touch(visible);
    for (int y = visible.top(); y <= visible.bottom(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(y - target.top())) +
                           (visible.left() - target.left());
        auto* to = reinterpret_cast<QRgb*>(bits_ + static_cast<std::ptrdiff_t>(y) * stride_) + visible.left();
        std::memcpy(to, from, static_cast<std::size_t>(visible.width()) * sizeof(QRgb));
    }
}

void CanvasSurface::InvertPixel(int x, int y) {
    if (ratio_ == 1) {
        if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
        reinterpret_cast<QRgb*>(bits_ + static_cast<std::ptrdiff_t>(y) * stride_)[x] ^= 0x00FFFFFFu;
        return;
    }
    if (x < 0 || y < 0 || x >= logicalWidth_ || y >= logicalHeight_) return;
    const auto i = static_cast<std::size_t>(x), j = static_cast<std::size_t>(y);
    for (int row = rowStart_[j]; row < rowStart_[j + 1]; ++row) {
        auto* line = reinterpret_cast<QRgb*>(bits_ + static_cast<std::ptrdiff_t>(row) * stride_);
        for (int column = columnStart_[i]; column < columnStart_[i + 1]; ++column) line[column] ^= 0x00FFFFFFu;
    }
}

void CanvasSurface::InvertDeviceRect(QRect rect) {
    rect = rect.intersected(QRect(0, 0, width_, height_));
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(bits_ + static_cast<std::ptrdiff_t>(y) * stride_);
        for (int x = rect.left(); x <= rect.right(); ++x) row[x] ^= 0x00FFFFFFu;
    }
}

void CanvasSurface::SetDevicePixel(int x, int y, QRgb color) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    reinterpret_cast<QRgb*>(bits_ + static_cast<std::ptrdiff_t>(y) * stride_)[x] = color;
}

void CanvasSurface::InvertLine(int x1, int y1, int x2, int y2, int width) {
    TouchBox(std::clamp(x1, -1, logicalWidth_), std::clamp(y1, -1, logicalHeight_), std::clamp(x2, -1, logicalWidth_),
             std::clamp(y2, -1, logicalHeight_), width);
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
    const std::int64_t limit = alongX ? logicalWidth_ : logicalHeight_;
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
    const double margin = 16, right = logicalWidth_ + margin, bottom = logicalHeight_ + margin;
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
    TouchBox(std::llround(x1 + t0 * dx), std::llround(y1 + t0 * dy), std::llround(x1 + t1 * dx), std::llround(y1 + t1 * dy),
             width + 1);
    QPainter& painter = Painter();
    painter.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (t0 == 0 && t1 == 1)
        painter.drawLine(x1, y1, x2, y2);
    else
        painter.drawLine(QPointF(x1 + t0 * dx, y1 + t0 * dy), QPointF(x1 + t1 * dx, y1 + t1 * dy));
}

void CanvasSurface::InvertBox(int x1, int y1, int x2, int y2) {
    const QRect box = QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2), std::max(y1, y2)))
                          .intersected(QRect(0, 0, logicalWidth_, logicalHeight_));
    if (box.isEmpty()) return;
    TouchBox(box.left(), box.top(), box.right(), box.bottom(), 0);
    InvertDeviceRect(QRect(QPoint(ToDevice(box.left()), ToDevice(box.top())),
                           QPoint(ToDevice(box.right() + std::int64_t{1}) - 1, ToDevice(box.bottom() + std::int64_t{1}) - 1)));
}

void CanvasSurface::InvertCircle(int cx, int cy, int radius) {
    QPainter& p = Painter();
    XorPen(p, 1);
    p.drawEllipse(QPoint(cx, cy), radius, radius);
    TouchBox(cx, cy, cx, cy, std::int64_t{radius} + 2);
}

void CanvasSurface::HandleSquare(int x1, int y1, int x2, int y2) {
    const QRect outer(QPoint(ToDevice(x1), ToDevice(y1)),
                      QPoint(ToDevice(x2 + std::int64_t{1}) - 1, ToDevice(y2 + std::int64_t{1}) - 1));
    if (outer.isEmpty()) return;
    const int t = Stroke();
    FillDeviceRect(outer, Qt::black);
    FillDeviceRect(outer.adjusted(t, t, -t, -t), FillColor());
}

void CanvasSurface::Dot(int cx, int cy, double radius, const QColor& outline) {
    // The device pixels whose centres lie within `radius` of the centre
    // pixel's; those with a neighbour one logical pixel away outside form the
    // outline. Drawn directly: dots come by the hundred.
    if (!(radius >= 0) || radius > 4096) return;
    const double ox = (ToDevice(cx) + ToDevice(cx + std::int64_t{1})) / 2.0;
    const double oy = (ToDevice(cy) + ToDevice(cy + std::int64_t{1})) / 2.0;
    const double r = radius * ratio_, r2 = r * r;
    const int t = Stroke();
    const int reach = static_cast<int>(r) + 1;
    const int left = static_cast<int>(std::floor(ox)) - reach, top = static_cast<int>(std::floor(oy)) - reach;
    auto inside = [&](int x, int y) {
        const double dx = x + 0.5 - ox, dy = y + 0.5 - oy;
        return dx * dx + dy * dy <= r2;
    };
    const QRgb edge = outline.rgb(), fill = FillColor().rgb();
    Touch(QRect(left, top, 2 * reach + 1, 2 * reach + 1));
    for (int y = std::max(top, 0); y <= std::min(top + 2 * reach, height_ - 1); ++y) {
        for (int x = std::max(left, 0); x <= std::min(left + 2 * reach, width_ - 1); ++x) {
            if (!inside(x, y)) continue;
            const bool border = !inside(x - t, y) || !inside(x + t, y) || !inside(x, y - t) || !inside(x, y + t);
            SetDevicePixel(x, y, border ? edge : fill);
        }
    }
}
