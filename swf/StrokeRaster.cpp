#include "swf/StrokeRaster.h"

#include <algorithm>
#include <cmath>

namespace {

// Clips the line's parameter range [t0, t1] to lo <= a + t * d <= hi.
bool ClipAxis(double a, double d, double lo, double hi, double& t0, double& t1) {
    if (d == 0) return a >= lo && a <= hi;
    double ta = (lo - a) / d, tb = (hi - a) / d;
    if (ta > tb) std::swap(ta, tb);
    t0 = std::max(t0, ta);
    t1 = std::min(t1, tb);
    return t0 <= t1;
}

}  // namespace

void StrokeRaster::Reset(CoverageRaster::Box clip, double lineWidth) {
    clip_ = RasterClip::Of(clip);
    const double w = std::isfinite(lineWidth) ? std::clamp(lineWidth, 1.0, 1e6) : 1.0;
    radius_ = w / 2 + 0.5;
    segments_.clear();
    open_ = false;
}

void StrokeRaster::MoveTo(double x, double y) {
    // A lone point of an open line still shows its round cap.
    if (open_ && !drawn_) AddSegment(curX_, curY_, curX_, curY_);
    x -= clip_.OriginX;
    y -= clip_.OriginY;
    startX_ = curX_ = x;
    startY_ = curY_ = y;
    open_ = true;
    drawn_ = false;
}

void StrokeRaster::LineTo(double x, double y) {
    if (!open_) MoveTo(curX_ + clip_.OriginX, curY_ + clip_.OriginY);
    x -= clip_.OriginX;
    y -= clip_.OriginY;
    AddSegment(curX_, curY_, x, y);
    drawn_ = true;
    curX_ = x;
    curY_ = y;
}

void StrokeRaster::Close() {
    if (open_) LineTo(startX_ + clip_.OriginX, startY_ + clip_.OriginY);
    open_ = false;
}

// Keeps the part of the segment that can reach the image.
void StrokeRaster::AddSegment(double x0, double y0, double x1, double y1) {
    if (!UsableCoordinate(x0) || !UsableCoordinate(y0) || !UsableCoordinate(x1) || !UsableCoordinate(y1)) return;
    const double r = Reach();
    double t0 = 0, t1 = 1;
    if (!ClipAxis(x0, x1 - x0, -r, clip_.Width + r, t0, t1) || !ClipAxis(y0, y1 - y0, -r, clip_.Height + r, t0, t1))
        return;
    const double ax = x0 + (x1 - x0) * t0, ay = y0 + (y1 - y0) * t0;
    const double bx = x0 + (x1 - x0) * t1, by = y0 + (y1 - y0) * t1;
    segments_.push_back({ax, ay, bx, by, std::min(ay, by) - r, std::max(ay, by) + r});
}

// Raises the row's coverage where the segment's rim reaches it.
void StrokeRaster::CoverRow(const Segment& s, int y, std::uint8_t* row, int& minX, int& maxX) const {
    const double r = radius_, dx = s.X1 - s.X0, dy = s.Y1 - s.Y0;
    const double len2 = dx * dx + dy * dy;
    // The segment's part within reach of the row's pixel centres, widened by the reach.
    double t0 = 0, t1 = 1;
    if (!ClipAxis(s.Y0, dy, y + 0.5 - r, y + 0.5 + r, t0, t1)) return;
    const double xa = s.X0 + dx * t0, xb = s.X0 + dx * t1;
    const int from = std::max(0, static_cast<int>(std::floor(std::min(xa, xb) - r)));
    const int to = std::min(clip_.Width - 1, static_cast<int>(std::ceil(std::max(xa, xb) + r)));
    const double cy = y + 0.5;
    const double length = std::sqrt(len2);
    for (int x = from; x <= to; ++x) {
        const double px = x + 0.5 - s.X0, py = cy - s.Y0;
        const double t = len2 > 0 ? (px * dx + py * dy) / len2 : 0.0;
        double distance;
        if (t > 0 && t < 1) {
            distance = std::abs(px * dy - py * dx) / length;
        } else {
            const double ex = px - std::clamp(t, 0.0, 1.0) * dx, ey = py - std::clamp(t, 0.0, 1.0) * dy;
            distance = std::sqrt(ex * ex + ey * ey);
        }
        const double cover = r - distance;
        if (cover <= 0) continue;
        const auto c = static_cast<std::uint8_t>(std::min(cover, 1.0) * 255 + 0.5);
        if (c > row[x]) row[x] = c;
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
    }
}

bool StrokeRaster::BeginSweep(int& first, int& last) {
    if (open_ && !drawn_) AddSegment(curX_, curY_, curX_, curY_);
    open_ = false;
    if (segments_.empty() || clip_.Width <= 0) return false;
    double top = segments_.front().Top, bottom = 0;
    for (const Segment& s : segments_) {
        top = std::min(top, s.Top);
        bottom = std::max(bottom, s.Bottom);
    }
    // Each row is covered on its own, so a limited sweep starts at its first row.
    first = std::max(clip_.RowsTop, static_cast<int>(std::floor(top)));
    last = std::min(clip_.RowsBottom, static_cast<int>(std::ceil(bottom)) + 1);
    if (first >= last) return false;
    row_.assign(static_cast<std::size_t>(clip_.Width), 0);
    return true;
}
