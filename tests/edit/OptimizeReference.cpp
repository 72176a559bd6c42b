#include "tests/edit/OptimizeReference.h"

#include "edit/Geometry.h"
#include "edit/Optimize.h"

void OptimizePathReference(PathShape& p, float t1, float t2) {
    if (p.AnchorMax < 2) return;
    const auto at = [&p](std::int32_t i) {
        const AnchorPoint& a = p.Anchors[static_cast<std::size_t>(i > p.AnchorMax ? 0 : i < 0 ? p.AnchorMax : i)];
        return TwipPoint{a.X, a.Y};
    };
    // Deletes the first anchor from `from` to `to` that `near` accepts.
    const auto removeFirst = [&](std::int32_t from, std::int32_t to, auto near) {
        for (std::int32_t i = from; i <= to; ++i)
            if (near(i)) return DeleteAnchorAt(p, i), true;
        return false;
    };
    const auto weak = [&](std::int32_t i) {
        return PointDistance(std::int64_t{at(i).X} - at(i - 1).X, std::int64_t{at(i).Y} - at(i - 1).Y) < t1;
    };
    const auto strong = [&](std::int32_t i) { return SegmentDistance(at(i - 1), at(i + 1), at(i)) < t2; };
    while (p.AnchorMax > 1 && removeFirst(1, p.AnchorMax, weak)) {
    }
    while (p.AnchorMax > 1 && removeFirst(p.Closed ? 0 : 1, p.Closed ? p.AnchorMax : p.AnchorMax - 1, strong)) {
    }
    p.ShapeCache.reset();
}
