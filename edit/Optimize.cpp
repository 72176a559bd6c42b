#include "edit/Optimize.h"

#include <vector>

#include "edit/Geometry.h"
#include "edit/Transform.h"

// Restarting a phase from its beginning after each removal re-tests anchors
// whose neighbours did not change, and those tests fail again. The routines
// below therefore resume right before the removal point, which yields the
// same anchors removed in the same order at linear rather than quadratic
// cost per removal.

namespace {
bool TooClose(const AnchorPoint& a, const AnchorPoint& b, float threshold) {
    return PointDistance(std::int64_t{b.X} - a.X, std::int64_t{b.Y} - a.Y) < threshold;
}

// Weak phase: one sweep keeping a compacted prefix. The phase ends as soon
// as only two anchors remain, even if they are close.
void WeakPhase(std::vector<AnchorPoint>& anchors, float threshold) {
    std::size_t count = anchors.size();
    std::size_t kept = 1;
    std::size_t next = 1;
    while (next < anchors.size()) {
        if (count <= 2) break;
        if (TooClose(anchors[kept - 1], anchors[next], threshold)) {
            --count;
        } else {
            anchors[kept++] = anchors[next];
        }
        ++next;
    }
    // Anchors after an early stop survive unchanged.
    while (next < anchors.size()) anchors[kept++] = anchors[next++];
    anchors.resize(kept);
}

bool NearChord(const std::vector<AnchorPoint>& a, std::size_t prev, std::size_t i, std::size_t next,
               float threshold) {
    return SegmentDistance({a[prev].X, a[prev].Y}, {a[next].X, a[next].Y}, {a[i].X, a[i].Y}) < threshold;
}

void StrongPhase(std::vector<AnchorPoint>& a, bool closed, float threshold) {
    std::size_t i = closed ? 0 : 1;
    while (a.size() > 2) {
        const std::size_t max = a.size() - 1;
        const std::size_t last = closed ? max : max - 1;
        if (i > last) break;
        const std::size_t prev = i == 0 ? max : i - 1;
        const std::size_t next = i + 1 > max ? 0 : i + 1;
        if (!NearChord(a, prev, i, next, threshold)) {
            ++i;
            continue;
        }
        a.erase(a.begin() + static_cast<std::ptrdiff_t>(i));
        // The anchor before the removed one has a new neighbour; in a closed
        // path removing the last anchor also gives anchor 0 a new one.
        if (closed && i == max)
            i = 0;
        else if (i > 0 && (closed || i > 1))
            i -= 1;
    }
}
}  // namespace

void DeleteAnchorAt(PathShape& path, std::int32_t k) {
    if (k < 0 || k > path.AnchorMax || path.AnchorMax == 0) return;
    if (static_cast<std::size_t>(k) >= path.Anchors.size()) return;
    path.Anchors.erase(path.Anchors.begin() + k);
    path.AnchorMax -= 1;
    path.ShapeCache.reset();
}

void OptimizePath(PathShape& path, float pointThreshold, float lineThreshold) {
    if (path.AnchorMax < 2 || path.Anchors.size() != static_cast<std::size_t>(path.AnchorMax) + 1) return;
    WeakPhase(path.Anchors, pointThreshold);
    StrongPhase(path.Anchors, path.Closed != 0, lineThreshold);
    path.AnchorMax = static_cast<std::int32_t>(path.Anchors.size()) - 1;
    path.ShapeCache.reset();
}

bool OptimizePreview(DrawCore& doc, const DragSnapshot& snap, std::int32_t index, float pointThreshold,
                     float lineThreshold) {
    RestoreDragSnapshot(doc, snap);
    if (index < 1 || index > doc.GetPathCount()) return false;
    PathShape copy = doc.GetPath(index);
    OptimizePath(copy, pointThreshold, lineThreshold);
    doc.SetPath(index, copy);
    return true;
}
