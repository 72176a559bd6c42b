#pragma once
// Path builders shared by the writer tests.
#include <initializer_list>

#include "core/Records.h"

inline PathShape MakePath(std::initializer_list<AnchorPoint> anchors, bool closed, int fillType = 0, int lineOn = 1) {
    PathShape p;
    p.Anchors.assign(anchors);
    p.AnchorMax = static_cast<std::int32_t>(p.Anchors.size()) - 1;
    p.Closed = closed ? VbTrue : VbFalse;
    p.FillType = static_cast<std::int16_t>(fillType);
    p.LineOn = static_cast<std::int16_t>(lineOn);
    p.LineWidth = 20;
    p.LineColor = PackColor(1, 2, 3, 255);
    p.FillColor = PackColor(10, 20, 30, 200);
    p.FillColor2 = PackColor(40, 50, 60, 100);
    return p;
}

inline PathShape Square(std::int32_t x, std::int32_t y, std::int32_t size, int fillType = 1) {
    return MakePath({{x, y, 0}, {x + size, y, 0}, {x + size, y + size, 0}, {x, y + size, 0}}, true, fillType);
}
