#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "swf/RasterBands.h"

// Exact-area scanline rasteriser for anti-aliased fills. Each edge adds its
// signed area to the cells it crosses, band by band; a running sum along a
// row then gives every pixel's winding coverage. The work is proportional to
// the cells the edges cross plus the pixels of the covered rows, whatever the
// number of crossings, and memory to one band of the drawing's width.
enum class FillRule { EvenOdd, NonZero };

class CoverageRaster {
public:
    using Box = RasterBox;
    // Starts a new drawing clipped to `clip`, or to [0, width) x [0, height).
    void Reset(Box clip);
    void Reset(int width, int height) { Reset(Box{0, 0, width, height}); }
    // Subpaths close themselves, as fills do.
    void MoveTo(double x, double y);
    void LineTo(double x, double y);
    void Close();

    // Called per covered row with the coverage (0..255) of pixels x0 .. x0 + count - 1.
    using RowSink = std::function<void(int y, int x0, const std::uint8_t* cover, int count)>;
    void Sweep(FillRule rule, const RowSink& sink);

    bool Empty() const { return edges_.empty(); }
    Box Clip() const { return clip_.Box(); }
    // Pixels the drawing may cover; empty when none.
    Box Bounds();

private:
    struct Edge {
        double X0, Y0, X1, Y1;  // Y0 < Y1
        float Dir;              // +1 downwards, -1 upwards
    };
    void AddLine(double x0, double y0, double x1, double y1);
    void AddClampedX(double x0, double y0, double x1, double y1);
    void Deposit(const Edge& e, int top, int bottom, int left, float* acc, int stride) const;

    RasterClip clip_;  // edges are kept relative to its top-left
    double startX_ = 0, startY_ = 0, curX_ = 0, curY_ = 0;
    bool open_ = false;
    bool reachesRight_ = false;  // a part right of the image was dropped
    std::vector<Edge> edges_;
    std::vector<float> acc_;
    std::vector<std::uint8_t> row_;
};
