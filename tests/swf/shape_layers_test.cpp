#include <gtest/gtest.h>

#include "swf/MovieReader.h"
#include "swf/ShapeLayers.h"
#include "tests/swf/TestMovie.h"

using namespace testmovie;

void PrintTo(const PathCommand& c, std::ostream* os) {
    static const char* names[] = {"M", "L", "C", "Z"};
    *os << names[static_cast<int>(c.Op)] << "(" << c.X << "," << c.Y;
    if (c.Op == PathOp::CurveTo) *os << " ctl " << c.CX << "," << c.CY;
    *os << ")";
}

namespace {

std::vector<ShapeLayer> Layers(const Records& r) {
    const std::string bytes = OneShapeMovie(20000, 20000, r);
    const ParsedMovie m = Read(bytes);
    EXPECT_TRUE(m.Complete) << m.Reason;
    return BuildShapeLayers(*m.Shapes.at(1));
}

PathCommand M(int x, int y) { return {PathOp::MoveTo, x, y, 0, 0}; }
PathCommand L(int x, int y) { return {PathOp::LineTo, x, y, 0, 0}; }
PathCommand C(int cx, int cy, int x, int y) { return {PathOp::CurveTo, x, y, cx, cy}; }
PathCommand Z() { return {PathOp::Close, 0, 0, 0, 0}; }

using Cmds = std::vector<PathCommand>;
const std::vector<Fill> OneFill{Fill{0, {255, 0, 0}}};
const std::vector<Line> OneLine{Line{20, {0, 0, 255}}};

}  // namespace

// Fill style 0 lies left of the edges: its contour runs against the record order.
TEST(ShapeLayers, FillStyle0CurvesAreReversedAndClosed) {
    Records r;
    r.NewStyles(OneFill, OneLine);
    r.Change(0, 0, 1, -1, 1);
    r.Curve(100, 0, 0, 100);
    r.Curve(-100, 0, 0, -100);
    const auto layers = Layers(r);
    ASSERT_EQ(layers.size(), 2u);
    EXPECT_TRUE(layers[0].FillPaths.empty());
    EXPECT_EQ(layers[1].FillPaths[0].Style, 1u);
    EXPECT_EQ(layers[1].LinePaths[0].Commands, (Cmds{M(0, 0), C(100, 0, 100, 100), C(0, 100, 0, 0), Z()}));
    EXPECT_EQ(layers[1].FillPaths[0].Commands, (Cmds{M(0, 0), C(0, 100, 100, 100), C(100, 0, 0, 0), Z()}));
    EXPECT_TRUE(IsReversedContour(layers[1].FillPaths[0].Commands, layers[1].LinePaths[0].Commands));
    // The same points with a control point moved are not the same outline.
    auto moved = layers[1].LinePaths[0].Commands;
    moved[1].CX += 1;
    EXPECT_FALSE(IsReversedContour(layers[1].FillPaths[0].Commands, moved));
}

TEST(ShapeLayers, EachNewStyleSetIsItsOwnLayerWithItsOwnStyles) {
    Records r;
    r.NewStyles(OneFill, {});
    r.Change(0, 0, -1, 1, 0);  // fill style 1 keeps the record order
    r.Straight(10, 0);
    r.Straight(0, 10);
    r.Straight(-10, -10);
    r.NewStyles({Fill{0, {0, 255, 0}}, Fill{0, {0, 0, 255}}}, OneLine, 2, 1);
    r.Change(5, 5, 2, -1, 1);
    r.Straight(0, 10);
    r.Straight(0, -10);
    const auto layers = Layers(r);
    ASSERT_EQ(layers.size(), 3u);
    EXPECT_EQ(layers[1].FillPaths[0].Commands, (Cmds{M(0, 0), L(10, 0), L(10, 10), L(0, 0), Z()}));
    EXPECT_TRUE(layers[1].LinePaths.empty());
    ASSERT_EQ(layers[2].Fills.size(), 2u);
    ASSERT_EQ(layers[2].FillPaths.size(), 1u);
    EXPECT_EQ(layers[2].FillPaths[0].Style, 2u);
    EXPECT_EQ(layers[2].FillPaths[0].Commands, (Cmds{M(5, 5), L(5, 15), L(5, 5), Z()}));
    EXPECT_EQ(layers[2].LinePaths[0].Commands, (Cmds{M(5, 5), L(5, 15), L(5, 5), Z()}));
}

TEST(ShapeLayers, ContoursLinkAcrossMovesAndStyleSwitches) {
    // Two contours whose edges arrive out of order with a move between them;
    // edges with the same fill on both sides and unknown style indices bound nothing.
    Records r;
    r.NewStyles(OneFill, OneLine, 2, 2);
    r.Change(0, 0, 1, -1, 0);
    r.Straight(10, 0);   // (0,0)->(10,0), reversed
    r.Change(50, 50, 1, -1, 3);  // line style 3 does not exist
    r.Straight(5, 0);
    r.Straight(0, 5);
    r.Straight(-5, -5);
    r.Change(10, 0, 1, -1, -1);
    r.Straight(-10, 10);  // (10,0)->(0,10)
    r.Straight(0, -10);   // (0,10)->(0,0)
    r.Change(0, 0, 1, 1, -1);
    r.Straight(7, 7);     // same fill both sides
    const auto layers = Layers(r);
    const ShapeLayer& l = layers[1];
    ASSERT_EQ(l.FillPaths.size(), 1u);
    EXPECT_EQ(l.FillPaths[0].Commands,
              (Cmds{M(0, 0), L(0, 10), L(10, 0), L(0, 0), Z(), M(50, 50), L(55, 55), L(55, 50), L(50, 50), Z()}));
    EXPECT_TRUE(l.LinePaths.empty());
}

TEST(ShapeLayers, LineSubpathsBreakAtMovesAndCloseOnlyWhenBackAtTheirStart) {
    Records r;
    r.NewStyles({}, OneLine, 0, 1);
    r.Change(-500, 70000 - 131072, -1, -1, 1);  // negative absolute move-to
    r.Straight(0, 0);                           // zero-length edges are kept
    r.Straight(-65536, 65535);                  // extreme 17-bit deltas; ends elsewhere: open
    r.Change(100, 100, -1, -1, -1);
    r.Straight(10, 0);
    r.Straight(-10, 0);  // back at (100,100): closed
    const auto layers = Layers(r);
    EXPECT_EQ(layers[1].LinePaths[0].Commands, (Cmds{M(-500, -61072), L(-500, -61072), L(-66036, 4463),
                                                      M(100, 100), L(110, 100), L(100, 100), Z()}));
    EXPECT_TRUE(layers[1].FillPaths.empty());
}
