#pragma once
#include <cstdint>
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
    // Hands out only the image rows [top, bottom) of the clip, so that bands
    // of one image drawn apart meet without a seam. Reset hands out every row again.
    void LimitRows(int top, int bottom) { clip_.LimitRows(top, bottom); }
    // Subpaths close themselves, as fills do.
    void MoveTo(double x, double y);
    void LineTo(double x, double y);
    void Close();

    // Calls `sink(y, x0, cover, count)` per covered row with the coverage
    // (0..255) of pixels x0 .. x0 + count - 1. A template, so that the
    // compositing loop is inlined into the sweep.
    template <typename Sink>
    void Sweep(FillRule rule, Sink&& sink);

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
    // Cells of a band row that edges touched: before the first the coverage
    // is 0, after the last it stays what it is there.
    struct Touched {
        int First, Last;
    };
    void Deposit(const Edge& e, int top, int bottom, int left, float* acc, int stride, Touched* touched) const;
    // The sweep's rows and band buffer, in clip coordinates; false when nothing is covered.
    struct SweepArea {
        int Left = 0, Top = 0, Bottom = 0, Cells = 0, Stride = 0, BandRows = 0;
    };
    bool BeginSweep(SweepArea& area);
    // Turns a band row of sums into coverage in row_ and clears the sums;
    // false when no pixel is covered, else the covered range [first, last].
    bool CoverRow(float* sums, Touched touched, const SweepArea& area, FillRule rule, int& first, int& last);
    static void ClearRow(float* sums, Touched touched);

    RasterClip clip_;  // edges are kept relative to its top-left
    double startX_ = 0, startY_ = 0, curX_ = 0, curY_ = 0;
    bool open_ = false;
    bool reachesRight_ = false;  // a part right of the image was dropped
    std::vector<Edge> edges_;
    std::vector<const Edge*> active_;
    std::vector<float> acc_;  // all 0 between sweeps: each row's cells are cleared as it is covered
    std::vector<std::uint8_t> row_;
    std::vector<Touched> touched_;  // per band row
};

template <typename Sink>
void CoverageRaster::Sweep(FillRule rule, Sink&& sink) {
    SweepArea a;
    if (!BeginSweep(a)) return;
    // A limited sweep starts at the band holding its first row, so that the
    // rows come out of the same bands as in a whole one.
    const int top = clip_.RowsTop > a.Top ? a.Top + (clip_.RowsTop - a.Top) / a.BandRows * a.BandRows : a.Top;
    const int bottom = std::min(a.Bottom, clip_.RowsBottom);
    if (top >= bottom) return;
    SweepBands(edges_, &Edge::Y0, &Edge::Y1, top, bottom, a.BandRows, active_, [&](int band, int bandEnd, const auto& active) {
        std::fill(touched_.begin(), touched_.end(), Touched{a.Stride, -1});
        for (const Edge* e : active) Deposit(*e, band, bandEnd, a.Left, acc_.data(), a.Stride, touched_.data());
        for (int y = band; y < bandEnd; ++y) {
            int first = 0, last = 0;
            const std::size_t row = static_cast<std::size_t>(y - band);
            if (y < clip_.RowsTop)
                ClearRow(acc_.data() + row * a.Stride, touched_[row]);
            else if (CoverRow(acc_.data() + row * a.Stride, touched_[row], a, rule, first, last))
                sink(clip_.OriginY + y, clip_.OriginX + a.Left + first, row_.data() + first, last - first + 1);
        }
    });
}
