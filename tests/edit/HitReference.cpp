#include "tests/edit/HitReference.h"

#include "edit/Geometry.h"

PathHit PlainHitSegment(const DrawCore& doc, std::int32_t tx, std::int32_t ty) {
    const float tol = 60.0f / doc.ZoomRate;
    PathHit hit;
    for (std::size_t k = 1; k < doc.Paths.size(); ++k) {
        const PathShape& p = doc.Paths[k];
        if (p.AnchorMax <= 0) continue;
        const auto count = p.Anchors.size();
        const std::size_t last = p.Closed ? count - 1 : count - 2;
        for (std::size_t j = 0; j <= last; ++j) {
            const AnchorPoint& a = p.Anchors[j];
            const AnchorPoint& b = p.Anchors[(j + 1) % count];
            if (SegmentDistance({a.X, a.Y}, {b.X, b.Y}, {tx, ty}) < tol)
                hit = {static_cast<std::int32_t>(k), static_cast<std::int32_t>(j)};
        }
    }
    return hit;
}

PathHit PlainHitAnchor(const DrawCore& doc, std::int32_t tx, std::int32_t ty) {
    const float tol = 60.0f / doc.ZoomRate;
    PathHit hit;
    for (std::size_t k = 1; k < doc.Paths.size(); ++k) {
        const PathShape& p = doc.Paths[k];
        if (p.AnchorMax <= 0) continue;
        for (std::size_t j = 0; j < p.Anchors.size(); ++j)
            if (PointDistance(std::int64_t{p.Anchors[j].X} - tx, std::int64_t{p.Anchors[j].Y} - ty) < tol)
                hit = {static_cast<std::int32_t>(k), static_cast<std::int32_t>(j)};
    }
    return hit;
}
