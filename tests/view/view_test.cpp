// The view's mapping between screen pixels and twips, and the overlays drawn on the canvas.
#include <gtest/gtest.h>

#include "tests/FakePreviewHost.h"
#include "tests/TestPaths.h"
#include "view/Overlays.h"
#include "view/ViewMapping.h"

namespace {
// A canvas whose view (without scroll bars) is `vw` × `vh` pixels.
ViewGeometry View(int vw, int vh, float zoom, int canvasW = 320, int canvasH = 320) {
    ViewGeometry g;
    g.ScaleWidth = vw + 16;
    g.ScaleHeight = vh + 16;
    g.VScrollWidth = 16;
    g.HScrollHeight = 16;
    g.ZoomRate = zoom;
    g.PlayerWidth = zoom * static_cast<float>(canvasW);
    g.PlayerHeight = zoom * static_cast<float>(canvasH);
    return g;
}

struct Canvas {
    QImage image{400, 300, QImage::Format_RGB32};
    CanvasSurface surface{image};
    ViewGeometry geometry = View(320, 320, 1.0f);  // the drawing's origin is the top-left pixel
    DrawCore doc;
    FakePreviewHost host;
    Canvas() { image.fill(QColor(10, 200, 30)); }
    OverlayContext Context() { return OverlayContext(surface, geometry, doc, host); }
    void AddSquare(int x, int y, int size, bool selected) {
        PathShape p = MakePath({{x, y}, {x, y + size}, {x + size, y + size}, {x + size, y}}, true);
        p.Selected = selected ? VbTrue : VbFalse;
        doc.AppendPath(p);
    }
};
}  // namespace

// At 100 % the drawing of the example view sits at (40, -10); at 300 % with a
// scroll it moves, and a pixel left of it floors to -7 twips, not -6.
TEST(ViewMapping, ScreenAndTwipsFollowZoomAndScroll) {
    const struct { float zoom; int scrollX, scrollY; float x, y; int tx, ty, sx, sy; } cases[] = {
        {1, 0, 0, 40, -10, 0, 0, 40, -10},       {1, 0, 0, 41, -9, 20, 20, 41, -9},
        {1, 0, 0, 40.5f, -10, 10, 0, 40, -10},   {1, 0, 0, 39, -11, -20, -20, 39, -11},
        {1, 0, 0, 59.99f, 0, 399, 200, 59, 0},   {3, 0, 0, -281, -331, -7, -7, -282, -332},
        {3, -280, 10, 0, 0, 0, 2266, 0, -1},
    };
    for (const auto& c : cases) {
        ViewGeometry g = View(400, 300, c.zoom);
        g.ScrollX = c.scrollX;
        g.ScrollY = c.scrollY;
        std::int32_t tx = 0, ty = 0, sx = 0, sy = 0;
        PosScrToTwip(g, c.x, c.y, tx, ty);
        PosTwipToScr(g, tx, ty, sx, sy);
        EXPECT_EQ(std::make_tuple(tx, ty, sx, sy), std::make_tuple(c.tx, c.ty, c.sx, c.sy)) << c.x << "," << c.y;
    }
    std::int32_t sx = 0, sy = 0;
    PosTwipToScr(View(400, 300, 1), -1, -21, sx, sy);
    EXPECT_EQ(std::make_pair(sx, sy), std::make_pair(39, -12));
    ViewGeometry g = View(400, 300, 3);
    g.ScrollX = -280;
    g.ScrollY = 10;
    const DrawingArea a = ComputeDrawingArea(g);
    EXPECT_EQ(std::make_tuple(a.Left, a.Right, a.Top, a.Bottom), std::make_tuple(0, 960, -340, 620));
}

TEST(ViewMapping, ScrollRangesAreHalfTheOverflowEachWay) {
    const struct { int view; float zoom; int canvas; bool enabled; int min, max; } cases[] = {
        {300, 1.0f, 320, true, -10, 10}, {299, 1.0f, 320, true, -10, 10},  // D = 21
        {320, 1.0f, 320, false, 0, 0},   {400, 1.0f, 320, false, 0, 0},
        {300, 2.0f, 320, true, -170, 170}, {100, 1000.0f, 320, true, -159950, 159950},
        {1000, 20.0f, 8191, true, -81410, 81410},  // the largest canvas at 2000 %: beyond 16 bits
    };
    for (const auto& c : cases) {
        const ScrollRange r = ComputeScrollRange(c.view, c.zoom, c.canvas);
        EXPECT_EQ(std::make_tuple(r.Enabled, r.Min, r.Max), std::make_tuple(c.enabled, c.min, c.max))
            << c.view << " " << c.zoom;
    }
}

TEST(ViewMapping, ZoomTextIsReadByItsLeadingNumber) {
    const struct { const char* text; float zoom; const char* shown; } cases[] = {
        {"150%", 1.5f, "150%"}, {"200", 2.0f, "200%"},  {"  75%", 0.75f, "75%"}, {"abc", 1.0f, "100%"},
        {"0%", 1.0f, "100%"},   {"-50%", 1.0f, "100%"}, {"33.3", 0.333f, "33%"}, {"2000%", 20.0f, "2000%"},
        {"2.5E2%", 2.5f, "250%"}, {"5e-1", 0.005f, "0%"},
        // Far beyond any integer type: printed whole, never wrapped to a negative number.
        {"1e40", 1e38f, "10000000000000000000000000000000000000000%"},
    };
    for (const auto& c : cases) {
        const float zoom = ZoomFromText(c.text);
        EXPECT_FLOAT_EQ(zoom, c.zoom) << c.text;
        EXPECT_EQ(ZoomText(zoom), c.shown) << c.text;
    }
    // Every whole percentage typed shows as typed, so a second Enter keeps the zoom.
    for (int n = 1; n <= 1000; ++n) EXPECT_EQ(ZoomText(ZoomFromText(std::to_string(n))), std::to_string(n) + "%");
}

TEST(Overlays, SelectionShowsBoxHandlesAndReadout) {
    Canvas c;
    c.doc.AppendPath(MakePath({{2500, 3000}, {3000, 3500}, {2500, 4000}, {2000, 3500}}, true));
    c.doc.Paths[1].Selected = VbTrue;
    const BoxPoints box = {TwipPoint{2000, 3000}, {2500, 3000}, {3000, 3000}, {2000, 3500}, {2500, 3500},
                           {3000, 3500},          {2000, 4000}, {2500, 4000}, {3000, 4000}};
    QString status(80, ' ');
    DrawSelection(c.Context(), box, true, status);
    EXPECT_EQ(status.mid(11, 16), "[100,150][50x50]");
    // Handle squares: black outline, light inside, at the eight handle pixels.
    for (auto [x, y] : {std::pair{100, 150}, {125, 150}, {150, 150}, {100, 175}, {150, 175}, {100, 200},
                        {125, 200}, {150, 200}}) {
        EXPECT_EQ(std::make_pair(c.image.pixelColor(x - 2, y - 2), c.image.pixelColor(x, y)),
                  std::make_pair(QColor(Qt::black), QColor(Qt::white))) << x << "," << y;
    }
    EXPECT_EQ(c.image.pixelColor(125, 175), QColor(10, 200, 30));  // no centre handle
    // The box edges are inverted pixels of the background.
    EXPECT_TRUE(c.image.pixelColor(110, 150) == QColor(245, 55, 225) && c.image.pixelColor(150, 190) == QColor(245, 55, 225));
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
    const QImage drawn = c.image.copy();
    for (int pass = 0; pass < 2; ++pass) {
        c.surface.InvertLine(5, 5, 395, 290);
        c.surface.InvertLine(390, 10, 12, 280);
        c.surface.InvertLine(-100000, 50, 100000, 60);
        c.surface.InvertBox(30, 30, 40, 45);
        c.surface.InvertCircle(200, 100, 4);
    }
    EXPECT_EQ(c.image, drawn);
}

TEST(Overlays, OutlinesAndHandlesCoverWholeLogicalPixelsAtEveryDevicePixelRatio) {
    const QColor green(10, 200, 30), inverted(245, 55, 225);
    for (const double ratio : {1.0, 1.25, 1.5, 2.0, 3.0}) {
        QImage image(800, 600, QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        image.fill(green);
        CanvasSurface s(image);
        for (auto [x0, y0, x1, y1] : {std::array{10, 10, 50, 10}, {50, 10, 50, 40}, {50, 40, 10, 40}, {10, 40, 10, 10}})
            s.InvertLine(x0, y0, x1, y1);
        s.HandleSquare(100, 100, 104, 104);
        // The first and the last device pixel of logical pixel (x, y).
        const auto first = [&](int x, int y) { return image.pixelColor(s.ToDevice(x), s.ToDevice(y)); };
        const auto last = [&](int x, int y) { return image.pixelColor(s.ToDevice(x + 1) - 1, s.ToDevice(y + 1) - 1); };
        for (auto [x, y] : {std::pair{10, 10}, {50, 10}, {50, 40}, {10, 40}, {30, 10}, {50, 25}}) {
            EXPECT_EQ(std::make_pair(first(x, y), last(x, y)), std::make_pair(inverted, inverted)) << ratio << " at " << x << "," << y;
        }
        EXPECT_EQ(std::make_pair(first(11, 11), last(9, 9)), std::make_pair(green, green)) << ratio;
        // The handle: an outline one logical pixel wide, whole device pixels, a white inside.
        const int t = std::max(1, static_cast<int>(std::lround(ratio)));
        const auto row = [&](int x) { return image.pixelColor(x, s.ToDevice(102)); };
        EXPECT_EQ(std::make_tuple(row(s.ToDevice(100) + t - 1), row(s.ToDevice(100) + t), row(s.ToDevice(105) - 1), row(s.ToDevice(105))),
                  std::make_tuple(QColor(Qt::black), QColor(Qt::white), QColor(Qt::black), green)) << ratio;
    }
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
