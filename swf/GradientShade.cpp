#include "swf/GradientShade.h"

#include <algorithm>
#include <array>
#include <cmath>

#include <QLinearGradient>
#include <QRadialGradient>

#include "swf/TagCodes.h"

// The loops below vectorise; where the processor has wider vectors, a copy
// compiled for them runs. Not under the thread sanitizer, whose checks in the
// copy chooser would run before it has started.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && !defined(__SANITIZE_THREAD__)
#define LV_WIDE_VECTORS __attribute__((target_clones("avx2", "default")))
#else
#define LV_WIDE_VECTORS
#endif

namespace {

QTransform MatrixOf(const FillStyle& fill) {
    const SwfMatrix& m = fill.Matrix;
    return QTransform(m.ScaleX, m.RotateSkew0, m.RotateSkew1, m.ScaleY, m.TranslateX, m.TranslateY);
}

// The focus stays this far inside the rim, where the colour would turn at a point.
constexpr double MaxFocus = 0.999;

struct Stop {
    double At;           // 0..1
    float Channel[4];    // straight R, G, B, A
};

// Stops in order of position; of stops at one position the last given wins.
// One per possible position at most, so a fixed array holds them without
// allocating for every fill.
struct SortedStops {
    std::array<Stop, 256> Items;
    std::size_t Count = 0;

    SortedStops(const FillStyle& fill, const SwfColorTransform& cx) {
        Items[0] = {};
        for (const SwfGradientStop& s : fill.Stops) {
            const SwfColor c = ApplyColorTransform(cx, s.Color);
            const Stop stop{s.Ratio / 255.0, {float(c.R), float(c.G), float(c.B), float(c.A)}};
            Stop* at = std::lower_bound(begin(), end(), stop.At, [](const Stop& a, double v) { return a.At < v; });
            if (at == end() || at->At != stop.At) {
                std::copy_backward(at, end(), end() + 1);
                ++Count;
            }
            *at = stop;
        }
    }
    Stop* begin() { return Items.data(); }
    Stop* end() { return Items.data() + Count; }
    const Stop& front() const { return Items[0]; }
    const Stop& back() const { return Items[Count - 1]; }
    std::size_t size() const { return Count; }
    const Stop& operator[](std::size_t i) const { return Items[i]; }
};

// Table indices of positions on the axis (in entries, plus one half),
// clamped to the table (pad spread); a position that is not a number takes
// the first entry. Float and branch-free, so that the loops vectorise.
inline int TableIndex(float f) {
    constexpr float last = GradientShade::TableSize - 1;
    f = f > 0 ? f : 0;
    f = f < last ? f : last;
    return static_cast<int>(f);
}

}  // namespace

QBrush GradientBrush(const FillStyle& fill, const SwfColorTransform& cx) {
    constexpr double e = GradientShade::GradientExtent;
    QGradient gradient = fill.Type == FillLinearGradient ? QGradient(QLinearGradient(-e, 0, e, 0))
                         : fill.Type == FillFocalGradient ? QGradient(QRadialGradient(0, 0, e, fill.Focal * e, 0))
                                                          : QGradient(QRadialGradient(0, 0, e));
    gradient.setSpread(QGradient::PadSpread);
    // Colours are interpolated straight, not premultiplied.
    gradient.setInterpolationMode(QGradient::ComponentInterpolation);
    for (const SwfGradientStop& s : fill.Stops) {
        const SwfColor c = ApplyColorTransform(cx, s.Color);
        gradient.setColorAt(s.Ratio / 255.0, QColor(c.R, c.G, c.B, c.A));
    }
    QBrush brush(gradient);
    brush.setTransform(MatrixOf(fill));
    return brush;
}

std::optional<GradientShade> GradientShade::Of(const FillStyle& fill, const SwfColorTransform& cx, const QTransform& toDevice) {
    if (fill.Stops.empty()) return std::nullopt;
    const QTransform matrix = MatrixOf(fill);
    bool invertible = false;
    const QTransform toGradient = (matrix * toDevice).inverted(&invertible);
    if (!invertible || !matrix.isInvertible()) return std::nullopt;
    GradientShade shade;
    shade.toGradient_ = toGradient;
    if (fill.Type == FillLinearGradient) {
        shade.form_ = Form::Linear;
    } else if (fill.Type == FillFocalGradient && fill.Focal != 0) {
        shade.form_ = Form::Focal;
        shade.focus_ = std::clamp(fill.Focal, -MaxFocus, MaxFocus);
    } else {
        shade.form_ = Form::Radial;
    }
    shade.BuildTable(fill, cx);
    return shade;
}

namespace {

// Entries [from, to) between the straight colours a and b at the weights
// w0 + k * dw (0..1), premultiplied with one rounding. No branches, so that
// the loop vectorises: a table is built for every gradient fill drawn.
LV_WIDE_VECTORS void Ramp(std::uint32_t* table, int from, int to, double w0, double dw, const float (&a)[4], const float (&b)[4]) {
    const float start = static_cast<float>(w0), step = static_cast<float>(dw);
    for (int k = from; k < to; ++k) {
        const float w = start + static_cast<float>(k) * step;
        const float alpha = a[3] + w * (b[3] - a[3]), scale = alpha * (1.0f / 255);
        const auto channel = [&](int i) { return static_cast<std::uint32_t>((a[i] + w * (b[i] - a[i])) * scale + 0.5f); };
        table[k] = static_cast<std::uint32_t>(alpha + 0.5f) << 24 | channel(0) << 16 | channel(1) << 8 | channel(2);
    }
}

// Entries [from, to) all the stop's colour.
void Flat(std::uint32_t* table, int from, int to, const Stop& stop) {
    if (from >= to) return;
    Ramp(table, from, from + 1, 0, 0, stop.Channel, stop.Channel);
    std::fill(table + from + 1, table + to, table[from]);
}

}  // namespace

// Entry k holds the colour at k / (TableSize - 1) along the axis.
void GradientShade::BuildTable(const FillStyle& fill, const SwfColorTransform& cx) {
    const SortedStops stops(fill, cx);
    std::uint32_t* table = table_.data();
    constexpr double last = TableSize - 1;
    // The first entry at or past a position.
    const auto entryAt = [](double at) { return std::clamp(static_cast<int>(std::ceil(at * last)), 0, TableSize); };
    int k = entryAt(stops.front().At);
    Flat(table, 0, k, stops.front());
    for (std::size_t i = 0; i + 1 < stops.size(); ++i) {
        const Stop &a = stops[i], &b = stops[i + 1];
        const int end = entryAt(b.At);
        const double span = (b.At - a.At) * last;
        Ramp(table, k, end, -a.At * last / span, 1 / span, a.Channel, b.Channel);
        k = end;
    }
    Flat(table, k, TableSize, stops.back());
}

LV_WIDE_VECTORS void GradientShade::Shade(int y, int x0, int count, std::uint32_t* out) const {
    constexpr int chunk = 256;
    int index[chunk];
    for (int done = 0; done < count; done += chunk) {
        const int n = std::min(chunk, count - done);
        Indices(y, x0 + done, n, index);
        for (int i = 0; i < n; ++i) out[done + i] = table_[index[i]];
    }
}

LV_WIDE_VECTORS void GradientShade::Indices(int y, int x0, int count, int* index) const {
    const QTransform& m = toGradient_;
    // Gradient units, in extents, at the first pixel's centre and their step per pixel.
    const double px = x0 + 0.5, py = y + 0.5, e = GradientExtent;
    const auto units = [](double v) { return static_cast<float>(std::clamp(v, -1e30, 1e30)); };
    const float gx = units((m.m11() * px + m.m21() * py + m.dx()) / e), gy = units((m.m12() * px + m.m22() * py + m.dy()) / e);
    const float sx = units(m.m11() / e), sy = units(m.m12() / e);
    constexpr float last = TableSize - 1;
    switch (form_) {
    case Form::Linear: {
        // t = (x + 1) / 2 along the axis.
        const float f0 = (gx + 1) * (last / 2) + 0.5f, df = sx * (last / 2);
        for (int i = 0; i < count; ++i) index[i] = TableIndex(f0 + static_cast<float>(i) * df);
        return;
    }
    case Form::Radial:
        for (int i = 0; i < count; ++i) {
            const float x = gx + static_cast<float>(i) * sx, y1 = gy + static_cast<float>(i) * sy;
            index[i] = TableIndex(std::sqrt(x * x + y1 * y1) * last + 0.5f);
        }
        return;
    case Form::Focal: {
        // With the focus f on the x axis of the unit circle, a point d away
        // from it lies t of the way to the rim along its ray from the focus:
        // t = (sqrt((d.c)^2 + |d|^2 (1 - f^2)) - d.c) / (1 - f^2), c = -f x.
        const float f = static_cast<float>(focus_), a = 1 - f * f, scale = last / a;
        for (int i = 0; i < count; ++i) {
            const float x = gx - f + static_cast<float>(i) * sx, y1 = gy + static_cast<float>(i) * sy;
            const float dc = -f * x;
            index[i] = TableIndex((std::sqrt(dc * dc + (x * x + y1 * y1) * a) - dc) * scale + 0.5f);
        }
        return;
    }
    }
}
