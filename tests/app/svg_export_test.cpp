#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "app/DocumentSvg.h"
#include "core/DocumentFile.h"
#include "edit/ShapeCreate.h"
#include "tests/SvgPictures.h"
#include "tests/TestPaths.h"

namespace {

// A path of the given fill, fitted gradient frame, rotated and squeezed so
// that a wrong matrix mapping shows.
PathShape Filled(PathShape p, int fillType, std::int32_t fill, std::int32_t fill2, float angle) {
    p.FillType = static_cast<std::int16_t>(fillType);
    p.FillColor = fill;
    p.FillColor2 = fill2;
    FitGradientToPath(p);
    p.GradAngle = angle;
    p.GradScale *= 0.7f;
    return p;
}

// Gradient-heavy drawing: every fill type, translucent colours, a thick
// outline, a hairline and curves, on a coloured background.
DrawCore TestDrawing() {
    DrawCore doc;
    std::tie(doc.Setup.CanvasWidth, doc.Setup.CanvasHeight) = std::tuple(240, 180);
    std::tie(doc.Setup.BackColor[0], doc.Setup.BackColor[1], doc.Setup.BackColor[2]) = std::tuple(250, 240, 200);
    DrawStyle style;
    CreateEllipse(doc, 400, 400, style);
    doc.Paths[1] = Filled(doc.Paths[1], 4, PackColor(255, 0, 0, 255), PackColor(0, 0, 255, 128), 0);
    doc.Paths[1].LineWidth = 60;
    doc.AppendPath(Filled(MakePath({{1500, 300}, {4200, 300}, {4200, 1800}, {1500, 1800}}, true), 2,
                          PackColor(0, 160, 0, 255), PackColor(255, 255, 0, 255), 30));
    doc.AppendPath(Filled(MakePath({{300, 2000, 0}, {2400, 1500, 1}, {4500, 3300, 0}, {300, 3300, 0}}, true), 3,
                          PackColor(20, 20, 120, 200), PackColor(250, 130, 0, 255), 120));
    PathShape hair = MakePath({{200, 3500}, {4600, 2200, 1}, {4600, 3500}});
    std::tie(hair.LineWidth, hair.LineColor) = std::tuple(0, PackColor(0, 0, 0, 255));
    doc.AppendPath(hair);
    return doc;
}

std::string SvgOf(DrawCore doc) {
    SWFMakeCore mk;
    return DocumentSvg(mk, doc);
}

// The share of pixels where rsvg-convert's picture of the SVG and the
// player's agree within 4 per channel.
double AgreementWithPlayer(const DrawCore& doc) {
    QTemporaryDir dir;
    return Agreement(RsvgPicture(SvgOf(doc), dir), PlayerPicture(doc, dir), 4);
}

}  // namespace

TEST(SvgExport, MapsFillsAndLinesAsThePlayerDraws) {
    DrawCore doc;
    doc.AppendPath(Box(0, 0, 2000, 1000, PackColor(255, 0, 0, 200)));
    PathShape hair = MakePath({{0, 0}, {2000, 1000, 1}, {0, 2000}});
    hair.LineWidth = 0;
    doc.AppendPath(hair);
    const std::string svg = SvgOf(doc);
    // The drawing is placed with an alpha multiplier of 255: 200 * 255 / 256 = 199.
    EXPECT_NE(svg.find("fill-rule=\"evenodd\" fill=\"#ff0000\" fill-opacity=\"0.780392157\""), std::string::npos);
    // Quadratic edges stay quadratic; a 0-twip line is one pixel (20 twips at 100 %) wide.
    EXPECT_NE(svg.find("M0 0Q2000 1000 0 2000"), std::string::npos);
    EXPECT_NE(svg.find("stroke-width=\"20\" stroke-linecap=\"round\" stroke-linejoin=\"round\""), std::string::npos);
    EXPECT_NE(svg.find("<rect width=\"320\" height=\"320\" fill=\"#ffffff\"/>"), std::string::npos);
}

TEST(SvgExport, IndependentRendererAgreesWithThePlayer) { EXPECT_GE(AgreementWithPlayer(TestDrawing()), 0.95); }

TEST(SvgExport, DegenerateGradientsRenderAsThePlayerDrawsThem) {
    // Scale, then the centre's offset from the middle of the squares, in twips.
    const struct { float scale; std::int32_t moved; } cases[] = {
        {0, 0}, {1.0f / 32768, 0}, {1e4f, 0}, {0.05f, 1000000}, {0.05f, -1000000}};
    for (const auto& c : cases) {
        DrawCore doc;
        for (int fillType : {2, 4}) {
            const std::int32_t x = fillType == 2 ? 200 : 2600;
            PathShape p = Box(x, 200, x + 2000, 2200, PackColor(255, 0, 0, 255));
            p.FillType = static_cast<std::int16_t>(fillType);
            p.FillColor2 = PackColor(0, 0, 255, 255);
            std::tie(p.GradX, p.GradY, p.GradAngle, p.GradScale) = std::make_tuple(x + 1000 + c.moved, 1200, 30.0f, c.scale);
            doc.AppendPath(p);
        }
        EXPECT_GE(AgreementWithPlayer(doc), 0.97) << c.scale << " moved " << c.moved;
    }
}

TEST(SvgExport, DocumentSidesBeyondTheLimitsReadAsTheLimitsAndKeepEveryPath) {
    for (const auto& [w, h, width, height] : {std::array{2147483647, -5, 8191, 1}, {0, 8191, 1, 8191}}) {
        CanvasSetup stored;
        std::tie(stored.CanvasWidth, stored.CanvasHeight) = std::tuple(w, h);
        DrawCore doc;
        ASSERT_TRUE(ParseDocument(FormatDocument(stored, {PathShape{}, Box(0, 0, 2000, 1000, 0)}), doc.Setup, doc.Paths));
        const std::string svg = SvgOf(doc);  // through the movie as our reader reads it
        EXPECT_NE(svg.find("width=\"" + std::to_string(width) + "\" height=\"" + std::to_string(height) + "\""),
                  std::string::npos);
        EXPECT_NE(svg.find("<path d=\"M"), std::string::npos) << w;
    }
}
