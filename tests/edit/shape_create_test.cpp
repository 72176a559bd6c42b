#include <gtest/gtest.h>

#include "core/History.h"
#include "edit/ShapeCreate.h"
#include "tests/FakePreviewHost.h"
#include "tests/TestPaths.h"

namespace {
// A pencil stroke through the given points, as the press and moves build it.
void Stroke(DrawCore& doc, const DrawStyle& style, const Points& points, std::int16_t kind = 1) {
    BeginPath(doc, points.front().first, points.front().second, style, kind);
    for (std::size_t i = 1; i < points.size(); ++i) AppendAnchor(doc, points[i].first, points[i].second, kind);
}
}  // namespace

TEST(ShapeCreate, NewPathsTakeTheStyleAndRectangleAndEllipseAnchors) {
    DrawStyle style;
    style.CurColors[0] = PackColor(1, 2, 3, 128);
    style.CurColors[1] = PackColor(4, 5, 6, 7);
    style.CurColors[2] = PackColor(8, 9, 10, 255);
    style.CurLineOn = 0;
    style.CurFillType = 2;
    const PathShape p = StyledPath(style);
    EXPECT_EQ(std::vector<std::int32_t>({p.LineOn, p.LineColor, p.FillColor, p.FillColor2, p.FillType}),
              std::vector<std::int32_t>({0, style.CurColors[0], style.CurColors[1], style.CurColors[2], 2}));
    // Points to twips, halves to even.
    const std::pair<float, int> widths[] = {{0.5f, 10}, {1.5f, 30}, {0.125f, 2}, {0.375f, 8}, {1.0f, 20}};
    for (const auto& [pt, twips] : widths) {
        style.LineWidthPt = pt;
        EXPECT_EQ(StyledPath(style).LineWidth, twips) << pt;
    }
    DrawCore doc;
    EXPECT_EQ(CreateRectangle(doc, 2000, 1000, DrawStyle{}), 1);
    EXPECT_EQ(CreateEllipse(doc, 2000, 1000, DrawStyle{}), 2);
    const PathShape& rect = doc.Paths[1];
    EXPECT_EQ(Coords(rect), (Points{{2000, 1000}, {2000, 2000}, {3000, 2000}, {3000, 1000}}));
    EXPECT_TRUE(rect.Selected == VbTrue && rect.Closed == VbTrue && rect.Anchors[0].Kind == 0);
    EXPECT_EQ(rect.GradX, 2500);  // the gradient fitted to the new path

    const PathShape& ellipse = doc.Paths[2];
    const Points offsets{{0, -500}, {354, -354}, {500, 0}, {354, 354}, {0, 500}, {-354, 354}, {-500, 0}, {-354, -354}};
    ASSERT_EQ(ellipse.AnchorMax, 7);
    for (std::size_t k = 0; k < 8; ++k) {
        EXPECT_EQ(ellipse.Anchors[k].X - 2500, offsets[k].first) << k;
        EXPECT_EQ(ellipse.Anchors[k].Y - 1500, offsets[k].second) << k;
        EXPECT_EQ(ellipse.Anchors[k].Kind, 1);
    }
}

// Optimises with the enabled phases; a closed two-anchor stroke keeps both
// anchors (the pencil gesture test drops the closing point of a longer one).
TEST(ShapeCreate, FinishStrokeClosesAndOptimisesWithEnabledPhases) {
    const Points line{{0, 0}, {20, 0}, {40, 0}, {60, 0}, {80, 0}, {100, 0}};
    const struct { std::int16_t flag; Points points, expected; bool close; } cases[] = {
        {0, line, line, false},          {1, line, {{0, 0}, {60, 0}}, false}, {2, line, {{0, 0}, {100, 0}}, false},
        {3, line, {{0, 0}, {60, 0}}, false}, {0, {{0, 0}, {30, 30}}, {{0, 0}, {30, 30}}, true}};
    for (const auto& c : cases) {
        DrawCore doc;
        doc.Setup.OptimizeFlag = c.flag;
        doc.Setup.OptimizePoint = 60;
        doc.Setup.OptimizeLine = 30;
        FakePreviewHost host;
        Stroke(doc, DrawStyle{}, c.points, 0);
        EXPECT_TRUE(FinishStroke(doc, host, c.close));
        EXPECT_EQ(std::make_tuple(Coords(doc.Paths[1]), doc.Paths[1].AnchorMax + 1, doc.Paths[1].Closed),
                  std::make_tuple(c.expected, static_cast<int>(c.expected.size()), c.close ? VbTrue : VbFalse)) << c.flag;
        EXPECT_TRUE(host.Rebuilds == 1 && doc.HistoryPos == 1 && doc.IsModified());
    }
}
