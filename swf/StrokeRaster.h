#pragma once
#include <cstdint>
#include <vector>

#include "swf/CoverageRaster.h"

// Anti-aliased lines with round caps and joins. Each segment covers the
// pixels whose centres lie within half the line width of it, with a one-pixel
// ramp at the rim; segments unite by the larger coverage, so joins and caps
// come out round and crossings cost nothing. The work is proportional to the
// pixels the segments cover, clipped to the image.
class StrokeRaster {
public:
    // Starts a new line `lineWidth` device pixels wide, clipped to `clip`.
    void Reset(CoverageRaster::Box clip, double lineWidth);
    void Reset(int imageWidth, int imageHeight, double lineWidth) { Reset({0, 0, imageWidth, imageHeight}, lineWidth); }
    // Hands out only the image rows [top, bottom), as the fill's raster does.
    void LimitRows(int top, int bottom) { clip_.LimitRows(top, bottom); }
    void MoveTo(double x, double y);
    void LineTo(double x, double y);
    void Close();

    // Calls `sink(y, x0, cover, count)` per covered row, as the fill's sweep does.
    template <typename Sink>
    void Sweep(Sink&& sink);

    CoverageRaster::Box Clip() const { return clip_.Box(); }
    // How far beyond a pixel the line may still reach it.
    double Reach() const { return radius_ + 1; }

private:
    struct Segment {
        double X0, Y0, X1, Y1;
        double Top, Bottom;  // rows the segment's cover may reach
    };
    void AddSegment(double x0, double y0, double x1, double y1);
    void CoverRow(const Segment& s, int y, std::uint8_t* row, int& minX, int& maxX) const;
    // The rows [first, last) the line may cover; false when none.
    bool BeginSweep(int& first, int& last);

    RasterClip clip_;      // segments are kept relative to its top-left
    double radius_ = 0.5;  // half the width plus half the ramp
    double startX_ = 0, startY_ = 0, curX_ = 0, curY_ = 0;
    bool open_ = false, drawn_ = false;
    std::vector<Segment> segments_;
    std::vector<const Segment*> active_;
    std::vector<std::uint8_t> row_;
};

template <typename Sink>
void StrokeRaster::Sweep(Sink&& sink) {
    int first = 0, last = 0;
    if (!BeginSweep(first, last)) return;
    // Rows between updates of the list of segments that reach them.
    constexpr int bandRows = 32;
    SweepBands(segments_, &Segment::Top, &Segment::Bottom, first, last, bandRows, active_,
               [&](int band, int bandEnd, const std::vector<const Segment*>& active) {
                   for (int y = band; y < bandEnd; ++y) {
                       std::uint8_t* row = row_.data();
                       int minX = clip_.Width, maxX = -1;
                       for (const Segment* s : active)
                           if (y + 1 > s->Top && y < s->Bottom) CoverRow(*s, y, row, minX, maxX);
                       if (maxX < minX) continue;
                       sink(clip_.OriginY + y, clip_.OriginX + minX, row + minX, maxX - minX + 1);
                       std::fill(row + minX, row + maxX + 1, 0);
                   }
               });
}
