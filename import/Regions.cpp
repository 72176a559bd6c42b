#include "import/Regions.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Beyond this many subpaths in one shape, nesting is not looked for: each is its own outline.
constexpr std::size_t MaxNestedContours = 4096;

AnchorPoint Round(const OutlinePoint& p) {
    return {static_cast<std::int32_t>(std::nearbyint(p.P.X)), static_cast<std::int32_t>(std::nearbyint(p.P.Y)),
            static_cast<std::int16_t>(p.Control ? 1 : 0)};
}

bool SamePlace(const AnchorPoint& a, const AnchorPoint& b) { return a.X == b.X && a.Y == b.Y; }

struct Ring {
    std::vector<AnchorPoint> Anchors;
    std::vector<Vec2> Polygon;  // on-curve points and curve middles, for nesting tests
    double Area = 0;            // signed; the sign gives the direction
    double MinX = 0, MinY = 0, MaxX = 0, MaxY = 0;
    int Container = -1;         // innermost outer boundary around a hole
    bool Outer = false, Hole = false;
};

Ring MakeRing(std::vector<AnchorPoint> anchors) {
    Ring r;
    r.Anchors = std::move(anchors);
    const std::size_t n = r.Anchors.size();
    for (std::size_t i = 0; i < n; ++i) {
        const AnchorPoint& a = r.Anchors[i];
        if (a.Kind == 0) {
            r.Polygon.push_back({double(a.X), double(a.Y)});
            continue;
        }
        const AnchorPoint& prev = r.Anchors[(i + n - 1) % n];
        const AnchorPoint& next = r.Anchors[(i + 1) % n];
        r.Polygon.push_back({0.25 * prev.X + 0.5 * a.X + 0.25 * next.X, 0.25 * prev.Y + 0.5 * a.Y + 0.25 * next.Y});
    }
    r.MinX = r.MinY = std::numeric_limits<double>::max();
    r.MaxX = r.MaxY = std::numeric_limits<double>::lowest();
    const std::size_t m = r.Polygon.size();
    for (std::size_t i = 0; i < m; ++i) {
        const Vec2 p = r.Polygon[i], q = r.Polygon[(i + 1) % m];
        r.Area += (p.X * q.Y - q.X * p.Y) / 2;
        r.MinX = std::min(r.MinX, p.X);
        r.MinY = std::min(r.MinY, p.Y);
        r.MaxX = std::max(r.MaxX, p.X);
        r.MaxY = std::max(r.MaxY, p.Y);
    }
    return r;
}

bool InsidePolygon(const std::vector<Vec2>& poly, Vec2 p) {
    bool in = false;
    for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
        const Vec2 a = poly[i], b = poly[j];
        if ((a.Y > p.Y) != (b.Y > p.Y) && p.X < (b.X - a.X) * (p.Y - a.Y) / (b.Y - a.Y) + a.X) in = !in;
    }
    return in;
}

// Whether ring `inner` lies inside ring `outer`: most of three of its points do.
bool Contains(const Ring& outer, const Ring& inner) {
    if (inner.MinX < outer.MinX || inner.MaxX > outer.MaxX || inner.MinY < outer.MinY || inner.MaxY > outer.MaxY)
        return false;
    const std::size_t n = inner.Polygon.size();
    int votes = 0;
    for (std::size_t k = 0; k < 3; ++k) votes += InsidePolygon(outer.Polygon, inner.Polygon[k * n / 3]) ? 1 : -1;
    return votes > 0;
}

void Classify(std::vector<Ring>& rings, FillRuleKind rule) {
    const std::size_t n = rings.size();
    const bool nested = n <= MaxNestedContours;
    std::vector<std::vector<int>> containers(n);
    for (std::size_t i = 0; nested && i < n; ++i)
        for (std::size_t j = 0; j < n; ++j)
            if (i != j && std::abs(rings[j].Area) > std::abs(rings[i].Area) && Contains(rings[j], rings[i]))
                containers[i].push_back(static_cast<int>(j));
    for (std::size_t i = 0; i < n; ++i) {
        if (rule == FillRuleKind::EvenOdd) {
            const bool even = containers[i].size() % 2 == 0;
            rings[i].Outer = even;
            rings[i].Hole = !even;
            continue;
        }
        int outside = 0;
        for (int j : containers[i]) outside += rings[static_cast<std::size_t>(j)].Area > 0 ? 1 : -1;
        const int inside = outside + (rings[i].Area > 0 ? 1 : -1);
        rings[i].Outer = outside == 0 && inside != 0;
        rings[i].Hole = outside != 0 && inside == 0;
    }
    for (std::size_t i = 0; i < n; ++i) {
        if (!rings[i].Hole) continue;
        double best = std::numeric_limits<double>::max();
        for (int j : containers[i]) {
            const Ring& c = rings[static_cast<std::size_t>(j)];
            if (c.Outer && std::abs(c.Area) < best) {
                best = std::abs(c.Area);
                rings[i].Container = j;
            }
        }
    }
}

// The hole's anchors from its left-most on-curve anchor, running against `outerArea`'s direction.
std::vector<AnchorPoint> HoleLoop(const Ring& hole, double outerArea) {
    std::vector<AnchorPoint> a = hole.Anchors;
    if ((hole.Area > 0) == (outerArea > 0)) std::reverse(a.begin() + 1, a.end());
    std::size_t start = 0;
    for (std::size_t i = 1; i < a.size(); ++i)
        if (a[i].Kind == 0 && (a[i].X < a[start].X || (a[i].X == a[start].X && a[i].Y < a[start].Y))) start = i;
    std::rotate(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(start), a.end());
    return a;
}

std::size_t NearestOnCurve(const std::vector<AnchorPoint>& anchors, const AnchorPoint& to) {
    std::size_t best = 0;
    double bestDistance = std::numeric_limits<double>::max();
    for (std::size_t i = 0; i < anchors.size(); ++i) {
        if (anchors[i].Kind != 0) continue;
        const double d = std::hypot(double(anchors[i].X) - to.X, double(anchors[i].Y) - to.Y);
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

std::vector<AnchorPoint> Bridge(const Ring& outer, const std::vector<const Ring*>& holes) {
    if (holes.empty()) return outer.Anchors;
    std::vector<std::vector<std::vector<AnchorPoint>>> at(outer.Anchors.size());
    for (const Ring* hole : holes) {
        std::vector<AnchorPoint> loop = HoleLoop(*hole, outer.Area);
        at[NearestOnCurve(outer.Anchors, loop[0])].push_back(std::move(loop));
    }
    std::vector<AnchorPoint> out;
    for (std::size_t k = 0; k < outer.Anchors.size(); ++k) {
        out.push_back(outer.Anchors[k]);
        for (const auto& loop : at[k]) {
            out.insert(out.end(), loop.begin(), loop.end());
            out.push_back(loop[0]);
            out.push_back(outer.Anchors[k]);
        }
    }
    return out;
}

bool BoxesOverlap(const Ring& a, const Ring& b) {
    return a.MinX < b.MaxX && b.MinX < a.MaxX && a.MinY < b.MaxY && b.MinY < a.MaxY;
}

bool SegmentsCross(Vec2 a, Vec2 b, Vec2 c, Vec2 d) {
    auto side = [](Vec2 p, Vec2 q, Vec2 r) { return (q.X - p.X) * (r.Y - p.Y) - (q.Y - p.Y) * (r.X - p.X); };
    const double d1 = side(c, d, a), d2 = side(c, d, b), d3 = side(a, b, c), d4 = side(a, b, d);
    return ((d1 > 0) != (d2 > 0)) && ((d3 > 0) != (d4 > 0));
}

// Whether two rings' edges cross. The edge pairs tried are taken from
// `budget`; once it is spent, overlapping boxes count as crossing. Joining two
// rings that do not cross draws the same (they are disjoint, or nest with
// opposite fill), it only leaves fewer paths.
bool RingsCross(const Ring& a, const Ring& b, std::size_t& budget) {
    if (!BoxesOverlap(a, b)) return false;
    const std::size_t n = a.Polygon.size(), m = b.Polygon.size();
    if (n * m > budget) return true;
    budget -= n * m;
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = 0; j < m; ++j)
            if (SegmentsCross(a.Polygon[i], a.Polygon[(i + 1) % n], b.Polygon[j], b.Polygon[(j + 1) % m])) return true;
    return false;
}

std::size_t Root(std::vector<std::size_t>& parent, std::size_t i) {
    while (parent[i] != i) i = parent[i] = parent[parent[i]];
    return i;
}

// The outer boundary each kept ring is drawn with: itself, or a hole's container.
// Rings of different outlines whose edges cross are joined into one outline,
// which the player fills even-odd: under that rule their overlap is empty, and
// under non-zero too when the two run in opposite directions.
std::vector<std::size_t> JoinCrossings(const std::vector<Ring>& rings, FillRuleKind rule) {
    const std::size_t n = rings.size();
    std::vector<std::size_t> parent(n);
    for (std::size_t i = 0; i < n; ++i)
        parent[i] = rings[i].Hole && rings[i].Container >= 0 ? static_cast<std::size_t>(rings[i].Container) : i;
    if (n > MaxNestedContours) return parent;
    std::size_t budget = 20'000'000;  // edge pairs: a fraction of a second for the whole shape
    auto kept = [&](std::size_t i) { return rings[i].Outer || (rings[i].Hole && rings[i].Container >= 0); };
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = i + 1; kept(i) && j < n; ++j) {
            if (!kept(j)) continue;
            const std::size_t a = Root(parent, i), b = Root(parent, j);
            if (a == b || (rule == FillRuleKind::NonZero && (rings[i].Area > 0) == (rings[j].Area > 0))) continue;
            if (RingsCross(rings[i], rings[j], budget)) parent[std::max(a, b)] = std::min(a, b);
        }
    }
    for (std::size_t i = 0; i < n; ++i) parent[i] = Root(parent, i);
    return parent;
}

}  // namespace

std::vector<AnchorPoint> RoundContour(const Contour& contour, bool closed) {
    std::vector<AnchorPoint> out;
    out.reserve(contour.size());
    for (const OutlinePoint& p : contour) {
        const AnchorPoint a = Round(p);
        if (!out.empty() && a.Kind == 0 && out.back().Kind == 0 && SamePlace(a, out.back())) continue;
        out.push_back(a);
    }
    while (closed && out.size() > 1 && out.back().Kind == 0 && SamePlace(out.back(), out.front())) out.pop_back();
    return out;
}

std::vector<std::vector<AnchorPoint>> FillOutlines(const std::vector<Contour>& contours, FillRuleKind rule) {
    if (contours.size() == 1) {  // one subpath fills the same under either rule
        std::vector<AnchorPoint> anchors = RoundContour(contours[0]);
        if (anchors.size() < 3) return {};
        return {std::move(anchors)};
    }
    std::vector<Ring> rings;
    rings.reserve(contours.size());
    for (const Contour& c : contours) {
        std::vector<AnchorPoint> anchors = RoundContour(c);
        if (anchors.size() < 3) continue;
        Ring r = MakeRing(std::move(anchors));
        if (r.Area != 0) rings.push_back(std::move(r));
    }
    Classify(rings, rule);
    const std::vector<std::size_t> outline = JoinCrossings(rings, rule);
    std::vector<std::vector<const Ring*>> holes(rings.size());
    for (std::size_t i = 0; i < rings.size(); ++i)
        if ((rings[i].Outer || rings[i].Hole) && outline[i] != i) holes[outline[i]].push_back(&rings[i]);
    std::vector<std::vector<AnchorPoint>> out;
    for (std::size_t i = 0; i < rings.size(); ++i)
        if (outline[i] == i && rings[i].Outer) out.push_back(Bridge(rings[i], holes[i]));
    return out;
}
