#include "swf/CoverageRaster.h"

#include <algorithm>
#include <cmath>

namespace {

// Farther than any drawing reaches: beyond it an edge cannot be placed reliably.
constexpr double CoordinateLimit = 1e12;

// Largest band buffer, in cells: the band is as many rows as fit.
constexpr std::size_t BandCells = 1 << 18;

bool Usable(double v) { return std::isfinite(v) && std::abs(v) < CoordinateLimit; }

std::uint8_t Coverage(float v, FillRule rule) {
    float a = std::abs(v);
    if (a > 1.0f) {
        if (rule == FillRule::EvenOdd) {
            a -= 2.0f * std::floor(a * 0.5f);
            if (a > 1.0f) a = 2.0f - a;
        } else {
            a = 1.0f;
        }
    }
    return static_cast<std::uint8_t>(a * 255.0f + 0.5f);
}

}  // namespace

void CoverageRaster::Reset(Box clip) {
    originX_ = clip.Left;
    originY_ = clip.Top;
    width_ = std::max(clip.Right - clip.Left, 0);
    height_ = std::max(clip.Bottom - clip.Top, 0);
    edges_.clear();
    open_ = false;
    reachesRight_ = false;
}

void CoverageRaster::MoveTo(double x, double y) {
    Close();
    x -= originX_;
    y -= originY_;
    startX_ = curX_ = x;
    startY_ = curY_ = y;
    open_ = true;
}

void CoverageRaster::LineTo(double x, double y) {
    if (!open_) MoveTo(curX_ + originX_, curY_ + originY_);
    x -= originX_;
    y -= originY_;
    AddLine(curX_, curY_, x, y);
    curX_ = x;
    curY_ = y;
}

void CoverageRaster::Close() {
    if (open_) AddLine(curX_, curY_, startX_, startY_);
    curX_ = startX_;
    curY_ = startY_;
    open_ = false;
}

// Keeps the part of the line within the rows [0, height); it only matters there.
void CoverageRaster::AddLine(double x0, double y0, double x1, double y1) {
    if (!Usable(x0) || !Usable(y0) || !Usable(x1) || !Usable(y1) || y0 == y1) return;
    const double h = height_, w = width_;
    if (x0 >= 0 && x1 >= 0 && x0 <= w && x1 <= w && y0 >= 0 && y1 >= 0 && y0 <= h && y1 <= h) {
        edges_.push_back(y0 < y1 ? Edge{x0, y0, x1, y1, 1.0f} : Edge{x1, y1, x0, y0, -1.0f});
        return;
    }
    if ((y0 <= 0 && y1 <= 0) || (y0 >= h && y1 >= h)) return;
    const auto xAt = [&](double y) { return x0 + (x1 - x0) * ((y - y0) / (y1 - y0)); };
    double ax = x0, ay = y0, bx = x1, by = y1;
    if (ay < 0) ax = xAt(0), ay = 0;
    if (ay > h) ax = xAt(h), ay = h;
    if (by < 0) bx = xAt(0), by = 0;
    if (by > h) bx = xAt(h), by = h;
    AddClampedX(ax, ay, bx, by);
}

// Parts right of the image cover none of its pixels and are dropped; parts
// left of it move onto its left side, where they still turn the winding of
// every pixel to their right.
void CoverageRaster::AddClampedX(double x0, double y0, double x1, double y1) {
    const double w = width_;
    double cuts[4] = {0.0, 1.0, 1.0, 1.0};
    int n = 1;
    for (double edge : {0.0, w})
        if ((x0 < edge) != (x1 < edge)) cuts[n++] = (edge - x0) / (x1 - x0);
    if (n == 3 && cuts[1] > cuts[2]) std::swap(cuts[1], cuts[2]);
    cuts[n] = 1.0;
    for (int i = 0; i < n; ++i) {
        const double ta = cuts[i], tb = cuts[i + 1];
        const double ya = y0 + (y1 - y0) * ta, yb = y0 + (y1 - y0) * tb;
        if (ya == yb) continue;
        double xa = x0 + (x1 - x0) * ta, xb = x0 + (x1 - x0) * tb;
        const double mid = (xa + xb) / 2;
        if (mid >= w) {
            reachesRight_ = true;
            continue;
        }
        if (mid <= 0) xa = xb = 0;
        xa = std::clamp(xa, 0.0, w);
        xb = std::clamp(xb, 0.0, w);
        if (ya < yb)
            edges_.push_back({xa, ya, xb, yb, 1.0f});
        else
            edges_.push_back({xb, yb, xa, ya, -1.0f});
    }
}

// Adds the edge's part within rows [top, bottom) to the band's cells: per
// row, the area between the edge and the row's right end, spread so that a
// running sum along the row gives each pixel's coverage.
void CoverageRaster::Deposit(const Edge& e, int top, int bottom, int left, float* acc, int stride) const {
    const double ya = std::max(e.Y0, double(top)), yb = std::min(e.Y1, double(bottom));
    if (ya >= yb) return;
    const double dxdy = (e.X1 - e.X0) / (e.Y1 - e.Y0);
    const double maxX = stride - 2;
    double x = std::clamp(e.X0 + (ya - e.Y0) * dxdy - left, 0.0, maxX);
    for (int y = static_cast<int>(std::floor(ya)); y < bottom && y < yb; ++y) {
        const double dy = std::min(double(y + 1), yb) - std::max(double(y), ya);
        const double next = std::clamp(x + dxdy * dy, 0.0, maxX);
        float* row = acc + static_cast<std::ptrdiff_t>(y - top) * stride;
        const double d = dy * e.Dir;
        const double lo = std::min(x, next), hi = std::max(x, next);
        const int i0 = static_cast<int>(std::floor(lo)), i1 = static_cast<int>(std::ceil(hi));
        if (i1 <= i0 + 1) {
            const double m = 0.5 * (x + next) - i0;
            row[i0] += static_cast<float>(d * (1 - m));
            row[i0 + 1] += static_cast<float>(d * m);
        } else {
            const double s = 1 / (hi - lo);
            const double f0 = lo - i0, f1 = hi - i1 + 1;
            const double a0 = 0.5 * s * (1 - f0) * (1 - f0), am = 0.5 * s * f1 * f1;
            row[i0] += static_cast<float>(d * a0);
            if (i1 == i0 + 2) {
                row[i0 + 1] += static_cast<float>(d * (1 - a0 - am));
            } else {
                const double a1 = s * (1.5 - f0);
                row[i0 + 1] += static_cast<float>(d * (a1 - a0));
                const float step = static_cast<float>(d * s);
                for (int i = i0 + 2; i < i1 - 1; ++i) row[i] += step;
                const double a2 = a1 + (i1 - i0 - 3) * s;
                row[i1 - 1] += static_cast<float>(d * (1 - a2 - am));
            }
            row[i1] += static_cast<float>(d * am);
        }
        x = next;
    }
}

CoverageRaster::Box CoverageRaster::Bounds() {
    Close();
    if (edges_.empty()) return {};
    double minX = width_, maxX = 0, minY = height_, maxY = 0;
    for (const Edge& e : edges_) {
        minX = std::min({minX, e.X0, e.X1});
        maxX = std::max({maxX, e.X0, e.X1});
        minY = std::min(minY, e.Y0);
        maxY = std::max(maxY, e.Y1);
    }
    Box box;
    box.Left = originX_ + static_cast<int>(std::floor(minX));
    // Coverage runs on to the clip's right side when a part beyond it was dropped.
    box.Right = originX_ + (reachesRight_ ? width_ : std::min(static_cast<int>(std::ceil(maxX)), width_));
    box.Top = originY_ + static_cast<int>(std::floor(minY));
    box.Bottom = originY_ + std::min(static_cast<int>(std::ceil(maxY)), height_);
    return box;
}

void CoverageRaster::Sweep(FillRule rule, const RowSink& sink) {
    const Box box = Bounds();
    if (edges_.empty()) return;
    const int left = box.Left - originX_, top = box.Top - originY_, bottom = box.Bottom - originY_;
    const int cells = box.Right - box.Left;
    const int stride = cells + 2;
    const int bandRows = static_cast<int>(std::clamp<std::size_t>(BandCells / stride, 1, 64));
    std::sort(edges_.begin(), edges_.end(), [](const Edge& a, const Edge& b) { return a.Y0 < b.Y0; });
    acc_.assign(static_cast<std::size_t>(stride) * bandRows, 0.0f);
    row_.resize(static_cast<std::size_t>(stride));

    std::vector<const Edge*> active;
    std::size_t next = 0;
    for (int band = top; band < bottom; band += bandRows) {
        const int bandEnd = std::min(band + bandRows, bottom);
        std::erase_if(active, [&](const Edge* e) { return e->Y1 <= band; });
        while (next < edges_.size() && edges_[next].Y0 < bandEnd) active.push_back(&edges_[next++]);
        if (active.empty()) continue;
        for (const Edge* e : active) Deposit(*e, band, bandEnd, left, acc_.data(), stride);
        for (int y = band; y < bandEnd; ++y) {
            float* sums = acc_.data() + static_cast<std::ptrdiff_t>(y - band) * stride;
            float sum = 0;
            int first = -1, last = -1;
            for (int i = 0; i < cells; ++i) {
                sum += sums[i];
                const std::uint8_t c = Coverage(sum, rule);
                row_[i] = c;
                if (c) {
                    if (first < 0) first = i;
                    last = i;
                }
            }
            std::fill(sums, sums + stride, 0.0f);
            if (first >= 0) sink(originY_ + y, originX_ + left + first, row_.data() + first, last - first + 1);
        }
    }
}
