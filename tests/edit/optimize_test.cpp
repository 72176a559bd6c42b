#include <gtest/gtest.h>

#include <random>

#include "edit/Optimize.h"
#include "tests/TestPaths.h"
#include "tests/edit/OptimizeReference.h"

TEST(Optimize, ExamplesAndAnchorDeletionAtTheBounds) {
    const PathShape stroke = MakePath({{0, 0}, {20, 0}, {40, 0}, {60, 0}, {80, 0}, {100, 0}});
    const PathShape square = MakePath({{0, 0}, {50, 0}, {100, 0}, {100, 100}, {0, 100}}, true);
    const struct { const char* name; PathShape path; float t1, t2; Points expected; } cases[] = {
        {"weak removes the open end", stroke, 60, 0, {{0, 0}, {60, 0}}},
        {"strong keeps open ends", stroke, 0, 30, {{0, 0}, {100, 0}}},
        {"closed square keeps its corners", square, 0, 30, {{0, 0}, {100, 0}, {100, 100}, {0, 100}}},
        {"stops at two anchors", MakePath({{0, 0}, {10, 0}, {15, 0}}), 60, 0, {{0, 0}, {15, 0}}},
        {"zero thresholds remove nothing", stroke, 0, 0, Coords(stroke)},
        {"two anchors untouched", MakePath({{0, 0}, {1, 0}}), 60, 60, {{0, 0}, {1, 0}}},
        {"closing segment not weak-tested", MakePath({{0, 0}, {500, 0}, {500, 500}, {5, 5}}, true), 60, 0,
         {{0, 0}, {500, 0}, {500, 500}, {5, 5}}},
        {"closed path may lose anchor 0", MakePath({{50, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 0}}, true), 0, 30,
         {{100, 0}, {100, 100}, {0, 100}, {0, 0}}},
    };
    for (const auto& c : cases) {
        PathShape p = c.path;
        p.ShapeCache = std::make_shared<BitString>();
        OptimizePath(p, c.t1, c.t2);
        EXPECT_EQ(Coords(p), c.expected) << c.name;
        EXPECT_EQ(p.AnchorMax + 1, static_cast<int>(p.Anchors.size())) << c.name;
        if (c.path.AnchorMax >= 2) {
            EXPECT_EQ(p.ShapeCache, nullptr) << c.name;
        }
    }
    PathShape p = MakePath({{0, 0}, {1, 1}, {2, 2}});
    DeleteAnchorAt(p, 3);
    DeleteAnchorAt(p, -1);
    EXPECT_EQ(p.AnchorMax, 2);
    DeleteAnchorAt(p, 1);
    EXPECT_EQ(Coords(p), (Points{{0, 0}, {2, 2}}));
    DeleteAnchorAt(p, 0);
    DeleteAnchorAt(p, 0);  // the last anchor stays
    EXPECT_EQ(Coords(p), (Points{{2, 2}}));
    EXPECT_EQ(p.AnchorMax, 0);
}

namespace {
// A random walk (long strokes with steps, jitter and turns) or, every other
// round, a small closed polygon whose removals wrap around anchor 0.
PathShape RandomStroke(std::mt19937& rng, int round) {
    PathShape p;
    if (round % 2) {
        std::uniform_int_distribution<int> coord(0, 300);
        const int n = 3 + static_cast<int>(rng() % 6);
        for (int i = 0; i < n; ++i) p.Anchors.push_back(AnchorPoint{coord(rng), coord(rng), 0});
        p.Closed = VbTrue;
    } else {
        const int n = 3 + static_cast<int>(rng() % 60);
        const int step = 1 + static_cast<int>(rng() % 80);
        std::uniform_int_distribution<int> jitter(-static_cast<int>(rng() % 60), static_cast<int>(rng() % 60));
        int x = 0, y = 0;
        for (int i = 0; i < n; ++i) {
            p.Anchors.push_back(AnchorPoint{x, y, static_cast<std::int16_t>(rng() % 2)});
            const int dir = static_cast<int>(rng() % 8);
            x += (dir % 3 - 1) * step + jitter(rng);
            y += (dir / 3 % 3 - 1) * step + jitter(rng);
        }
        p.Closed = (rng() % 2) ? VbTrue : VbFalse;
    }
    p.AnchorMax = static_cast<std::int32_t>(p.Anchors.size()) - 1;
    return p;
}
}  // namespace

TEST(Optimize, MatchesRestartingReferenceOnRandomStrokes) {
    std::mt19937 rng(12345);
    for (int round = 0; round < 20000; ++round) {
        const PathShape p = RandomStroke(rng, round);
        const auto t1 = static_cast<float>(rng() % 120);
        const auto t2 = static_cast<float>(rng() % 120);
        PathShape fast = p, slow = p;
        OptimizePath(fast, t1, t2);
        OptimizePathReference(slow, t1, t2);
        ASSERT_EQ(fast.Anchors, slow.Anchors) << "round " << round;
        ASSERT_EQ(fast.AnchorMax, slow.AnchorMax) << "round " << round;
    }
}
