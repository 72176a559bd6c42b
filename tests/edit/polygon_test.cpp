#include "edit/Polygon.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/NumberText.h"
#include "tests/TestPaths.h"

TEST(Polygon, AnchorsByCornersModeAndDepthAndTheStyledFigure) {
    const struct {
        PolygonSettings s;
        std::size_t count;
        double innerRadius;  // distance of the odd anchors from the centre in a star
        int evenKind, oddKind;
    } cases[] = {
        {{4, 0, 50}, 4, 500, 0, 0},
        {{5, 1 | 4, 50}, 10, 250, 1, 0},  // rounded tips
        {{5, 1 | 2, 50}, 10, 250, 0, 1},  // rounded valleys
        {{3, 1, 100}, 6, 0, 0, 0},        // the inner points on the centre
        {{4, 1, 0}, 8, 500, 0, 0},        // a star of 2n corners on one circle
        {{6, 4, 30}, 6, 500, 1, 1},       // not a star: every point is outer
    };
    for (const auto& c : cases) {
        const std::vector<AnchorPoint> a = PolygonAnchors(1000, 2000, c.s);
        ASSERT_EQ(a.size(), c.count) << c.s.Corners;
        EXPECT_EQ(a[0], (AnchorPoint{1500, 2000, static_cast<std::int16_t>(c.evenKind)}));
        for (std::size_t k = 0; k < a.size(); ++k) {
            const double r = std::hypot(a[k].X - 1500.0, a[k].Y - 2500.0);
            EXPECT_NEAR(r, k % 2 ? c.innerRadius : 500.0, 1.0) << k;
            EXPECT_EQ(a[k].Kind, k % 2 ? c.oddKind : c.evenKind) << k;
        }
        EXPECT_TRUE(c.innerRadius == 0 || a[1].X > a[0].X);  // clockwise on screen
    }
    const Points diamond{{500, 0}, {1000, 500}, {500, 1000}, {0, 500}};
    EXPECT_EQ(Coords(MakePath(PolygonAnchors(0, 0, {4, 0, 50}))), diamond);
    DrawCore doc;
    DrawStyle style;
    style.LineWidthPt = 1.5f;
    style.CurFillType = 2;
    EXPECT_EQ(CreatePolygon(doc, 100, 200, style, {5, 1, 50}), 1);
    const PathShape& p = doc.Paths[1];
    EXPECT_TRUE(p.AnchorMax == 9 && p.Closed && p.Selected && p.LineWidth == 30 && p.FillType == 2);
    EXPECT_TRUE(p.GradX == 600 && p.GradY == 700 && p.GradAngle == 0.0f && p.GradScale == 1000.0f / 32768.0f);
    // 2.5 rounds to an even two: a line there and back; fewer corners make nothing.
    EXPECT_EQ(CreatePolygon(doc, 0, 0, style, {2.5, 0, 50}), 2);
    EXPECT_EQ(CreatePolygon(doc, 0, 0, style, {1.4, 0, 50}), 0);
    EXPECT_EQ(CreatePolygon(doc, 0, 0, style, {1e300, 0, 50}), 3);
    EXPECT_EQ(std::make_tuple(doc.Paths[2].AnchorMax, doc.Paths[3].AnchorMax + 1, doc.GetPathCount()),
              std::make_tuple(1, kMaxPolygonCorners, 3));
}

TEST(Polygon, SpinButtonAndCornerText) {
    const struct { const char* text; int value; const char* expected; } cases[] = {
        {"3", 1, "3"},   {"4", 1, "3"},   {"12", -1, "13"},  {"abc", -1, "1"},     {"abc", 1, "3"},  {"", -1, "1"},
        {"7.9", 1, "6"}, {"-8", 1, "3"},  {"9", 0, "9"},     {"12abc", -1, "13"},  {" 1e3", -1, "1001"},
        {"1e999", -1, "1"}, {"2.4x", -1, "3"}, {"99999999999", -1, "100000000000"}};
    for (const auto& c : cases) EXPECT_EQ(SpinCorners(c.text, c.value), c.expected) << c.text << " " << c.value;
    // The dialog's corner box "1e999" reads as infinity: no figure, no endless loop.
    EXPECT_EQ(PolygonCornerCount(LeadingNumber("1e999")), 0);
}
