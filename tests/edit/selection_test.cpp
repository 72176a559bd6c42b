#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "edit/Geometry.h"
#include "edit/Selection.h"
#include "tests/TestPaths.h"
#include "tests/edit/HitReference.h"

namespace {
PathShape Selected(PathShape p) {
    p.Selected = VbTrue;
    return p;
}
}  // namespace

TEST(Geometry, RoundsHalvesToEvenAndSaturates) {
    const struct { double in; std::int32_t out; } cases[] = {
        {500.5, 500}, {501.5, 502}, {-0.5, 0}, {-1.5, -2}, {2.4999, 2}, {-2.6, -3},
        {1e12, std::numeric_limits<std::int32_t>::max()},
        {-1e12, std::numeric_limits<std::int32_t>::min()}, {std::nan(""), 0}};
    for (const auto& c : cases) EXPECT_EQ(RoundHalfEven(c.in), c.out) << c.in;
}

TEST(Geometry, PointAndSegmentDistancesOverTheFullIntRange) {
    const TwipPoint a{0, 0}, b{1000, 0};
    EXPECT_FLOAT_EQ(SegmentDistance(a, b, {500, 30}), 30.0f);    // beside the segment
    EXPECT_FLOAT_EQ(SegmentDistance(a, b, {500, -30}), 30.0f);   // other side
    EXPECT_FLOAT_EQ(SegmentDistance(a, b, {1003, 4}), 5.0f);     // beyond B
    EXPECT_FLOAT_EQ(SegmentDistance(a, b, {-3, -4}), 5.0f);      // before A
    EXPECT_FLOAT_EQ(SegmentDistance(a, a, {3, 4}), 5.0f);        // degenerate segment
    // Products of extreme coordinates exceed 64 bits; the distance stays right.
    const std::int32_t lo = std::numeric_limits<std::int32_t>::min();
    const std::int32_t hi = std::numeric_limits<std::int32_t>::max();
    EXPECT_FLOAT_EQ(SegmentDistance({lo, lo}, {hi, lo}, {0, lo + 1000}), 1000.0f);
    EXPECT_FLOAT_EQ(PointDistance(3, 4), 5.0f);
    const std::int64_t big = std::int64_t{1} << 32;  // difference of two extreme twips
    EXPECT_FLOAT_EQ(PointDistance(big, 0), static_cast<float>(big));
}

TEST(Geometry, PointAngleQuadrantsAndVertical) {
    const struct { int x, y; float deg; } cases[] = {
        {100, 100, 45.0f}, {-100, 100, 135.0f}, {-100, -100, 225.0f}, {100, -100, -45.0f},
        {0, -5, -90.0f},   {0, 5, 90.0f},       {0, 0, 90.0f},         {-7, 0, 180.0f}};
    for (const auto& c : cases) EXPECT_FLOAT_EQ(PointAngle(0, 0, c.x, c.y), c.deg) << c.x << "," << c.y;
}

TEST(Selection, BoxMidpointsRoundHalfToEvenAndHandlesAnswerWithinThreePixels) {
    SelectionBox box;
    const struct { int max, mid; } boxes[] = {{1003, 502}, {1001, 500}, {1000, 500}};
    for (const auto& c : boxes) {
        CalcSelectedRect(DocWith({Selected(MakePath({{0, 0}, {c.max, c.max}}))}), box);
        EXPECT_EQ(std::make_tuple(box.SelRect[4], box.SelRect[7], box.SelRect[8], box.SelCount),
                  std::make_tuple(TwipPoint{c.mid, c.mid}, TwipPoint{c.mid, c.max}, TwipPoint{c.max, c.max}, 1)) << c.max;
    }
    const struct { float zoom; int offset, handle; } cases[] = {
        {1.0f, 59, 9}, {1.0f, 60, 0}, {2.0f, 29, 9}, {2.0f, 30, 0}, {0.5f, 119, 9}, {0.5f, 120, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(HitHandle(box, c.zoom, 1000 + c.offset, 1000), c.handle) << c.zoom << " " << c.offset;
    EXPECT_EQ(HitHandle(box, 1.0f, 500, 0), 2);
    EXPECT_EQ(HitHandle(box, 1.0f, 500, 500), 0);  // the centre is no handle
    // Overlapping handles of a small box: the highest number wins.
    CalcSelectedRect(DocWith({Selected(MakePath({{0, 0}, {20, 20}}))}), box);
    EXPECT_EQ(HitHandle(box, 1.0f, 10, 10), 9);
    // Unselected and single-anchor paths make no box and no handle.
    CalcSelectedRect(DocWith({Selected(MakePath({{-5000, -5000}})), MakePath({{0, 0}, {10, 10}})}), box);
    EXPECT_EQ(box.SelCount, 0);
    for (int x : {0, 1000, -1000})
        for (int y : {0, 1000, -1000}) EXPECT_EQ(HitHandle(box, 1.0f, x, y), 0);
}

TEST(Selection, ActiveGroupsSelectTogetherAndAMovedAnchorWrapsAndEmptiesTheCache) {
    PathShape grouped = MakePath({{0, 0}, {1, 1}});
    grouped.GroupNo = 7;
    grouped.Grouped = VbTrue;
    PathShape inactive = grouped;
    inactive.Grouped = VbFalse;
    PathShape other = grouped;
    other.GroupNo = 8;
    DrawCore doc = DocWith({grouped, inactive, grouped, other});
    SetPathSelected(doc, 1, true);
    for (std::size_t k = 1; k <= 4; ++k) EXPECT_EQ(doc.Paths[k].Selected, k % 2 ? VbTrue : VbFalse) << k;
    SetPathSelected(doc, 2, true);  // GroupNo set, but not active: alone
    EXPECT_EQ(doc.GetSelectedCount(), 3);
    SetPathSelected(doc, 3, false);
    EXPECT_EQ(doc.GetSelectedCount(), 1);
    SetPathSelected(doc, 99, true);  // no such path
    EXPECT_EQ(doc.GetSelectedCount(), 1);
    DrawCore stroke = DocWith({MakePath({{0, 0}, {10, 10}, {20, 20}})});
    stroke.Paths[1].ShapeCache = std::make_shared<BitString>();
    MoveAnchor(stroke, 5, -5, 1, 3);  // 3 mod 3 = anchor 0
    EXPECT_EQ(Coords(stroke.Paths[1])[0], std::make_pair(5, -5));
    EXPECT_EQ(stroke.Paths[1].ShapeCache, nullptr);
}

// The pre-tests of the scans must never change a result. The plain scans pin
// the rules: later anchors and paths win, single-anchor paths are skipped,
// only closed paths have a closing segment, the tolerance shrinks with zoom.
TEST(Selection, PreTestedScansMatchPlainScans) {
    std::mt19937 rng(99);
    std::uniform_int_distribution<int> coord(-3000, 3000), near(-70, 70);
    const float zooms[] = {0.25f, 1.0f, 1.5f, 3.0f};
    for (int round = 0; round < 200; ++round) {
        DrawCore doc;
        doc.ZoomRate = zooms[round % 4];
        for (int k = 0; k < 6; ++k) {
            PathShape p;
            const int n = 1 + static_cast<int>(rng() % 8);
            for (int j = 0; j < n; ++j) p.Anchors.push_back(AnchorPoint{coord(rng), coord(rng), 0});
            p.AnchorMax = n - 1;
            p.Closed = (rng() % 2) ? VbTrue : VbFalse;
            doc.AppendPath(p);
        }
        for (int probe = 0; probe < 50; ++probe) {
            const PathShape& p = doc.Paths[1 + rng() % 6];
            const AnchorPoint& a = p.Anchors[rng() % p.Anchors.size()];
            const AnchorPoint& b = p.Anchors[rng() % p.Anchors.size()];
            const int tx = (a.X + b.X) / 2 + near(rng), ty = (a.Y + b.Y) / 2 + near(rng);
            ASSERT_EQ(HitAnchor(doc, tx, ty), PlainHitAnchor(doc, tx, ty)) << round;
            ASSERT_EQ(HitSegment(doc, tx, ty), PlainHitSegment(doc, tx, ty)) << round;
        }
    }
}
