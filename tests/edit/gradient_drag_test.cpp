#include <gtest/gtest.h>

#include "edit/GradientDrag.h"
#include "edit/ShapeCreate.h"
#include "edit/Transform.h"
#include "tests/TestPaths.h"

namespace {
PathShape Gradient(std::int32_t x, std::int32_t y, float angle, float scale) {
    PathShape p = Square(0, 0, 100, 3);
    p.GradX = x;
    p.GradY = y;
    p.GradAngle = angle;
    p.GradScale = scale;
    p.Selected = VbTrue;
    return p;
}

std::vector<TwipPoint> Handles(const PathShape& path) {
    DrawCore doc;
    doc.AppendPath(path);
    SelectionBox box;
    CalcGradientControl(doc, box);
    return {box.SelRect.begin(), box.SelRect.begin() + 4};
}
}  // namespace

TEST(GradientDrag, HandlePositions) {
    PathShape wide = MakePath({{0, 0}, {200, 100}}), tall = MakePath({{0, 0}, {100, 200}});
    FitGradientToPath(wide);
    FitGradientToPath(tall);
    wide.Selected = tall.Selected = VbTrue;
    EXPECT_EQ(Handles(Gradient(1000, 2000, 0, 1)),
              (std::vector<TwipPoint>{{1000, 2000}, {1000, 1600}, {17380, 2000}, {-15380, 2000}}));
    EXPECT_EQ(Handles(wide), (std::vector<TwipPoint>{{100, 50}, {100, -350}, {200, 50}, {0, 50}}));
    EXPECT_EQ(Handles(tall), (std::vector<TwipPoint>{{50, 100}, {450, 100}, {50, 200}, {50, 0}}));
    // A handle that cannot be placed keeps its place; no selection leaves no handle.
    EXPECT_EQ(Handles(Gradient(0, 0, 0, 1e9f))[2], (TwipPoint{NoHandle, 0}));
    PathShape unselected = wide;
    unselected.Selected = VbFalse;
    EXPECT_EQ(Handles(unselected)[0], (TwipPoint{NoHandle, NoHandle}));
}

TEST(GradientDrag, DragsMoveTurnAndScaleEverySelectedPath) {
    DrawCore doc;
    doc.AppendPath(Gradient(0, 0, 10, 0.5f));
    doc.AppendPath(Gradient(1000, 0, 30, 2));  // its handles are shown
    doc.AppendPath(Gradient(5000, 5000, 0, 1));
    doc.Paths[3].Selected = VbFalse;
    SelectionBox box;
    DragSnapshot snap;
    TakeDragSnapshot(doc, snap);
    std::int32_t dragX = 1000, dragY = 500;
    // Axis end: both paths take the distance from the shown centre.
    EXPECT_TRUE(GradientDragStep(doc, box, snap, 3, 1000 + 8192, 0, dragX, dragY));
    EXPECT_EQ(doc.Paths[1].GradScale, 0.5f);
    EXPECT_EQ(doc.Paths[2].GradScale, 0.5f);
    EXPECT_EQ(doc.Paths[3].GradScale, 1.0f);
    EXPECT_FALSE(doc.Paths[1].ShapeCache);
    // Back onto the centre: scale 0, and a further drag from there stays finite.
    EXPECT_TRUE(GradientDragStep(doc, box, snap, 4, 1000, 0, dragX, dragY));
    EXPECT_EQ(doc.Paths[2].GradScale, 0.0f);
    TakeDragSnapshot(doc, snap);
    GradientDragStep(doc, box, snap, 3, 1000 + 16384, 0, dragX, dragY);
    EXPECT_EQ(doc.Paths[1].GradScale, 1.0f);
    // Rotation: a quarter turn about the shown centre, added to each own angle.
    TakeDragSnapshot(doc, snap);
    dragX = 2000, dragY = 0;
    EXPECT_TRUE(GradientDragStep(doc, box, snap, 2, 1000, 1000, dragX, dragY));
    EXPECT_NEAR(doc.Paths[1].GradAngle, 100, 1e-4);
    EXPECT_NEAR(doc.Paths[2].GradAngle, 120, 1e-4);
    EXPECT_EQ((std::pair{dragX, dragY}), (std::pair{2000, 0}));
    // Centre: moved step by step, the reference following the pointer.
    EXPECT_TRUE(GradientDragStep(doc, box, snap, 1, 2030, -20, dragX, dragY));
    EXPECT_FALSE(GradientDragStep(doc, box, snap, 1, 2030, -20, dragX, dragY));
    EXPECT_EQ((std::pair{doc.Paths[1].GradX, doc.Paths[2].GradY}), (std::pair{30, -20}));
    EXPECT_EQ(box.SelRect[0], (TwipPoint{1030, -20}));
    EXPECT_EQ(doc.Paths[3].GradX, 5000);
}
