#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>

#include "import/SvgImport.h"
#include "tests/SvgPictures.h"
#include "tests/TestPaths.h"

namespace {

std::string Svg(const std::string& body, const std::string& root = R"~(width="100" height="100")~") {
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" " + root + ">" +
           body + "</svg>";
}

using Extent = std::array<int, 4>;  // left, top, right, bottom
Extent OnCurveBox(const std::vector<PathShape>& paths) {
    Extent b{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (const PathShape& p : paths)
        for (const AnchorPoint& a : p.Anchors)
            if (a.Kind == 0) b = {std::min(b[0], a.X), std::min(b[1], a.Y), std::max(b[2], a.X), std::max(b[3], a.Y)};
    return b;
}

// The import as our player draws it on white.
QImage Render(const Drawing& d, const QTemporaryDir& dir, int zoom = 1) {
    DrawCore doc = DocWith(d.Paths);
    std::tie(doc.Setup.CanvasWidth, doc.Setup.CanvasHeight) = std::tuple(d.CanvasWidth, d.CanvasHeight);
    return PlayerPicture(doc, dir, zoom);
}

}  // namespace

// Each element and transform lands where it should, in twips, with its paint.
TEST(SvgImport, ElementsTransformsAndStyles) {
    // Color is the fill colour, or the line colour when unfilled.
    struct Case { const char* Body; std::size_t Paths; Extent Bounds; int FillType; std::int32_t Color; };
    const std::int32_t red = PackColor(255, 0, 0, 255), blue = PackColor(0, 0, 255, 255);
    const Case cases[] = {
        {R"~(<rect x="10" y="20" width="30" height="40" fill="red"/>)~", 1, {200, 400, 800, 1200}, 1, red},
        {R"~(<rect x="10" y="20" width="30" height="40" rx="5" fill="#f00"/>)~", 1, {200, 400, 800, 1200}, 1, red},
        {R"~(<circle cx="50" cy="50" r="10" fill="rgb(255,0,0)"/>)~", 1, {800, 800, 1200, 1200}, 1, red},
        {R"~(<ellipse cx="50" cy="50" rx="20" ry="10" style="fill:blue"/>)~", 1, {600, 800, 1400, 1200}, 1, blue},
        {R"~(<line x1="0" y1="0" x2="10" y2="5" stroke="blue"/>)~", 1, {0, 0, 200, 100}, 0, blue},
        {R"~(<polyline points="0,0 10,0 10,10" fill="none" stroke="blue"/>)~", 1, {0, 0, 200, 200}, 0, blue},
        {R"~(<polygon points="0,0 10,0 10,10" fill="red"/>)~", 1, {0, 0, 200, 200}, 1, red},
        {R"~(<path d="m10 10 h20 v20 H10 z m30 0 a5 5 0 1 0 10 0 a5 5 0 1 0 -10 0" fill="red"/>)~", 2, {200, 100, 1000, 600}, 1, red},
        {R"~(<path d="M0 0 C10 0 10 10 20 10 S 30 20 40 20 Q 50 20 50 30 T 60 40 Z" fill="red"/>)~", 1, {0, 0, 1200, 800}, 1, red},
        {R"~(<g transform="translate(10,0) scale(2)"><rect width="10" height="10" fill="red"/></g>)~", 1, {200, 0, 600, 400}, 1, red},
        {R"~(<rect width="10" height="20" transform="rotate(90)" fill="red"/>)~", 1, {-400, 0, 0, 200}, 1, red},
        {R"~(<rect width="10" height="10" transform="matrix(1 0 1 1 5 0) skewY(0)" fill="red"/>)~", 1, {100, 0, 500, 200}, 1, red},
        {R"~(<defs><rect id="r" width="10" height="10" fill="red"/></defs><use xlink:href="#r" x="20" y="30"/>)~", 1, {400, 600, 600, 800}, 1, red},
        {R"~(<symbol id="s" viewBox="0 0 1 1"><rect width="1" height="1"/></symbol><use href="#s" width="40" height="40" fill="blue"/>)~", 1, {0, 0, 800, 800}, 1, blue},
        // Style sources: the style attribute beats the sheet, which beats attributes; id beats class.
        {R"~(<style>.a{fill:blue} #b{fill:red} rect{fill:green}</style><rect id="b" class="a" width="5" height="5" fill="yellow"/>)~", 1, {0, 0, 100, 100}, 1, red},
        {R"~(<style>.a{fill:red}</style><rect class="x a" width="5" height="5" style="fill:blue"/>)~", 1, {0, 0, 100, 100}, 1, blue},
        {R"~(<g color="blue" fill="red"><g><rect width="5" height="5" fill="currentColor"/></g></g>)~", 1, {0, 0, 100, 100}, 1, blue},
        {R"~(<g opacity="0.5"><rect width="5" height="5" fill="hsl(240, 100%, 50%)" fill-opacity="50%"/></g>)~", 1, {0, 0, 100, 100}, 1, PackColor(0, 0, 255, 64)},
        {R"~(<rect width="5" height="5" fill="#00f8"/>)~", 1, {0, 0, 100, 100}, 1, PackColor(0, 0, 255, 136)},
        {R"~(<switch><foreignObject/><rect width="5" height="5" fill="red"/><rect width="50" height="50"/></switch>)~", 1, {0, 0, 100, 100}, 1, red},
        {R"~(<rect width="5" height="5" fill="rgba(0 0 255 / 0.5)"/><rect display="none" width="50" height="50"/>)~", 1, {0, 0, 100, 100}, 1, PackColor(0, 0, 255, 128)},
    };
    for (const Case& c : cases) {
        const ImportResult r = ImportSvg(Svg(c.Body));
        ASSERT_TRUE(r.Ok) << c.Body << ": " << r.Error;
        ASSERT_EQ(r.Result.Paths.size(), c.Paths) << c.Body;
        const Extent b = OnCurveBox(r.Result.Paths);
        for (int k = 0; k < 4; ++k) EXPECT_NEAR(b[k], c.Bounds[k], 1) << c.Body << " side " << k;
        const PathShape& p = r.Result.Paths[0];
        EXPECT_EQ(std::make_pair(int(p.FillType), c.FillType ? p.FillColor : p.LineColor), std::make_pair(c.FillType, c.Color)) << c.Body;
    }
}

// The root's size, viewBox and aspect rule; groups at the top become groups.
TEST(SvgImport, CanvasViewBoxAndGroups) {
    const struct { const char* Root; int Width, Height, Left, Right; } roots[] = {
        {R"~(width="200" height="100" viewBox="0 0 10 10")~", 200, 100, 1000, 3000},  // meet, centred
        {R"~(width="200" height="100" viewBox="0 0 10 10" preserveAspectRatio="none")~", 200, 100, 0, 4000},
        {R"~(width="750pt" viewBox="0 0 2500 700")~", 1000, 280, 0, 80},  // the height keeps the proportions
        {R"~(width="10mm" height="1in")~", 38, 96, 0, 200},
        {R"~(width="8000" height="8000" viewBox="0 0 10 10")~", 8000, 8000, 0, 160000},  // beyond a 17-bit delta
    };
    for (const auto& c : roots) {
        const ImportResult r = ImportSvg(Svg(R"~(<rect width="10" height="10"/>)~", c.Root));
        const Extent b = OnCurveBox(r.Result.Paths);
        EXPECT_EQ(std::make_tuple(r.Result.CanvasWidth, r.Result.CanvasHeight, b[0], b[2]),
                  std::make_tuple(c.Width, c.Height, c.Left, c.Right)) << c.Root;
    }
    // Compressed, the same drawing; cut short, a reason.
    QProcess gzip;
    gzip.start("gzip", {"-c"});
    ASSERT_TRUE(gzip.waitForStarted());
    gzip.write(QByteArray::fromStdString(Svg(R"~(<rect width="10" height="10"/>)~", R"~(width="200" height="100" viewBox="0 0 10 10")~")));
    gzip.closeWriteChannel();
    ASSERT_TRUE(gzip.waitForFinished());
    const std::string gz = gzip.readAllStandardOutput().toStdString();
    ASSERT_EQ(OnCurveBox(ImportSvg(gz).Result.Paths)[2], 3000);
    EXPECT_NE(ImportSvg(gz.substr(0, gz.size() / 2)).Error.find("damaged or truncated"), std::string::npos);
    const ImportResult r = ImportSvg(Svg(R"~(<g><rect width="1" height="1"/><rect width="2" height="2"/></g><rect width="3" height="3"/>
                        <g><circle r="3"/></g>)~"));
    const std::vector<PathShape>& q = r.Result.Paths;
    ASSERT_EQ(q.size(), 4u);
    EXPECT_TRUE(q[0].Grouped && q[1].Grouped && !q[2].Grouped && q[3].Grouped);
    EXPECT_TRUE(q[0].GroupNo == q[1].GroupNo && q[0].GroupNo != q[3].GroupNo);
}

// Holes under both fill rules, same-direction overlaps, and a filled and
// stroked shape with a hole: our player's pixels against rsvg-convert's.
TEST(SvgImport, FillRulesMatchAnIndependentRenderer) {
    const char* ring = "M50 10 A40 40 0 1 1 49.9 10 Z M50 30 A20 20 0 1 1 49.9 30 Z";
    const char* ringReversed = "M50 10 A40 40 0 1 1 49.9 10 Z M50 30 A20 20 0 1 0 50.1 30 Z";
    const std::string cases[] = {
        std::string(R"~(<path fill-rule="evenodd" fill="#236" d=")~") + ring + "\"/>",
        std::string(R"~(<path fill="#236" d=")~") + ringReversed + "\"/>",
        std::string(R"~(<path fill="#236" d=")~") + ring + "\"/>",  // non-zero, same direction: no hole
        R"~(<path fill="#a30" d="M10 10 H60 V60 H10 Z M40 40 H90 V90 H40 Z"/>)~",
        R"~(<path fill="#a30" fill-rule="evenodd" d="M10 10 H60 V60 H10 Z M40 40 H90 V90 H40 Z"/>)~",
        R"~(<path fill="#a30" d="M10 10 H60 V60 H10 Z M40 40 V90 H90 V40 Z"/>)~",  // crossing, opposite directions
        R"~(<path fill="#a30" fill-rule="evenodd" d="M10 10 H90 V90 H10 Z M20 20 H80 V80 H20 Z M30 30 H70 V70 H30 Z M40 40 H60 V60 H40 Z"/>)~",
        std::string(R"~(<path fill="#ec4" stroke="#123" stroke-width="4" fill-rule="evenodd" d=")~") + ring + "\"/>",
    };
    QTemporaryDir dir;
    for (const std::string& body : cases) {
        const std::string svg = Svg(body);
        const ImportResult r = ImportSvg(svg);
        ASSERT_TRUE(r.Ok) << r.Error;
        EXPECT_GE(Agreement(Render(r.Result, dir), RsvgPicture(svg, dir), 12), 0.97) << body;  // anti-aliased edges differ a little
    }
    // The bridge into the hole runs from the corner (10, 10) to (30, 37), slanted: it leaves no seam at any zoom.
    const ImportResult r = ImportSvg(Svg(R"~(<path fill="#236" fill-rule="evenodd" d="M10 10 H90 V90 H10 Z M30 37 L70 30 L75 70 L35 75 Z"/>)~"));
    ASSERT_EQ(r.Result.Paths.size(), 1u);
    for (int zoom : {1, 3, 8}) {
        const QImage image = Render(r.Result, dir, zoom);
        const QRgb fill = image.pixel(50 * zoom, 20 * zoom);
        EXPECT_LE(std::abs(qBlue(fill) - 0x66), 2);
        for (int k = 10; k <= 75; ++k) {
            const int x = static_cast<int>((10 + 0.2 * k) * zoom), y = static_cast<int>((10 + 0.27 * k) * zoom);
            ASSERT_EQ(image.pixel(x, y), fill) << zoom << " " << x << " " << y;
        }
    }
}

// Gradients: exact where a fill kind holds them, fitted and counted otherwise.
TEST(SvgImport, GradientsAreFittedToTheFillKinds) {
    const std::string defs = R"~(<defs>
      <linearGradient id="two"><stop offset="0" stop-color="red"/><stop offset="1" stop-color="blue"/></linearGradient>
      <linearGradient id="three" x1="0" x2="0" y2="1"><stop offset="0" stop-color="red"/><stop offset=".5" stop-color="blue"/><stop offset="1" stop-color="red"/></linearGradient>
      <linearGradient id="four"><stop offset="0" stop-color="red"/><stop offset=".3" stop-color="lime"/><stop offset=".6" stop-color="blue"/><stop offset="1" stop-color="blue"/></linearGradient>
      <radialGradient id="round" xlink:href="#two" gradientUnits="userSpaceOnUse" cx="50" cy="40" r="10"/>
      <radialGradient id="oval" href="#two" gradientTransform="scale(2 1)"/>
      <pattern id="p" width="1" height="1"/>
    </defs>)~";
    struct Case { const char* Fill; int FillType; bool Simplified; };
    for (const Case c : {Case{"url(#two)", 2, false}, Case{"url(#three)", 3, false}, Case{"url(#four)", 2, true},
                         Case{"url(#round)", 4, false}, Case{"url(#oval)", 4, true}, Case{"url(#p) red", 1, false}}) {
        const ImportResult r =
            ImportSvg(Svg(defs + R"~(<rect x="20" y="30" width="40" height="20" fill=")~" + c.Fill + "\"/>"));
        ASSERT_TRUE(r.Ok) << r.Error;
        ASSERT_EQ(r.Result.Paths.size(), 1u) << c.Fill;
        const PathShape& p = r.Result.Paths[0];
        EXPECT_EQ(std::make_tuple(int(p.FillType), r.Missing.Counts[LeftOut::Simplified] > 0, p.FillColor),
                  std::make_tuple(c.FillType, c.Simplified, PackColor(255, 0, 0, 255))) << c.Fill;
        if (c.FillType == 2 && !c.Simplified) {  // across the box's width, its vector along the top edge
            EXPECT_EQ(std::make_pair(p.GradX, p.GradY), std::make_pair(800, 600));
            EXPECT_NEAR(p.GradScale, 800 / 32768.0, 1e-6);
            EXPECT_NEAR(p.GradAngle, 0, 1e-4);
        }
        if (c.FillType == 3) { EXPECT_NEAR(p.GradAngle, 90, 1e-4); }
        if (std::string(c.Fill) == "url(#round)") { EXPECT_NEAR(p.GradScale, 2 * 200 / 32768.0, 1e-6); }
    }
}

// What cannot come across is counted in one sentence.
TEST(SvgImport, LeftOutIsCounted) {
    const ImportResult r = ImportSvg(Svg(R"~(<g filter="url(#f)"><rect width="5" height="5" filter="url(#f)"/></g>
        <image href="x.png" width="5" height="5"/><image width="1" height="1"/>
        <rect width="5" height="5" mask="url(#m)" stroke="red" stroke-dasharray="2 1"/>)~"));
    ASSERT_TRUE(r.Ok) << r.Error;
    EXPECT_EQ(r.Missing.Sentence(), "2 filters, 1 mask, 2 images and 1 dash were left out");
    EXPECT_EQ(ImportSvg(Svg("<rect/>")).Missing.Sentence(), "");
}

// Bad input gives a reason and no drawing.
TEST(SvgImport, BadInputIsRefused) {
    std::string deep, bomb = R"~(<!DOCTYPE svg [<!ENTITY a "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa">)~";
    for (int i = 0; i < 300; ++i) deep += "<g>";
    for (int i = 1; i < 8; ++i)
        bomb += "<!ENTITY " + std::string(1, char('a' + i)) + " \"" + [&] { std::string s; for (int k = 0; k < 10; ++k) s += std::string("&") + char('a' + i - 1) + ";"; return s; }() + "\">";
    bomb += "]><svg xmlns=\"http://www.w3.org/2000/svg\"><style>&h;</style></svg>";
    std::string uses = R"~(<path id="u0" d="M0 0)~";
    for (int i = 0; i < 2000; ++i) uses += " L" + std::to_string(i % 50) + " " + std::to_string(i % 7);
    uses += "\"/>";
    for (int i = 1; i <= 14; ++i)
        uses += "<g id=\"u" + std::to_string(i) + "\"><use href=\"#u" + std::to_string(i - 1) + "\"/><use href=\"#u" +
                std::to_string(i - 1) + "\"/></g>";
    struct Case { std::string Bytes; const char* Says; };
    const Case cases[] = {
        {"", "empty"}, {"<svg xmlns=\"http://www.w3.org/2000/svg\"><rect", "well-formed"},
        {"<html/>", "not an SVG"}, {"\x1f\x8b\x08garbage", "compressed"},
        {Svg(R"~(<path d="M0 0 L1e308 0"/>)~"), "out of range"},
        {Svg(R"~(<path d="M0 0 C1e308 0 0 0 1 1 A1e308 1 0 0 1 5 5"/>)~"), "out of range"},
        {Svg(R"~(<path d="M0 0 L nan 0"/>)~"), "path data"},
        {Svg(R"~(<g id="a"><use href="#b"/></g><g id="b"><use href="#a"/></g>)~"), "refers back"},
        {Svg(deep), "nested"}, {bomb, "entit"}, {Svg(uses), "anchors"},
    };
    for (const Case& c : cases) {
        const ImportResult r = ImportSvg(c.Bytes);
        EXPECT_TRUE(!r.Ok && r.Result.Paths.empty()) << c.Says;
        EXPECT_NE(r.Error.find(c.Says), std::string::npos) << r.Error;
    }
}
