#include <gtest/gtest.h>

#include "tests/FakePreviewHost.h"
#include "tests/TestPaths.h"
#include "view/Overlays.h"

namespace {
struct Canvas {
    QImage image{400, 300, QImage::Format_RGB32};
    CanvasSurface surface{image};
    ViewGeometry geometry;
    DrawCore doc;
    FakePreviewHost host;
    Canvas() {
        // A 320 × 320 drawing at 100 % whose origin is the canvas' top-left pixel.
        geometry.ScaleWidth = 336;
        geometry.ScaleHeight = 336;
        geometry.VScrollWidth = geometry.HScrollHeight = 16;
        geometry.PlayerWidth = geometry.PlayerHeight = 320;
        image.fill(QColor(10, 200, 30));
    }
    OverlayContext Context() { return OverlayContext(surface, geometry, doc, host); }
    void AddSquare(int x, int y, int size, bool selected) {
        PathShape p = MakePath({{x, y}, {x, y + size}, {x + size, y + size}, {x + size, y}}, true);
        p.Selected = selected ? VbTrue : VbFalse;
        doc.AppendPath(p);
    }
};
}  // namespace

TEST(Overlays, SelectionShowsBoxHandlesAndReadout) {
    Canvas c;
    c.doc.AppendPath(MakePath({{2500, 3000}, {3000, 3500}, {2500, 4000}, {2000, 3500}}, true));
    const QImage before = c.image.copy();
    SelectionBox box;
    QString status(80, ' ');
    DrawSelection(c.Context(), 1, box, status);  // nothing selected: nothing drawn
    EXPECT_EQ(c.image, before);
    EXPECT_EQ(status, QString(80, ' '));
    c.doc.Paths[1].Selected = VbTrue;
    DrawSelection(c.Context(), 1, box, status);
    EXPECT_EQ(status.mid(11, 9), "[100,150]");
    EXPECT_EQ(status.mid(20, 7), "[50x50]");
    // Handle squares: black outline, light inside, at the eight handle pixels.
    for (auto [x, y] : {std::pair{100, 150}, {125, 150}, {150, 150}, {100, 175}, {150, 175}, {100, 200},
                        {125, 200}, {150, 200}}) {
        EXPECT_EQ(c.image.pixelColor(x - 2, y - 2), QColor(Qt::black)) << x << "," << y;
        EXPECT_EQ(c.image.pixelColor(x, y), QColor(Qt::white)) << x << "," << y;
    }
    EXPECT_EQ(c.image.pixelColor(125, 175), QColor(10, 200, 30));  // no centre handle
    // The box edges are inverted pixels of the background.
    EXPECT_EQ(c.image.pixelColor(110, 150), QColor(245, 55, 225));
    EXPECT_EQ(c.image.pixelColor(150, 190), QColor(245, 55, 225));
}

TEST(Overlays, InvertedOverlayDrawnTwiceLeavesTheImageUnchanged) {
    Canvas c;
    c.AddSquare(200, 200, 3000, true);
    c.doc.Paths[1].Anchors[2] = {-90000000, 1900000000, 0};  // far outside the canvas
    c.AddSquare(500, 4000, 60, true);
    const QImage before = c.image.copy();
    DrawPathEdge(c.Context(), 1, true, false);
    DrawPathEdge(c.Context(), 2, true, false);
    EXPECT_NE(c.image, before);

    QImage image = before.copy();
    {
        CanvasSurface surface(image);
        for (int pass = 0; pass < 2; ++pass) {
            surface.InvertLine(5, 5, 395, 290);
            surface.InvertLine(390, 10, 12, 280);
            surface.InvertLine(-100000, 50, 100000, 60);
            surface.InvertBox(30, 30, 40, 45);
            surface.InvertCircle(200, 100, 4);
        }
    }
    EXPECT_EQ(image, before);
}

TEST(Overlays, ClosedOutlineInvertsEveryEdgePixelOnce) {
    Canvas c;
    c.surface.InvertLine(10, 10, 50, 10);
    c.surface.InvertLine(50, 10, 50, 40);
    c.surface.InvertLine(50, 40, 10, 40);
    c.surface.InvertLine(10, 40, 10, 10);
    for (auto [x, y] : {std::pair{10, 10}, {50, 10}, {50, 40}, {10, 40}, {30, 10}, {50, 25}})
        EXPECT_EQ(c.image.pixelColor(x, y), QColor(245, 55, 225)) << x << "," << y;
}

TEST(Overlays, AnchorMarksRefreshUnlessEmphasised) {
    Canvas c;
    c.AddSquare(200, 200, 2000, false);
    DrawAnchorMark(c.Context(), 1, 0, 1, 4, false);  // anchor 4 wraps to 0
    EXPECT_EQ(c.host.Modes.size(), 1u);
    DrawAnchorMark(c.Context(), 1, 1, 0, 0, true);
    EXPECT_EQ(c.host.Modes.size(), 1u);
    int red = 0;  // the dot's outline around (10, 110)
    for (int y = 106; y <= 114; ++y)
        for (int x = 6; x <= 14; ++x) red += c.image.pixelColor(x, y) == QColor(255, 0, 0);
    EXPECT_GT(red, 4);
    DrawAnchorMark(c.Context(), 7, 0, 0, 0, true);                    // no such path: nothing
}
