#pragma once
// Path builders shared by the tests.
#include <cstdint>
#include <utility>
#include <vector>

#include "core/DrawCore.h"

// An outlined, unfilled path through the anchors {x, y, kind}.
inline PathShape MakePath(std::vector<AnchorPoint> anchors, bool closed = false) {
    PathShape p;
    p.Anchors = std::move(anchors);
    p.AnchorMax = static_cast<std::int32_t>(p.Anchors.size()) - 1;
    p.Closed = closed ? VbTrue : VbFalse;
    return p;
}

// A closed rectangle from (x0, y0) to (x1, y1) filled with `fill`, without outline.
inline PathShape Box(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, std::int32_t fill) {
    PathShape p = MakePath({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}, true);
    p.FillType = 1;
    p.FillColor = fill;
    p.LineOn = 0;
    return p;
}

// `p` with the fill type and outline given and a different colour in every
// colour field, so an encoder mixing fields up shows.
inline PathShape Styled(PathShape p, int fillType, int lineOn = 1) {
    p.FillType = static_cast<std::int16_t>(fillType);
    p.LineOn = static_cast<std::int16_t>(lineOn);
    p.LineWidth = 20;
    p.LineColor = PackColor(1, 2, 3, 255);
    p.FillColor = PackColor(10, 20, 30, 200);
    p.FillColor2 = PackColor(40, 50, 60, 100);
    return p;
}

inline PathShape Square(std::int32_t x, std::int32_t y, std::int32_t size, int fillType = 1) {
    return Styled(MakePath({{x, y}, {x + size, y}, {x + size, y + size}, {x, y + size}}, true), fillType);
}

using Points = std::vector<std::pair<int, int>>;

inline Points Coords(const PathShape& p) {
    Points out;
    for (const AnchorPoint& a : p.Anchors) out.emplace_back(a.X, a.Y);
    return out;
}

inline DrawCore DocWith(const std::vector<PathShape>& paths) {
    DrawCore doc;
    for (const PathShape& p : paths) doc.AppendPath(p);
    return doc;
}
