#include <gtest/gtest.h>

#include "edit/GradientDrag.h"
#include "edit/Selection.h"
#include "edit/ShapeCreate.h"
#include "edit/Transform.h"
#include "tests/TestPaths.h"

namespace {
// A selected 1000 x 1000 square with its gradient centre in the middle, and
// an unselected path that no transform may touch.
struct SquareDoc {
    DrawCore doc;
    DragSnapshot snap;
    SelectionBox box;
    SquareDoc() {
        PathShape square = MakePath({{0, 0}, {0, 1000}, {1000, 1000}, {1000, 0}}, true);
        square.Selected = VbTrue;
        square.GradX = 500;
        square.GradY = 500;
        doc.AppendPath(square);
        doc.AppendPath(MakePath({{5000, 5000}, {6000, 6000}}));
        TakeDragSnapshot(doc, snap);
    }
    // One drag step as the select tool runs it.
    ScaleFactors Scale(int handle, int dragX, int dragY, int tx, int ty, bool ctrl) {
        RestoreDragSnapshot(doc, snap);
        CalcSelectedRect(doc, box);
        return ScaleSelection(doc, box, handle, dragX, dragY, tx, ty, ctrl);
    }
};

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
    SelectionBox box;
    CalcGradientControl(DocWith({path}), box);
    return {box.SelRect.begin(), box.SelRect.begin() + 4};
}
}  // namespace

TEST(Transform, ScaleFactorsFromHandlesAndRotationOfPathsGradientAndHandles) {
    const struct { int handle, dragX, dragY, tx, ty; bool ctrl; float sx, sy; } cases[] = {
        {9, 1000, 1000, 2000, 1500, false, 2.0f, 1.5f},
        {9, 1000, 1000, 2000, 1500, true, 2.0f, 2.0f},
        {9, 1000, 1000, -2000, 1500, true, 1.5f, 1.5f},  // sx = -2: the larger signed value wins
        {9, 1000, 1000, -2000, 1500, false, -2.0f, 1.5f},
        {2, 500, 0, 900, -1000, false, 1.0f, 2.0f},
        {2, 500, 0, 900, -1000, true, 1.0f, 2.0f},  // Ctrl has no effect on middle handles
        {6, 1000, 500, 3000, 9000, false, 3.0f, 1.0f},
    };
    for (const auto& c : cases) {
        SquareDoc s;
        const ScaleFactors f = s.Scale(c.handle, c.dragX, c.dragY, c.tx, c.ty, c.ctrl);
        EXPECT_FLOAT_EQ(f.sx, c.sx) << c.handle << " " << c.tx;
        EXPECT_FLOAT_EQ(f.sy, c.sy) << c.handle << " " << c.tx;
    }
    SquareDoc s;
    RestoreDragSnapshot(s.doc, s.snap);
    CalcSelectedRect(s.doc, s.box);
    // From the right-middle point to the bottom-middle point: +90 degrees.
    const float angle = RotateSelection(s.doc, s.box, 1500, 500, 500, 1500);
    EXPECT_FLOAT_EQ(angle, 90.0f);
    EXPECT_EQ(Coords(s.doc.Paths[1]), (Points{{1000, 0}, {0, 0}, {0, 1000}, {1000, 1000}}));
    EXPECT_NEAR(s.doc.Paths[1].GradAngle, 90.0f, 1e-4);
    EXPECT_EQ(std::make_tuple(s.box.SelRect[0], s.box.SelRect[4], Coords(s.doc.Paths[2])),
              std::make_tuple(TwipPoint{1000, 0}, TwipPoint{500, 500}, Points{{5000, 5000}, {6000, 6000}}));
}

TEST(Transform, ScaleAndMoveShiftSelectedPathsAndRestoreNeedsTheSamePathCount) {
    SquareDoc s;
    s.Scale(2, 500, 0, 900, -1000, false);  // fixed point (500, 1000)
    EXPECT_EQ(std::make_tuple(Coords(s.doc.Paths[1]), s.doc.Paths[1].GradY, Coords(s.doc.Paths[2])),
              std::make_tuple(Points{{0, -1000}, {0, 1000}, {1000, 1000}, {1000, -1000}}, 0, Points{{5000, 5000}, {6000, 6000}}));
    // Each step starts from the snapshot: a later step does not compound.
    s.Scale(9, 1000, 1000, 2000, 1500, false);
    EXPECT_EQ(std::make_tuple(Coords(s.doc.Paths[1]), s.doc.Paths[1].GradX, s.doc.Paths[1].GradY),
              std::make_tuple(Points{{0, 0}, {0, 1500}, {2000, 1500}, {2000, 0}}, 1000, 750));
    MoveSelection(s.doc, 10, -20);
    EXPECT_EQ(std::make_tuple(Coords(s.doc.Paths[1])[2], s.doc.Paths[1].GradX, s.doc.Paths[2].Anchors[0].X),
              std::make_tuple(std::make_pair(2010, 1480), 1010, 5000));
    // A snapshot of another path count is not restored.
    s.doc.AppendPath(MakePath({{0, 0}, {1, 1}}));
    RestoreDragSnapshot(s.doc, s.snap);
    EXPECT_EQ(Coords(s.doc.Paths[1])[0], std::make_pair(10, -20));
    s.doc.DeletePath(3);
    RestoreDragSnapshot(s.doc, s.snap);
    EXPECT_EQ(Coords(s.doc.Paths[1])[0], std::make_pair(0, 0));
    DrawCore empty;
    TakeDragSnapshot(empty, s.snap);
    EXPECT_TRUE(s.snap.DragCopy.empty());
}

TEST(GradientDrag, HandlePositionsAndDragsThatMoveTurnAndScaleEverySelectedPath) {
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
    // The second path's handles are shown; the third is not selected.
    DrawCore doc = DocWith({Gradient(0, 0, 10, 0.5f), Gradient(1000, 0, 30, 2), Gradient(5000, 5000, 0, 1)});
    doc.Paths[3].Selected = VbFalse;
    SelectionBox box;
    DragSnapshot snap;
    TakeDragSnapshot(doc, snap);
    std::int32_t dragX = 1000, dragY = 500;
    // Axis end: both paths take the distance from the shown centre.
    EXPECT_TRUE(GradientDragStep(doc, box, snap, 3, 1000 + 8192, 0, dragX, dragY));
    EXPECT_EQ(std::make_tuple(doc.Paths[1].GradScale, doc.Paths[2].GradScale, doc.Paths[3].GradScale, !doc.Paths[1].ShapeCache),
              std::make_tuple(0.5f, 0.5f, 1.0f, true));
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
    EXPECT_EQ(std::make_tuple(doc.Paths[1].GradX, doc.Paths[2].GradY, box.SelRect[0], doc.Paths[3].GradX),
              std::make_tuple(30, -20, TwipPoint{1030, -20}, 5000));
}

