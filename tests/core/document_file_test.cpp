#include <gtest/gtest.h>

#include "core/DocumentFile.h"
#include "tests/TestPaths.h"

namespace {
PathShape RectanglePath() {
    PathShape p = MakePath({{0, 0}, {0, 1000}, {1000, 1000}, {1000, 0}}, true);
    p.LineWidth = 20;
    p.LineColor = PackColor(0, 0, 0, 255);
    p.FillColor = PackColor(0, 255, 255, 255);
    p.GradX = 500;
    p.GradY = 500;
    p.GradScale = 1000.0f / 32768.0f;
    p.FillColor2 = PackColor(255, 255, 255, 255);
    p.Selected = VbTrue;
    return p;
}

std::vector<PathShape> Doc(std::initializer_list<PathShape> shapes) {
    std::vector<PathShape> paths(1);
    paths.insert(paths.end(), shapes);
    return paths;
}
}  // namespace

TEST(DocumentFile, RectangleDocumentIsWrittenLineByLine) {
    const std::string text = FormatDocument(CanvasSetup{}, Doc({RectanglePath()}));
    EXPECT_EQ(text,
              "LVD010\r\n"
              "320,320,255,255,255,1,60,30,2\r\n"
              "0,\"\",0,0,1,128\r\n"
              "1\r\n"
              "3,#TRUE#,20,1,-16777216,0,-256,500,500,0,0.030517578,-1,#FALSE#,0\r\n"
              "0,0,0\r\n0,0,1000\r\n0,1000,1000\r\n0,1000,0\r\n");
}

TEST(DocumentFile, RoundTripKeepsEveryFieldButSelectionAndCache) {
    PathShape far = RectanglePath();
    far.Anchors = {{-2147483647 - 1, 2147483647, 1}, {-5, -7, 0}};
    far.AnchorMax = 1;
    far.Closed = VbFalse;
    far.LineColor = -1;
    far.FillColor = PackColor(1, 2, 3, 128);
    far.GradAngle = -33.333333f;
    far.GradScale = 3.1e-7f;
    far.Grouped = VbTrue;
    far.GroupNo = 42;
    far.ShapeCache = std::make_shared<BitString>();
    PathShape single = RectanglePath();
    single.Anchors.resize(1);
    single.AnchorMax = 0;

    CanvasSetup setup;
    setup.CanvasWidth = 1234;
    setup.BackColor[1] = 7;
    setup.UnderlayFile = "/home/u/a, b\"c.bmp";
    setup.UnderlayScale = 0.1f;
    setup.UnderlayX = -30;
    const auto original = Doc({far, single});

    CanvasSetup readSetup;
    std::vector<PathShape> read;
    ASSERT_TRUE(ParseDocument(FormatDocument(setup, original), readSetup, read));
    ASSERT_EQ(read.size(), 3u);
    for (std::size_t i = 1; i < 3; ++i) {
        PathShape expected = original[i];
        expected.Selected = VbFalse;
        EXPECT_TRUE(SameShape(read[i], expected)) << i;
        EXPECT_EQ(read[i].ShapeCache, nullptr);
    }
    EXPECT_EQ(std::make_tuple(readSetup.CanvasWidth, readSetup.BackColor[1], readSetup.UnderlayFile,
                              readSetup.UnderlayScale, readSetup.UnderlayX),
              std::make_tuple(1234, 7, setup.UnderlayFile, 0.1f, -30));

    const std::string empty = FormatDocument(CanvasSetup{}, Doc({}));
    EXPECT_EQ(std::count(empty.begin(), empty.end(), '\n'), 4);
    ASSERT_TRUE(ParseDocument(empty, readSetup, read));
    EXPECT_EQ(read.size(), 1u);
}

TEST(DocumentFile, ReaderTakesOtherLineEndsAndFloatForms) {
    const std::string text =
        "LVD010\n320,240,1,2,3,3,61,31,0\r0,\"x.bmp\",5,6,.5,64\n1\n"
        "0,#FALSE#,0,0,0,1,0,0,0,-1.5E+01,3.051758E-02,0,#TRUE#,-3\n1,-9,9";
    CanvasSetup setup;
    std::vector<PathShape> paths;
    ASSERT_TRUE(ParseDocument(text, setup, paths));
    EXPECT_EQ(std::make_pair(setup.CanvasHeight, setup.UnderlayScale), std::make_pair(240, 0.5f));
    ASSERT_EQ(paths.size(), 2u);
    EXPECT_EQ(std::make_pair(paths[1].GradAngle, paths[1].GroupNo), std::make_pair(-15.0f, -3));
    EXPECT_FLOAT_EQ(paths[1].GradScale, 0.03051758f);
    EXPECT_EQ(paths[1].Anchors[0], (AnchorPoint{-9, 9, 1}));
}

TEST(DocumentFile, BadDocumentsAreRefusedAndLeaveTheOutputsAlone) {
    const std::string good = FormatDocument(CanvasSetup{}, Doc({RectanglePath()}));
    const std::string head = "LVD010\r\n320,320,255,255,255,1,60,30,2\r\n0,\"\",0,0,1,128\r\n";
    const struct { const char* name; std::string text; } cases[] = {
        {"empty", ""},
        {"wrong magic", "LVD011" + good.substr(6)},
        {"ends early", good.substr(0, good.size() - 12)},
        {"count larger than the file holds", head + "2000000000\r\n"},
        {"negative path count", head + "-1\r\n"},
        {"anchor count larger than the file holds",
         head + "1\r\n2147483647,#TRUE#,20,1,-1,0,-256,500,500,0,1,-1,#FALSE#,0\r\n0,0,0\r\n"},
        {"byte out of range", "LVD010\r\n320,320,256,255,255,1,60,30,2\r\n0,\"\",0,0,1,128\r\n0\r\n"},
        {"16-bit out of range", "LVD010\r\n320,320,255,255,255,40000,60,30,2\r\n0,\"\",0,0,1,128\r\n0\r\n"},
        {"not a boolean", good.substr(0, good.find("#TRUE#")) + "#YES#" + good.substr(good.find("#TRUE#") + 6)},
        {"unquoted string", "LVD010\r\n320,320,255,255,255,1,60,30,2\r\n0,x,0,0,1,128\r\n0\r\n"},
        {"float with a comma decimal", "LVD010\r\n320,320,255,255,255,1,60,30,2\r\n0,\"\",0,0,1;5,128\r\n0\r\n"},
        {"infinite float", "LVD010\r\n320,320,255,255,255,1,60,30,2\r\n0,\"\",0,0,inf,128\r\n0\r\n"},
    };
    for (const auto& c : cases) {
        CanvasSetup setup;
        setup.CanvasWidth = 99;
        std::vector<PathShape> paths(1);
        EXPECT_FALSE(ParseDocument(c.text, setup, paths)) << c.name;
        EXPECT_EQ(setup.CanvasWidth, 99) << c.name;
        EXPECT_EQ(paths.size(), 1u) << c.name;
    }
}

TEST(ClipFile, RoundTripAndRefusals) {
    ClipData clip;
    clip.Paths = Doc({RectanglePath(), RectanglePath()});
    clip.OriginX = -100;
    clip.OriginY = 7;
    const std::string text = FormatClip(clip);
    EXPECT_EQ(text.substr(0, 21), "LVCLIP010\r\n2,-100,7\r\n");
    ClipData read;
    ASSERT_TRUE(ParseClip(text, read));
    EXPECT_EQ(read.Paths.size(), 3u);
    EXPECT_EQ(std::make_pair(read.OriginX, read.OriginY), std::make_pair(-100, 7));

    ClipData untouched;
    EXPECT_FALSE(ParseClip("LVD010" + text.substr(9), untouched) || ParseClip(text.substr(0, text.size() - 3), untouched));
    EXPECT_EQ(untouched.Paths.size(), 1u);
}
