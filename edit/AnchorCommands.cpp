#include "edit/AnchorCommands.h"

#include <algorithm>

#include "edit/Geometry.h"

namespace {
PathShape* MutablePath(DrawCore& doc, std::int32_t p) {
    return ValidPath(doc, p) ? &doc.Paths[static_cast<std::size_t>(p)] : nullptr;
}

bool HasAnchor(const PathShape& path, std::int32_t a) { return a >= 0 && a <= path.AnchorMax; }

// The edge midpoint, each coordinate halved truncating toward zero.
AnchorPoint Midpoint(const AnchorPoint& a, const AnchorPoint& b, std::int16_t kind) {
    const auto half = [](std::int32_t u, std::int32_t v) {
        return static_cast<std::int32_t>((std::int64_t{u} + v) / 2);
    };
    return {half(a.X, b.X), half(a.Y, b.Y), kind};
}

void Resync(PathShape& path) {
    path.AnchorMax = static_cast<std::int32_t>(path.Anchors.size()) - 1;
    path.ShapeCache.reset();
}

struct JoinTarget {
    std::int32_t Path = 0;  // 0 = none
    bool AtEnd = false;     // joined at its last anchor rather than anchor 0
};

// Only an end anchor joins; a later path, and within one path its end,
// overrides an earlier candidate.
JoinTarget FindJoinTarget(const DrawCore& doc, std::int32_t p, std::int32_t a) {
    const PathShape* path = ValidPath(doc, p);
    if (!path || (a != 0 && a != path->AnchorMax)) return {};
    const AnchorPoint at = path->Anchors[static_cast<std::size_t>(a)];
    const float tol = 60.0f / doc.ZoomRate;
    const auto near = [&](const AnchorPoint& q) {
        return PointDistance(std::int64_t{q.X} - at.X, std::int64_t{q.Y} - at.Y) < tol;
    };
    JoinTarget found;
    for (std::int32_t j = 1; j <= doc.GetPathCount(); ++j) {
        const PathShape* other = ValidPath(doc, j);
        if (j == p || !other) continue;
        if (near(other->Anchors.front())) found = {j, false};
        if (near(other->Anchors.back())) found = {j, true};
    }
    return found;
}
}  // namespace

const PathShape* ValidPath(const DrawCore& doc, std::int32_t p) {
    if (p < 1 || p > doc.GetPathCount()) return nullptr;
    const PathShape& path = doc.Paths[static_cast<std::size_t>(p)];
    if (path.AnchorMax < 0 || path.Anchors.size() != static_cast<std::size_t>(path.AnchorMax) + 1) return nullptr;
    return &path;
}

void InsertAnchor(DrawCore& doc, std::int32_t p, std::int32_t a, std::int32_t b) {
    PathShape* path = MutablePath(doc, p);
    if (!path || !HasAnchor(*path, a) || !HasAnchor(*path, b)) return;
    const AnchorPoint& from = path->Anchors[static_cast<std::size_t>(a)];
    const AnchorPoint mid = Midpoint(from, path->Anchors[static_cast<std::size_t>(b)], from.Kind);
    path->Anchors.insert(path->Anchors.begin() + a + 1, mid);
    Resync(*path);
}

void DeleteAnchor(DrawCore& doc, std::int32_t p, std::int32_t a) {
    PathShape* path = MutablePath(doc, p);
    if (!path || path->AnchorMax < 2 || !HasAnchor(*path, a)) return;
    path->Anchors.erase(path->Anchors.begin() + a);
    Resync(*path);
}

void SetEdgeKind(DrawCore& doc, std::int32_t p, std::int32_t a, std::int32_t b, std::int16_t kind) {
    const PathShape* found = ValidPath(doc, p);
    if (!found || !HasAnchor(*found, a) || !HasAnchor(*found, b)) return;
    PathShape path = doc.GetPath(p);
    path.Anchors[static_cast<std::size_t>(a)].Kind = kind;
    path.Anchors[static_cast<std::size_t>(b)].Kind = kind;
    doc.SetPath(p, path);
}

void SetAnchorKind(DrawCore& doc, std::int32_t p, std::int32_t a, std::int16_t kind) {
    SetEdgeKind(doc, p, a, a, kind);
}

void OpenPathAt(DrawCore& doc, std::int32_t p, std::int32_t a) {
    PathShape* path = MutablePath(doc, p);
    if (!path || !HasAnchor(*path, a)) return;
    std::rotate(path->Anchors.begin(), path->Anchors.begin() + a + 1, path->Anchors.end());
    path->Closed = VbFalse;
    path->ShapeCache.reset();
}

void CloseAtEnds(DrawCore& doc, std::int32_t p) {
    const PathShape* found = ValidPath(doc, p);
    if (!found) return;
    PathShape path = *found;
    path.Closed = VbTrue;
    if (path.AnchorMax > 1) {
        path.Anchors.pop_back();
        path.AnchorMax -= 1;
    }
    doc.SetPath(p, path);
}

void DividePath(DrawCore& doc, std::int32_t p, std::int32_t hit, std::int32_t a, std::int32_t b) {
    const PathShape* found = ValidPath(doc, p);
    if (!found || !HasAnchor(*found, a) || a == found->AnchorMax || (a == 0 && hit == 0)) return;
    if (hit != 0 && !HasAnchor(*found, b)) return;
    PathShape first = *found;
    PathShape second = *found;
    const auto cut = first.Anchors.begin() + a + 1;
    if (hit == 0) {
        second.Anchors.assign(cut - 1, first.Anchors.end());
        first.Anchors.erase(cut, first.Anchors.end());
    } else {
        const AnchorPoint mid = Midpoint(first.Anchors[static_cast<std::size_t>(a)],
                                         first.Anchors[static_cast<std::size_t>(b)], 0);
        second.Anchors.assign(cut, first.Anchors.end());
        second.Anchors.insert(second.Anchors.begin(), mid);
        first.Anchors.erase(cut, first.Anchors.end());
        first.Anchors.push_back(mid);
    }
    for (PathShape* half : {&first, &second}) {
        half->Closed = VbFalse;
        Resync(*half);
    }
    doc.Paths[static_cast<std::size_t>(p)] = std::move(first);
    doc.AppendPath(second);
}

bool CanJoinPaths(const DrawCore& doc, std::int32_t p, std::int32_t a) { return FindJoinTarget(doc, p, a).Path != 0; }

bool JoinPaths(DrawCore& doc, std::int32_t p, std::int32_t a, bool test) {
    const JoinTarget target = FindJoinTarget(doc, p, a);
    if (target.Path == 0) return false;
    if (test) return true;

    PathShape& path = doc.Paths[static_cast<std::size_t>(p)];
    PathShape& other = doc.Paths[static_cast<std::size_t>(target.Path)];
    std::vector<AnchorPoint> joined = other.Anchors;  // its start first
    if (target.AtEnd) std::reverse(joined.begin(), joined.end());
    std::int32_t removed = target.Path;
    if (a == path.AnchorMax) {
        // p's last anchor meets j's start (or end): j follows without that anchor.
        path.Anchors.insert(path.Anchors.end(), joined.begin() + 1, joined.end());
        Resync(path);
    } else if (!target.AtEnd) {
        // p's first anchor meets j's start: j, reversed, leads into p.
        std::reverse(joined.begin(), joined.end());
        path.Anchors.erase(path.Anchors.begin());
        path.Anchors.insert(path.Anchors.begin(), joined.begin(), joined.end());
        Resync(path);
    } else {
        // p's first anchor meets j's end: j survives and p follows it.
        other.Anchors.insert(other.Anchors.end(), path.Anchors.begin() + 1, path.Anchors.end());
        Resync(other);
        removed = p;
    }
    doc.DeletePath(removed);
    return true;
}
