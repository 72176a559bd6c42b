#pragma once
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

// What the fill and the line rasteriser share: the clip they draw into and
// their walk down the image band by band.

// Pixels of an image: Left..Right-1, Top..Bottom-1.
struct RasterBox {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// A rasteriser's clip as its top-left and size; points are kept relative to
// the top-left. A sweep hands out the rows [RowsTop, RowsBottom) of it (all,
// unless limited to a band of the image), each exactly as a whole sweep would.
struct RasterClip {
    int OriginX = 0, OriginY = 0, Width = 0, Height = 0;
    int RowsTop = 0, RowsBottom = 0;
    static RasterClip Of(RasterBox b) {
        const int width = std::max(b.Right - b.Left, 0), height = std::max(b.Bottom - b.Top, 0);
        return {b.Left, b.Top, width, height, 0, height};
    }
    RasterBox Box() const { return {OriginX, OriginY, OriginX + Width, OriginY + Height}; }
    // Limits the rows handed out to the image rows [top, bottom).
    void LimitRows(int top, int bottom) {
        RowsTop = std::max(top - OriginY, 0);
        RowsBottom = std::min(bottom - OriginY, Height);
    }
};

// Farther than any drawing reaches: beyond it a coordinate cannot be placed reliably.
inline bool UsableCoordinate(double v) { return std::isfinite(v) && std::abs(v) < 1e12; }

// Walks rows [first, last) in bands of `rows` rows. `items` are sorted by
// their `top` row; each is active in the bands that overlap its rows
// [top, bottom). `band(from, to, active)` runs for every band with an active
// item, so the work follows the rows the items reach, not their number.
// `active` is the caller's, kept between sweeps so that none allocates.
template <typename T, typename Band>
void SweepBands(std::vector<T>& items, double T::*top, double T::*bottom, int first, int last, int rows,
                std::vector<const T*>& active, Band band) {
    std::sort(items.begin(), items.end(), [top](const T& a, const T& b) { return a.*top < b.*top; });
    active.clear();
    std::size_t next = 0;
    for (int from = first; from < last; from += rows) {
        const int to = std::min(from + rows, last);
        std::erase_if(active, [&](const T* t) { return t->*bottom <= from; });
        while (next < items.size() && items[next].*top < to) active.push_back(&items[next++]);
        if (!active.empty()) band(from, to, active);
    }
}
