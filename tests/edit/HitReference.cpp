#include "tests/edit/HitReference.h"

#include "edit/Geometry.h"

namespace {
PathHit PlainHit(const DrawCore& doc, std::int32_t tx, std::int32_t ty, bool segments) {
    PathHit hit;
    for (std::size_t k = 1; k < doc.Paths.size(); ++k) {
        const PathShape& p = doc.Paths[k];
        if (p.AnchorMax <= 0) continue;
        const std::size_t n = p.Anchors.size(), last = segments && !p.Closed ? n - 2 : n - 1;
        for (std::size_t j = 0; j <= last; ++j) {
            const AnchorPoint &a = p.Anchors[j], &b = p.Anchors[(j + 1) % n];
            const float d = segments ? SegmentDistance({a.X, a.Y}, {b.X, b.Y}, {tx, ty})
                                     : PointDistance(std::int64_t{a.X} - tx, std::int64_t{a.Y} - ty);
            if (d < 60.0f / doc.ZoomRate) hit = {static_cast<std::int32_t>(k), static_cast<std::int32_t>(j)};
        }
    }
    return hit;
}
}  // namespace

PathHit PlainHitSegment(const DrawCore& doc, std::int32_t tx, std::int32_t ty) { return PlainHit(doc, tx, ty, true); }
PathHit PlainHitAnchor(const DrawCore& doc, std::int32_t tx, std::int32_t ty) { return PlainHit(doc, tx, ty, false); }
