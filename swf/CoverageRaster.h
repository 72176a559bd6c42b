#pragma once
#include <cstdint>
#include <functional>
#include <vector>

// Exact-area scanline rasteriser for anti-aliased fills. Each edge adds its
// signed area to the cells it crosses, band by band; a running sum along a
// row then gives every pixel's winding coverage. The work is proportional to
// the cells the edges cross plus the pixels of the covered rows, whatever the
// number of crossings, and memory to one band of the drawing's width.
enum class FillRule { EvenOdd, NonZero };

class CoverageRaster {
public:
    // Starts a new drawing clipped to [0, width) x [0, height) device pixels.
    void Reset(int width, int height);
    // Subpaths close themselves, as fills do.
    void MoveTo(double x, double y);
    void LineTo(double x, double y);
    void Close();

    // Called per covered row with the coverage (0..255) of pixels x0 .. x0 + count - 1.
    using RowSink = std::function<void(int y, int x0, const std::uint8_t* cover, int count)>;
    void Sweep(FillRule rule, const RowSink& sink);

    bool Empty() const { return edges_.empty(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Pixels the drawing may cover (right and bottom exclusive); empty when none.
    struct Box {
        int Left = 0, Top = 0, Right = 0, Bottom = 0;
    };
    Box Bounds();

private:
    struct Edge {
        double X0, Y0, X1, Y1;  // Y0 < Y1
        float Dir;              // +1 downwards, -1 upwards
    };
    void AddLine(double x0, double y0, double x1, double y1);
    void AddClampedX(double x0, double y0, double x1, double y1);
    void Deposit(const Edge& e, int top, int bottom, int left, float* acc, int stride) const;

    int width_ = 0, height_ = 0;
    double startX_ = 0, startY_ = 0, curX_ = 0, curY_ = 0;
    bool open_ = false;
    bool reachesRight_ = false;  // a part right of the image was dropped
    std::vector<Edge> edges_;
    std::vector<float> acc_;
    std::vector<std::uint8_t> row_;
};
