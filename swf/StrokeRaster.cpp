#include "swf/StrokeRaster.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double CoordinateLimit = 1e12;
// Rows between updates of the list of segments that reach them.
constexpr int BandRows = 32;

bool Usable(double v) { return std::isfinite(v) && std::abs(v) < CoordinateLimit; }

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

void StrokeRaster::Reset(int imageWidth, int imageHeight, double lineWidth) {
    width_ = std::max(imageWidth, 0);
    height_ = std::max(imageHeight, 0);
    const double w = std::isfinite(lineWidth) ? std::clamp(lineWidth, 1.0, 1e6) : 1.0;
    radius_ = w / 2 + 0.5;
    segments_.clear();
    open_ = false;
}

void StrokeRaster::MoveTo(double x, double y) {
    // A lone point of an open line still shows its round cap.
    if (open_ && !drawn_) AddSegment(curX_, curY_, curX_, curY_);
    startX_ = curX_ = x;
    startY_ = curY_ = y;
    open_ = true;
    drawn_ = false;
}

void StrokeRaster::LineTo(double x, double y) {
    if (!open_) MoveTo(curX_, curY_);
    AddSegment(curX_, curY_, x, y);
    drawn_ = true;
    curX_ = x;
    curY_ = y;
}

void StrokeRaster::Close() {
    if (open_) LineTo(startX_, startY_);
    open_ = false;
}

// Keeps the part of the segment that can reach the image.
void StrokeRaster::AddSegment(double x0, double y0, double x1, double y1) {
    if (!Usable(x0) || !Usable(y0) || !Usable(x1) || !Usable(y1)) return;
    const double r = Reach();
    double t0 = 0, t1 = 1;
    if (!ClipAxis(x0, x1 - x0, -r, width_ + r, t0, t1) || !ClipAxis(y0, y1 - y0, -r, height_ + r, t0, t1)) return;
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
    const int to = std::min(width_ - 1, static_cast<int>(std::ceil(std::max(xa, xb) + r)));
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

void StrokeRaster::Sweep(const CoverageRaster::RowSink& sink) {
    if (open_ && !drawn_) AddSegment(curX_, curY_, curX_, curY_);
    open_ = false;
    if (segments_.empty() || width_ <= 0) return;
    std::sort(segments_.begin(), segments_.end(), [](const Segment& a, const Segment& b) { return a.Top < b.Top; });
    double bottom = 0;
    for (const Segment& s : segments_) bottom = std::max(bottom, s.Bottom);
    const int first = std::max(0, static_cast<int>(std::floor(segments_.front().Top)));
    const int last = std::min(height_, static_cast<int>(std::ceil(bottom)) + 1);
    row_.assign(static_cast<std::size_t>(width_), 0);
    std::vector<const Segment*> active;
    std::size_t next = 0;
    for (int band = first; band < last; band += BandRows) {
        const int bandEnd = std::min(band + BandRows, last);
        std::erase_if(active, [&](const Segment* s) { return s->Bottom < band; });
        while (next < segments_.size() && segments_[next].Top < bandEnd) active.push_back(&segments_[next++]);
        if (active.empty()) continue;
        for (int y = band; y < bandEnd; ++y) {
            std::uint8_t* row = row_.data();
            int minX = width_, maxX = -1;
            for (const Segment* s : active)
                if (y + 1 > s->Top && y < s->Bottom) CoverRow(*s, y, row, minX, maxX);
            if (maxX < minX) continue;
            sink(y, minX, row + minX, maxX - minX + 1);
            std::fill(row + minX, row + maxX + 1, 0);
        }
    }
}
