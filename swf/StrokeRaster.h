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
    void MoveTo(double x, double y);
    void LineTo(double x, double y);
    void Close();

    void Sweep(const CoverageRaster::RowSink& sink);

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

    RasterClip clip_;      // segments are kept relative to its top-left
    double radius_ = 0.5;  // half the width plus half the ramp
    double startX_ = 0, startY_ = 0, curX_ = 0, curY_ = 0;
    bool open_ = false, drawn_ = false;
    std::vector<Segment> segments_;
    std::vector<std::uint8_t> row_;
};
