#pragma once
// The large drawing the movie benchmarks share: 1000 closed rings of 100
// anchors each, every fill type, with and without outlines.
#include <cmath>
#include <cstdint>

#include "core/Records.h"

namespace benchdrawing {

constexpr int kPaths = 1000;
constexpr int kAnchors = 100;

inline PathShape MakeRing(int index) {
    PathShape p;
    const double cx = 2000 + (index % 40) * 150, cy = 2000 + (index / 40) * 150;
    const double radius = 300 + index % 7 * 40;
    for (int k = 0; k < kAnchors; ++k) {
        const double angle = 2 * 3.14159265358979 * k / kAnchors;
        const double r = k % 2 ? radius * 1.1 : radius;
        p.Anchors.push_back({static_cast<std::int32_t>(std::lround(cx + r * std::cos(angle))),
                             static_cast<std::int32_t>(std::lround(cy + r * std::sin(angle))),
                             static_cast<std::int16_t>((k % 3 == 1) ? 1 : 0)});
    }
    p.AnchorMax = kAnchors - 1;
    p.Closed = VbTrue;
    p.FillType = static_cast<std::int16_t>(index % 5);
    p.LineOn = static_cast<std::int16_t>(index % 3 != 0);
    p.LineWidth = 20 + index % 50;
    p.FillColor = PackColor(index, 2 * index, 3 * index, 255);
    p.FillColor2 = PackColor(255 - index, index, 100, 128);
    p.GradAngle = static_cast<float>(index % 360);
    p.GradScale = 0.05f;
    return p;
}

}  // namespace benchdrawing
