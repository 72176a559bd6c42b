#include "swf/CoverageFill.h"

#include <algorithm>
#include <cmath>


namespace {

// Largest distance, in pixels, of a flattened curve from the true one.
constexpr double FlatnessPixels = 0.1;
constexpr int MaxCurveSegments = 256;

// Each 8-bit channel of premultiplied `x` times a / 255, rounded.
inline std::uint32_t ByteMul(std::uint32_t x, std::uint32_t a) {
    std::uint32_t t = (x & 0xFF00FF) * a;
    t = ((t + ((t >> 8) & 0xFF00FF) + 0x800080) >> 8) & 0xFF00FF;
    x = ((x >> 8) & 0xFF00FF) * a;
    x = (x + ((x >> 8) & 0xFF00FF) + 0x800080) & 0xFF00FF00;
    return x | t;
}

// Source over destination, both premultiplied.
inline std::uint32_t Over(std::uint32_t src, std::uint32_t dst) { return src + ByteMul(dst, 255 - (src >> 24)); }

// A curve wholly beyond a side of the image (by more than `margin`) changes
// nothing there that its chord would not: fills count only the winding it
// leaves to its right, and a line that far off shows nowhere.
bool BeyondASide(const QPointF (&p)[4], CoverageRaster::Box clip, double margin) {
    const auto all = [&](auto beyond) { return std::all_of(p, p + 4, beyond); };
    return all([&](const QPointF& q) { return q.x() <= clip.Left - margin; }) ||
           all([&](const QPointF& q) { return q.x() >= clip.Right + margin; }) ||
           all([&](const QPointF& q) { return q.y() <= clip.Top - margin; }) ||
           all([&](const QPointF& q) { return q.y() >= clip.Bottom + margin; });
}

template <typename Raster>
void AddCubic(Raster& raster, const QPointF (&p)[4], double margin) {
    if (BeyondASide(p, raster.Clip(), margin)) {
        raster.LineTo(p[3].x(), p[3].y());
        return;
    }
    const QPointF d1 = p[0] - 2 * p[1] + p[2], d2 = p[1] - 2 * p[2] + p[3];
    const double dd2 = std::max(QPointF::dotProduct(d1, d1), QPointF::dotProduct(d2, d2));
    const double segments = std::ceil(std::sqrt(0.75 * std::sqrt(dd2) / FlatnessPixels));
    const int n = std::isfinite(segments) ? std::clamp(static_cast<int>(segments), 1, MaxCurveSegments) : 1;
    for (int i = 1; i < n; ++i) {
        const double t = double(i) / n, u = 1 - t;
        const QPointF q = u * u * u * p[0] + 3 * u * u * t * p[1] + 3 * u * t * t * p[2] + t * t * t * p[3];
        raster.LineTo(q.x(), q.y());
    }
    raster.LineTo(p[3].x(), p[3].y());
}

template <typename Raster>
void AddPathTo(Raster& raster, const QPainterPath& path, const QTransform& toDevice, double margin) {
    QPointF current;
    const int count = path.elementCount();
    for (int i = 0; i < count; ++i) {
        const QPainterPath::Element& e = path.elementAt(i);
        const QPointF p = toDevice.map(QPointF(e.x, e.y));
        if (e.isMoveTo()) {
            raster.MoveTo(p.x(), p.y());
        } else if (e.isLineTo()) {
            raster.LineTo(p.x(), p.y());
        } else if (e.isCurveTo() && i + 2 < count) {
            const QPainterPath::Element& c2 = path.elementAt(i + 1);
            const QPainterPath::Element& end = path.elementAt(i + 2);
            const QPointF cubic[4] = {current, p, toDevice.map(QPointF(c2.x, c2.y)), toDevice.map(QPointF(end.x, end.y))};
            AddCubic(raster, cubic, margin);
            current = cubic[3];
            i += 2;
            continue;
        }
        current = p;
    }
}

// Each pixel of the run composed with its source through its coverage. No
// tests per pixel, so that the loop vectorises: a coverage of 0 or 255 gives
// the same through the arithmetic (ByteMul by 255 is exact, by 0 gives 0).
void BlendColor(std::uint32_t* __restrict line, std::uint32_t color, const std::uint8_t* __restrict cover, int count) {
    for (int i = 0; i < count; ++i) line[i] = Over(ByteMul(color, cover[i]), line[i]);
}

void BlendPattern(std::uint32_t* __restrict line, const std::uint32_t* __restrict source,
                  const std::uint8_t* __restrict cover, int count) {
    for (int i = 0; i < count; ++i) line[i] = Over(ByteMul(source[i], cover[i]), line[i]);
}

// Composes each covered row over the target with `blend(line, y, x0, cover, count)`.
template <typename Blend>
auto Compose(QImage& target, Blend blend) {
    uchar* bits = target.bits();
    const qsizetype stride = target.bytesPerLine();
    return [=](int y, int x0, const std::uint8_t* cover, int count) {
        blend(reinterpret_cast<std::uint32_t*>(bits + y * stride) + x0, y, x0, cover, count);
    };
}

}  // namespace

void AddPath(CoverageRaster& raster, const QPainterPath& path, const QTransform& toDevice) {
    AddPathTo(raster, path, toDevice, 0.0);
}

void AddPath(StrokeRaster& raster, const QPainterPath& path, const QTransform& toDevice) {
    AddPathTo(raster, path, toDevice, raster.Reach());
}

void FillColor(CoverageRaster& raster, FillRule rule, QImage& target, QRgb premultiplied) {
    if (premultiplied == 0) return;
    raster.Sweep(rule, Compose(target, [premultiplied](std::uint32_t* line, int, int, const std::uint8_t* cover, int count) {
        BlendColor(line, premultiplied, cover, count);
    }));
}

void StrokeColor(StrokeRaster& raster, QImage& target, QRgb premultiplied) {
    if (premultiplied == 0) return;
    raster.Sweep(Compose(target, [premultiplied](std::uint32_t* line, int, int, const std::uint8_t* cover, int count) {
        BlendColor(line, premultiplied, cover, count);
    }));
}

void FillPattern(CoverageRaster& raster, FillRule rule, QImage& target, const QImage& pattern, QPoint origin) {
    const uchar* bits = pattern.constBits();
    const qsizetype stride = pattern.bytesPerLine();
    raster.Sweep(rule, Compose(target, [=](std::uint32_t* line, int y, int x0, const std::uint8_t* cover, int count) {
        const auto* source = reinterpret_cast<const std::uint32_t*>(bits + (y - origin.y()) * stride) + (x0 - origin.x());
        BlendPattern(line, source, cover, count);
    }));
}

void ComposeOver(QImage& target, const QImage& source, const QRect& area, QPoint origin) {
    const QRect r = area & target.rect() & source.rect().translated(origin);
    for (int y = r.top(); y <= r.bottom(); ++y) {
        auto* dst = reinterpret_cast<std::uint32_t*>(target.scanLine(y)) + r.left();
        const auto* src = reinterpret_cast<const std::uint32_t*>(source.constScanLine(y - origin.y())) + (r.left() - origin.x());
        for (int i = 0; i < r.width(); ++i) {
            const std::uint32_t s = src[i];
            if (s >= 0xFF000000u)
                dst[i] = s;
            else if (s)
                dst[i] = Over(s, dst[i]);
        }
    }
}
