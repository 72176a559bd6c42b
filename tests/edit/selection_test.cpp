#include <gtest/gtest.h>

#include <random>

#include "edit/Selection.h"
#include "tests/TestPaths.h"
#include "tests/edit/HitReference.h"

namespace {
DrawCore DocWith(std::initializer_list<PathShape> paths) {
    DrawCore doc;
    for (const PathShape& p : paths) doc.AppendPath(p);
    return doc;
}

PathShape Selected(PathShape p) {
    p.Selected = VbTrue;
    return p;
}
}  // namespace

TEST(Selection, BoxMidpointsRoundHalfToEven) {
    const struct { int max, mid; } cases[] = {{1000, 500}, {1001, 500}, {1003, 502}};
    for (const auto& c : cases) {
        DrawCore doc = DocWith({Selected(MakePath({{0, 0}, {c.max, c.max}}))});
        SelectionBox box;
        CalcSelectedRect(doc, box);
        EXPECT_EQ(box.SelRect[4], (TwipPoint{c.mid, c.mid})) << c.max;
        EXPECT_EQ(box.SelRect[7], (TwipPoint{c.mid, c.max})) << c.max;
        EXPECT_EQ(box.SelRect[8], (TwipPoint{c.max, c.max})) << c.max;
        EXPECT_EQ(box.SelCount, 1);
    }
}

TEST(Selection, BoxIgnoresUnselectedAndSingleAnchorPathsAndKeepsSentinels) {
    PathShape dot = Selected(MakePath({{-5000, -5000}}));
    DrawCore doc = DocWith({dot, MakePath({{0, 0}, {10, 10}})});
    SelectionBox box;
    CalcSelectedRect(doc, box);
    EXPECT_EQ(box.SelCount, 0);
    EXPECT_EQ(box.SelRect[0], (TwipPoint{16777215, 16777215}));
    EXPECT_EQ(box.SelRect[8], (TwipPoint{-16777215, -16777215}));
    EXPECT_EQ(box.SelRect[4], (TwipPoint{0, 0}));
    for (int x : {0, 1000, -1000})
        for (int y : {0, 1000, -1000}) EXPECT_EQ(HitHandle(box, 1.0f, x, y), 0);
}

TEST(Selection, HandleToleranceScalesWithZoom) {
    DrawCore doc = DocWith({Selected(MakePath({{0, 0}, {1000, 1000}}))});
    SelectionBox box;
    CalcSelectedRect(doc, box);
    const struct { float zoom; int offset, handle; } cases[] = {
        {1.0f, 59, 9}, {1.0f, 60, 0}, {2.0f, 29, 9}, {2.0f, 30, 0}, {0.5f, 119, 9}, {0.5f, 120, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(HitHandle(box, c.zoom, 1000 + c.offset, 1000), c.handle) << c.zoom << " " << c.offset;
    EXPECT_EQ(HitHandle(box, 1.0f, 500, 0), 2);
    EXPECT_EQ(HitHandle(box, 1.0f, 500, 500), 0);  // the centre is no handle
    // Overlapping handles of a small box: the highest number wins.
    DrawCore small = DocWith({Selected(MakePath({{0, 0}, {20, 20}}))});
    CalcSelectedRect(small, box);
    EXPECT_EQ(HitHandle(box, 1.0f, 10, 10), 9);
}

TEST(Selection, ActiveGroupsSelectTogether) {
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
}

TEST(Selection, MoveAnchorWrapsIndexAndEmptiesCache) {
    DrawCore doc = DocWith({MakePath({{0, 0}, {10, 10}, {20, 20}})});
    doc.Paths[1].ShapeCache = std::make_shared<BitString>();
    MoveAnchor(doc, 5, -5, 1, 3);  // 3 mod 3 = anchor 0
    EXPECT_EQ(Coords(doc.Paths[1])[0], std::make_pair(5, -5));
    EXPECT_EQ(doc.Paths[1].ShapeCache, nullptr);
}

// The pre-tests of the scans must never change a result: compare with plain
// scans on random drawings at several zooms, pointers close to anchors and
// segments included. The plain scans also pin the rules: later anchors and
// paths win, single-anchor paths are skipped, only closed paths have a
// closing segment, and the tolerance shrinks as the zoom grows.
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
