#include "edit/Selection.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "edit/Geometry.h"

namespace {
constexpr std::int32_t kFar = 16777215;

float HitTolerance(float zoomRate) { return 60.0f / zoomRate; }

// Exact pre-test: a point farther than the tolerance along either axis is
// farther in distance, and PointDistance rounds monotonically.
bool OutsideSquare(std::int64_t dx, std::int64_t dy, float tol) {
    return static_cast<double>(std::llabs(dx)) >= tol || static_cast<double>(std::llabs(dy)) >= tol;
}

// Cheap rejection: both ends of the segment lie beyond the same side of a
// square around the pointer. The margin exceeds the tolerance by more than
// any rounding of the computed distance, so no hit is ever rejected.
struct Window {
    std::int64_t minX, maxX, minY, maxY;
    bool Excludes(const AnchorPoint& a, const AnchorPoint& b) const {
        return (a.X < minX && b.X < minX) || (a.X > maxX && b.X > maxX) || (a.Y < minY && b.Y < minY) ||
               (a.Y > maxY && b.Y > maxY);
    }
};

Window AroundPointer(std::int32_t tx, std::int32_t ty, float tol) {
    double wide = std::ceil(static_cast<double>(tol) * 1.001 + 2.0);
    if (!(wide < 1e15)) wide = 1e15;  // also a NaN tolerance from a zero or invalid zoom
    const auto m = static_cast<std::int64_t>(wide);
    return {tx - m, tx + m, ty - m, ty + m};
}
}  // namespace

void SetPathSelected(DrawCore& doc, std::int32_t i, bool state) {
    if (i < 1 || i > doc.GetPathCount()) return;
    const std::int16_t flag = state ? VbTrue : VbFalse;
    const PathShape& target = doc.Paths[static_cast<std::size_t>(i)];
    if (target.GroupNo != 0 && target.Grouped) {
        const std::int32_t group = target.GroupNo;
        for (std::size_t k = 1; k < doc.Paths.size(); ++k) {
            PathShape& p = doc.Paths[k];
            if (p.GroupNo == group && p.Grouped) p.Selected = flag;
        }
    } else {
        doc.Paths[static_cast<std::size_t>(i)].Selected = flag;
    }
}

void CalcSelectedRect(const DrawCore& doc, SelectionBox& box) {
    std::int32_t minX = kFar, minY = kFar, maxX = -kFar, maxY = -kFar;
    box.SelCount = 0;
    for (std::size_t k = 1; k < doc.Paths.size(); ++k) {
        const PathShape& p = doc.Paths[k];
        if (!p.Selected || p.AnchorMax <= 0) continue;
        for (const AnchorPoint& a : p.Anchors) {
            minX = std::min(minX, a.X);
            maxX = std::max(maxX, a.X);
            minY = std::min(minY, a.Y);
            maxY = std::max(maxY, a.Y);
        }
        box.SelCount += 1;
    }
    const std::int32_t midX = RoundHalfEven((static_cast<double>(maxX) + minX) / 2.0);
    const std::int32_t midY = RoundHalfEven((static_cast<double>(maxY) + minY) / 2.0);
    box.SelRect = {TwipPoint{minX, minY}, {midX, minY}, {maxX, minY}, {minX, midY}, {midX, midY},
                   {maxX, midY},          {minX, maxY}, {midX, maxY}, {maxX, maxY}};
}

int HitHandle(const SelectionBox& box, float zoomRate, std::int32_t tx, std::int32_t ty) {
    const float tol = HitTolerance(zoomRate);
    int hit = 0;
    for (int k = 0; k < 9; ++k) {
        if (k == 4) continue;
        const TwipPoint& h = box.SelRect[static_cast<std::size_t>(k)];
        if (PointDistance(std::int64_t{tx} - h.X, std::int64_t{ty} - h.Y) < tol) hit = k + 1;
    }
    return hit;
}

PathHit HitAnchor(const DrawCore& doc, std::int32_t tx, std::int32_t ty) {
    const float tol = HitTolerance(doc.ZoomRate);
    PathHit hit;
    for (std::size_t k = 1; k < doc.Paths.size(); ++k) {
        const PathShape& p = doc.Paths[k];
        if (p.AnchorMax <= 0) continue;
        const auto count = std::min<std::size_t>(p.Anchors.size(), static_cast<std::size_t>(p.AnchorMax) + 1);
        for (std::size_t j = 0; j < count; ++j) {
            const std::int64_t dx = std::int64_t{p.Anchors[j].X} - tx;
            const std::int64_t dy = std::int64_t{p.Anchors[j].Y} - ty;
            if (OutsideSquare(dx, dy, tol)) continue;
            if (PointDistance(dx, dy) < tol) hit = {static_cast<std::int32_t>(k), static_cast<std::int32_t>(j)};
        }
    }
    return hit;
}

PathHit HitSegment(const DrawCore& doc, std::int32_t tx, std::int32_t ty) {
    const float tol = HitTolerance(doc.ZoomRate);
    const Window window = AroundPointer(tx, ty, tol);
    const TwipPoint pointer{tx, ty};
    PathHit hit;
    for (std::size_t k = 1; k < doc.Paths.size(); ++k) {
        const PathShape& p = doc.Paths[k];
        if (p.AnchorMax <= 0) continue;
        const auto count = std::min<std::size_t>(p.Anchors.size(), static_cast<std::size_t>(p.AnchorMax) + 1);
        if (count < 2) continue;
        const std::size_t last = p.Closed ? count - 1 : count - 2;
        for (std::size_t j = 0; j <= last; ++j) {
            const AnchorPoint& a = p.Anchors[j];
            const AnchorPoint& b = p.Anchors[(j + 1) % count];
            if (window.Excludes(a, b)) continue;
            if (SegmentDistance({a.X, a.Y}, {b.X, b.Y}, pointer) < tol)
                hit = {static_cast<std::int32_t>(k), static_cast<std::int32_t>(j)};
        }
    }
    return hit;
}

void MoveAnchor(DrawCore& doc, std::int32_t dx, std::int32_t dy, std::int32_t p, std::int32_t j) {
    if (p < 1 || p > doc.GetPathCount()) return;
    PathShape& path = doc.Paths[static_cast<std::size_t>(p)];
    if (path.Anchors.empty()) return;
    const auto n = static_cast<std::int64_t>(path.Anchors.size());
    const auto index = static_cast<std::size_t>(((std::int64_t{j} % n) + n) % n);
    path.Anchors[index].X = AddTwips(path.Anchors[index].X, dx);
    path.Anchors[index].Y = AddTwips(path.Anchors[index].Y, dy);
    path.ShapeCache.reset();
}
