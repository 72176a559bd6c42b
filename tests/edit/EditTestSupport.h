#pragma once
#include <initializer_list>
#include <utility>
#include <vector>

#include "core/DrawCore.h"
#include "core/PreviewHost.h"

// Counts the rebuild and redraw requests of the routines under test.
class FakePreviewHost : public PreviewHost {
public:
    void RebuildPreview() override { ++Rebuilds; }
    void DispShape(int mode) override { Modes.push_back(mode); }
    int Rebuilds = 0;
    std::vector<int> Modes;
};

inline PathShape MakePath(std::initializer_list<std::pair<int, int>> points, bool closed = false) {
    PathShape p;
    for (const auto& [x, y] : points) p.Anchors.push_back(AnchorPoint{x, y, 0});
    p.AnchorMax = static_cast<std::int32_t>(p.Anchors.size()) - 1;
    p.Closed = closed ? VbTrue : VbFalse;
    return p;
}

inline std::vector<std::pair<int, int>> Coords(const PathShape& p) {
    std::vector<std::pair<int, int>> out;
    for (const AnchorPoint& a : p.Anchors) out.emplace_back(a.X, a.Y);
    return out;
}
