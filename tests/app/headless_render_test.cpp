#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>
#include <sstream>

#include "app/HeadlessRender.h"
#include "core/DocumentFile.h"
#include "core/DrawCore.h"
#include "core/FileBytes.h"
#include "tests/TestPaths.h"

namespace {

struct HeadlessRender : ::testing::Test {
    QTemporaryDir dir;
    std::string File(const char* name) const { return dir.filePath(name).toStdString(); }

    // A 200 x 100 canvas on a blue background with a red 1000 x 1000 twip square at (1000, 500).
    void WriteDocument() {
        DrawCore doc;
        doc.AppendPath(Box(1000, 500, 2000, 1500, PackColor(255, 0, 0, 255)));
        doc.Setup.CanvasWidth = 200;
        doc.Setup.CanvasHeight = 100;
        doc.Setup.BackColor[0] = 0;
        doc.Setup.BackColor[1] = 0;
        doc.Setup.BackColor[2] = 255;
        doc.Setup.Quality = 2;
        ASSERT_TRUE(WriteFileReplacing(File("in.lvd"), FormatDocument(doc.Setup, doc.Paths)));
    }
};

}  // namespace

TEST_F(HeadlessRender, WritesThePlayersImageAtZoomOnTheBackground) {
    WriteDocument();
    std::ostringstream err;
    ASSERT_EQ(RunRender({File("in.lvd"), File("out.png"), "--zoom", "2", "--quality", "low"}, err), 0) << err.str();
    QImage png(QString::fromStdString(File("out.png")));
    ASSERT_EQ(png.width(), 400);
    ASSERT_EQ(png.height(), 200);
    EXPECT_EQ(png.pixel(10, 10), qRgb(0, 0, 255));
    // The square spans pixels 100..199 horizontally and 50..149 vertically at 200 %.
    EXPECT_EQ(png.pixel(99, 100), qRgb(0, 0, 255));
    EXPECT_EQ(png.pixel(100, 100), qRgb(254, 0, 1));
    EXPECT_EQ(png.pixel(199, 149), qRgb(254, 0, 1));
    EXPECT_EQ(png.pixel(200, 100), qRgb(0, 0, 255));

    // Without options: 100 % at the document's own quality (anti-aliased).
    ASSERT_EQ(RunRender({File("in.lvd"), File("plain.png")}, err), 0) << err.str();
    QImage plain(QString::fromStdString(File("plain.png")));
    EXPECT_EQ(plain.size(), QSize(200, 100));
    EXPECT_EQ(plain.pixel(75, 50), qRgb(254, 0, 1));
}

TEST_F(HeadlessRender, RefusesBadArgumentsAndDocuments) {
    WriteDocument();
    ASSERT_TRUE(WriteFileReplacing(File("bad.lvd"), "LVD999\n"));
    struct Case { std::vector<std::string> Args; const char* Expect; } cases[] = {
        {{File("in.lvd")}, "usage"},
        {{File("in.lvd"), File("o.png"), "--zoom"}, "needs a value"},
        {{File("in.lvd"), File("o.png"), "--zoom", "0"}, "bad zoom"},
        {{File("in.lvd"), File("o.png"), "--zoom", "2x"}, "bad zoom"},
        {{File("in.lvd"), File("o.png"), "--zoom", "1000"}, "out of range"},
        {{File("in.lvd"), File("o.png"), "--quality", "ultra"}, "bad quality"},
        {{File("bad.lvd"), File("o.png")}, "不正なLumivaneファイル"},
        {{File("missing.lvd"), File("o.png")}, "不正なLumivaneファイル"},
        {{File("in.lvd"), File("no/such/folder/o.png")}, "書き込めませんでした"},
    };
    for (const Case& c : cases) {
        std::ostringstream err;
        EXPECT_NE(RunRender(c.Args, err), 0) << c.Expect;
        EXPECT_NE(err.str().find(c.Expect), std::string::npos) << err.str();
    }
}
