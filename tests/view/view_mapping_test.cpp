#include <gtest/gtest.h>

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
}  // namespace

TEST(ViewMapping, ScreenAndTwipsAtTheExampleView) {
    const ViewGeometry g = View(400, 300, 1.0f);
    EXPECT_EQ(MarginX(g), 40);
    EXPECT_EQ(MarginY(g), -10);
    const struct {
        float x, y;
        int tx, ty;
    } toTwips[] = {{40, -10, 0, 0}, {41, -9, 20, 20}, {40.5f, -10, 10, 0}, {39, -11, -20, -20}, {59.99f, 0, 399, 200}};
    for (const auto& c : toTwips) {
        std::int32_t tx = 0, ty = 0;
        PosScrToTwip(g, c.x, c.y, tx, ty);
        EXPECT_EQ(tx, c.tx) << c.x;
        EXPECT_EQ(ty, c.ty) << c.y;
    }
    const struct {
        int tx, ty, sx, sy;
    } toScreen[] = {{20, 20, 41, -9}, {0, 0, 40, -10}, {19, 39, 40, -9}, {-1, -21, 39, -12}};
    for (const auto& c : toScreen) {
        std::int32_t sx = 0, sy = 0;
        PosTwipToScr(g, c.tx, c.ty, sx, sy);
        EXPECT_EQ(sx, c.sx) << c.tx;
        EXPECT_EQ(sy, c.sy) << c.ty;
    }
}

TEST(ViewMapping, ZoomAndScrollEnterTheMapping) {
    ViewGeometry g = View(400, 300, 3.0f);  // 960 × 960 drawing: MX = Half(-560) = -280
    std::int32_t tx = 0, ty = 0;
    PosScrToTwip(g, -281, -331, tx, ty);  // one pixel left of the drawing
    EXPECT_EQ(tx, -7);                    // floor(-20 / 3), not -6
    g.ScrollX = -280;
    g.ScrollY = 10;
    PosScrToTwip(g, 0, 0, tx, ty);
    EXPECT_EQ(tx, 0);
    std::int32_t sx = 0, sy = 0;
    PosTwipToScr(g, 60, 0, sx, sy);
    EXPECT_EQ(sx, 9);
    EXPECT_EQ(sy, -340);
    const DrawingArea a = ComputeDrawingArea(g);
    EXPECT_EQ(a.Left, 0);
    EXPECT_EQ(a.Right, 960);
    EXPECT_EQ(a.Top, -340);
    EXPECT_EQ(a.Bottom, 620);
}

TEST(ViewMapping, ScrollRangesAreHalfTheOverflowEachWay) {
    const struct {
        int view;
        float zoom;
        int canvas;
        bool enabled;
        int min, max;
    } cases[] = {
        {300, 1.0f, 320, true, -10, 10}, {299, 1.0f, 320, true, -10, 10},  // D = 21
        {320, 1.0f, 320, false, 0, 0},   {400, 1.0f, 320, false, 0, 0},
        {300, 2.0f, 320, true, -170, 170}, {100, 1000.0f, 320, true, -32768, 32767},
    };
    for (const auto& c : cases) {
        const ScrollRange r = ComputeScrollRange(c.view, c.zoom, c.canvas);
        EXPECT_EQ(r.Enabled, c.enabled) << c.view << " " << c.zoom;
        EXPECT_EQ(r.Min, c.min) << c.view << " " << c.zoom;
        EXPECT_EQ(r.Max, c.max) << c.view << " " << c.zoom;
    }
}

TEST(ViewMapping, ZoomTextIsReadByItsLeadingNumber) {
    const struct {
        const char* text;
        float zoom;
        const char* shown;
    } cases[] = {
        {"150%", 1.5f, "150%"}, {"200", 2.0f, "200%"}, {"  75%", 0.75f, "75%"}, {"abc", 1.0f, "100%"},
        {"0%", 1.0f, "100%"},   {"-50%", 1.0f, "100%"}, {"33.3", 0.333f, "33%"},  {"2000%", 20.0f, "2000%"},
        {"1e2", 1.0f, "100%"},  {"2.5E2%", 2.5f, "250%"}, {"3e", 0.03f, "3%"},     {"4e+x", 0.04f, "4%"},
        {"5e-1", 0.005f, "0%"}, {".5e3", 5.0f, "500%"},
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
