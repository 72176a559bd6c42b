#include <gtest/gtest.h>

#include "edit/Selection.h"
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
}  // namespace

TEST(Transform, ScaleFactorsFromHandles) {
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
}

TEST(Transform, ScaleMovesAnchorsAndGradientAboutFixedHandle) {
    SquareDoc s;
    s.Scale(2, 500, 0, 900, -1000, false);  // fixed point (500, 1000)
    EXPECT_EQ(Coords(s.doc.Paths[1]), (std::vector<std::pair<int, int>>{{0, -1000}, {0, 1000}, {1000, 1000}, {1000, -1000}}));
    EXPECT_EQ(s.doc.Paths[1].GradY, 0);
    EXPECT_EQ(Coords(s.doc.Paths[2]), (std::vector<std::pair<int, int>>{{5000, 5000}, {6000, 6000}}));
    // Each step starts from the snapshot: a later step does not compound.
    s.Scale(9, 1000, 1000, 2000, 1500, false);
    EXPECT_EQ(Coords(s.doc.Paths[1]), (std::vector<std::pair<int, int>>{{0, 0}, {0, 1500}, {2000, 1500}, {2000, 0}}));
    EXPECT_EQ(s.doc.Paths[1].GradX, 1000);
    EXPECT_EQ(s.doc.Paths[1].GradY, 750);
}

TEST(Transform, RotateTurnsPathsGradientAndHandles) {
    SquareDoc s;
    RestoreDragSnapshot(s.doc, s.snap);
    CalcSelectedRect(s.doc, s.box);
    // From the right-middle point to the bottom-middle point: +90 degrees.
    const float angle = RotateSelection(s.doc, s.box, 1500, 500, 500, 1500);
    EXPECT_FLOAT_EQ(angle, 90.0f);
    EXPECT_EQ(Coords(s.doc.Paths[1]), (std::vector<std::pair<int, int>>{{1000, 0}, {0, 0}, {0, 1000}, {1000, 1000}}));
    EXPECT_NEAR(s.doc.Paths[1].GradAngle, 90.0f, 1e-4);
    EXPECT_EQ(s.box.SelRect[0], (TwipPoint{1000, 0}));
    EXPECT_EQ(s.box.SelRect[4], (TwipPoint{500, 500}));
    EXPECT_EQ(Coords(s.doc.Paths[2]), (std::vector<std::pair<int, int>>{{5000, 5000}, {6000, 6000}}));
}

TEST(Transform, MoveShiftsSelectedPathsOnly) {
    SquareDoc s;
    MoveSelection(s.doc, 10, -20);
    EXPECT_EQ(Coords(s.doc.Paths[1])[2], std::make_pair(1010, 980));
    EXPECT_EQ(s.doc.Paths[1].GradX, 510);
    EXPECT_EQ(Coords(s.doc.Paths[2])[0], std::make_pair(5000, 5000));
}

TEST(Transform, RestoreNeedsMatchingPathCount) {
    SquareDoc s;
    MoveSelection(s.doc, 10, 10);
    s.doc.AppendPath(MakePath({{0, 0}, {1, 1}}));
    RestoreDragSnapshot(s.doc, s.snap);
    EXPECT_EQ(Coords(s.doc.Paths[1])[0], std::make_pair(10, 10));
    s.doc.DeletePath(3);
    RestoreDragSnapshot(s.doc, s.snap);
    EXPECT_EQ(Coords(s.doc.Paths[1])[0], std::make_pair(0, 0));
    DrawCore empty;
    TakeDragSnapshot(empty, s.snap);
    EXPECT_TRUE(s.snap.DragCopy.empty());
}
