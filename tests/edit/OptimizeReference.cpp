#include "tests/edit/OptimizeReference.h"

#include "edit/Geometry.h"
#include "edit/Optimize.h"

namespace {
bool WeakPass(PathShape& p, float t1) {
    for (std::int32_t i = 1; i <= p.AnchorMax; ++i) {
        const AnchorPoint& a = p.Anchors[static_cast<std::size_t>(i - 1)];
        const AnchorPoint& b = p.Anchors[static_cast<std::size_t>(i)];
        if (PointDistance(std::int64_t{b.X} - a.X, std::int64_t{b.Y} - a.Y) < t1) {
            DeleteAnchorAt(p, i);
            return true;
        }
    }
    return false;
}

bool StrongPass(PathShape& p, float t2) {
    if (p.AnchorMax <= 1) return false;
    const bool closed = p.Closed != 0;
    const std::int32_t first = closed ? 0 : 1;
    const std::int32_t last = closed ? p.AnchorMax : p.AnchorMax - 1;
    for (std::int32_t i = first; i <= last; ++i) {
        const std::int32_t prev = i == 0 ? p.AnchorMax : i - 1;
        const std::int32_t next = i + 1 > p.AnchorMax ? 0 : i + 1;
        const auto& a = p.Anchors;
        const TwipPoint pa{a[static_cast<std::size_t>(prev)].X, a[static_cast<std::size_t>(prev)].Y};
        const TwipPoint pb{a[static_cast<std::size_t>(next)].X, a[static_cast<std::size_t>(next)].Y};
        const TwipPoint pi{a[static_cast<std::size_t>(i)].X, a[static_cast<std::size_t>(i)].Y};
        if (SegmentDistance(pa, pb, pi) < t2) {
            DeleteAnchorAt(p, i);
            return true;
        }
    }
    return false;
}
}  // namespace

void OptimizePathReference(PathShape& path, float pointThreshold, float lineThreshold) {
    if (path.AnchorMax < 2) return;
    while (path.AnchorMax > 1 && WeakPass(path, pointThreshold)) {
    }
    while (StrongPass(path, lineThreshold)) {
    }
    path.ShapeCache.reset();
}
