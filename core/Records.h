#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/BitString.h"

// Booleans of records and files: True is -1, False is 0.
constexpr std::int16_t VbTrue = -1;
constexpr std::int16_t VbFalse = 0;

struct AnchorPoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::int16_t Kind = 0;  // 0 on-curve point, 1 quadratic control point
    bool operator==(const AnchorPoint&) const = default;
};

// A path's encoded shape bits. Immutable once built, so copies of a path may
// share it; null means the movie writer must encode the path again.
using ShapeCacheRef = std::shared_ptr<const BitString>;

struct PathShape {
    std::vector<AnchorPoint> Anchors;  // 0..AnchorMax, all used
    std::int32_t AnchorMax = 0;
    std::int16_t Closed = VbFalse;
    std::int32_t LineWidth = 0;
    std::int16_t LineOn = 1;
    std::int32_t LineColor = 0;
    std::int16_t FillType = 0;
    std::int32_t FillColor = 0;
    std::int32_t GradX = 0;
    std::int32_t GradY = 0;
    float GradAngle = 0.0f;
    float GradScale = 1.0f;
    std::int32_t FillColor2 = 0;
    ShapeCacheRef ShapeCache;
    std::int16_t Selected = VbFalse;
    std::int16_t Grouped = VbFalse;
    std::int32_t GroupNo = 0;
};

// True when the two paths hold the same drawing data (the cache is ignored).
bool SameShape(const PathShape& a, const PathShape& b);

struct CanvasSetup {
    std::int32_t CanvasWidth = 320;
    std::int32_t CanvasHeight = 320;
    std::uint8_t BackColor[3] = {255, 255, 255};
    std::int16_t OptimizeFlag = 1;
    std::int32_t OptimizePoint = 60;
    std::int32_t OptimizeLine = 30;
    std::int16_t Quality = 2;
    std::int32_t HistoryMax = 20;
    std::int16_t UnderlayShow = 0;
    std::string UnderlayFile;
    std::int32_t UnderlayX = 0;
    std::int32_t UnderlayY = 0;
    float UnderlayScale = 1.0f;
    std::int32_t UnderlayAlpha = 128;
};

// Canvas sides the editor takes, in pixels; 8191 px is the widest frame
// movie players show. A stored side beyond them is read as the nearer one.
inline constexpr std::int32_t MinCanvasSide = 1;
inline constexpr std::int32_t MaxCanvasSide = 8191;
constexpr std::int32_t ClampCanvasSide(std::int64_t side) {
    return static_cast<std::int32_t>(side < MinCanvasSide ? MinCanvasSide : side > MaxCanvasSide ? MaxCanvasSide : side);
}

// Restores every document-stored field of `setup` to its default; HistoryMax stays.
void ResetCanvasDefaults(CanvasSetup& setup);

struct HistoryEntry {
    std::int32_t Count = 0;
    std::vector<PathShape> Shapes;  // 0..Count, 1-based use
};

// Packed colour helpers: bytes R, G, B, A from low to high.
constexpr std::int32_t PackColor(int r, int g, int b, int a) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(r & 255) | (static_cast<std::uint32_t>(g & 255) << 8) |
                                     (static_cast<std::uint32_t>(b & 255) << 16) |
                                     (static_cast<std::uint32_t>(a & 255) << 24));
}
constexpr int ColorByte(std::int32_t packed, int index) {
    return static_cast<int>((static_cast<std::uint32_t>(packed) >> (8 * index)) & 255u);
}
