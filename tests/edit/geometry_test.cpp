#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "edit/Geometry.h"

TEST(Geometry, RoundsHalvesToEvenAndSaturates) {
    const struct { double in; std::int32_t out; } cases[] = {
        {500.5, 500}, {501.5, 502}, {-0.5, 0}, {-1.5, -2}, {2.4999, 2}, {-2.6, -3},
        {1e12, std::numeric_limits<std::int32_t>::max()},
        {-1e12, std::numeric_limits<std::int32_t>::min()}, {std::nan(""), 0}};
    for (const auto& c : cases) EXPECT_EQ(RoundHalfEven(c.in), c.out) << c.in;
}

TEST(Geometry, PointDistanceHandlesFullIntRange) {
    EXPECT_FLOAT_EQ(PointDistance(3, 4), 5.0f);
    const std::int64_t big = std::int64_t{1} << 32;  // difference of two extreme twips
    EXPECT_FLOAT_EQ(PointDistance(big, 0), static_cast<float>(big));
}

TEST(Geometry, SegmentDistanceRegions) {
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
}

TEST(Geometry, PointAngleQuadrantsAndVertical) {
    const struct { int x, y; float deg; } cases[] = {
        {100, 100, 45.0f}, {-100, 100, 135.0f}, {-100, -100, 225.0f}, {100, -100, -45.0f},
        {0, -5, -90.0f},   {0, 5, 90.0f},       {0, 0, 90.0f},         {-7, 0, 180.0f}};
    for (const auto& c : cases) EXPECT_FLOAT_EQ(PointAngle(0, 0, c.x, c.y), c.deg) << c.x << "," << c.y;
}
