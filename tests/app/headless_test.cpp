#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>
#include <sstream>

#include "app/HeadlessExport.h"
#include "app/HeadlessRender.h"
#include "core/DocumentFile.h"
#include "core/DrawCore.h"
#include "core/FileBytes.h"
#include "swf/Preview.h"
#include "swf/Underlay.h"
#include "tests/TestPaths.h"

namespace {

struct Headless : ::testing::Test {
    QTemporaryDir dir;
    std::string File(const char* name) const { return dir.filePath(name).toStdString(); }

    // A 200 x 100 canvas on a blue background with a red 1000 x 1000 twip square at (1000, 500).
    DrawCore doc;
    void WriteDocument() {
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

TEST_F(Headless, RenderWritesThePlayersImageAtZoomOnTheBackground) {
    WriteDocument();
    std::ostringstream err;
    ASSERT_EQ(RunRender({File("in.lvd"), File("out.png"), "--zoom", "2", "--quality", "low"}, err), 0) << err.str();
    QImage png(QString::fromStdString(File("out.png")));
    ASSERT_EQ(png.width(), 400);
    ASSERT_EQ(png.height(), 200);
    EXPECT_EQ(png.pixel(10, 10), qRgb(0, 0, 255));
    EXPECT_EQ(png.pixel(100, 100), qRgb(254, 0, 1));  // the square's top-left pixel at 200 %

    // Without options: 100 % at the document's own quality (anti-aliased).
    ASSERT_EQ(RunRender({File("in.lvd"), File("plain.png")}, err), 0) << err.str();
    QImage plain(QString::fromStdString(File("plain.png")));
    EXPECT_EQ(plain.size(), QSize(200, 100));
    EXPECT_EQ(plain.pixel(75, 50), qRgb(254, 0, 1));
}

TEST_F(Headless, RefusesBadArgumentsDocumentsAndOutputs) {
    WriteDocument();
    ASSERT_TRUE(WriteFileReplacing(File("bad.lvd"), "LVD999\n"));
    const std::string badDocument = "ファイル [" + File("bad.lvd") + "] は不正なLumivaneファイルです。\n";
    struct Case {
        decltype(&RunRender) Run;
        std::vector<std::string> Args;
        std::string Expect;
    } cases[] = {
        {RunRender, {File("in.lvd")}, "usage"},
        {RunRender, {File("in.lvd"), File("o.png"), "--zoom"}, "needs a value"},
        {RunRender, {File("in.lvd"), File("o.png"), "--zoom", "0"}, "bad zoom"},
        {RunRender, {File("in.lvd"), File("o.png"), "--zoom", "2x"}, "bad zoom"},
        {RunRender, {File("in.lvd"), File("o.png"), "--zoom", "1000"}, "out of range"},
        {RunRender, {File("in.lvd"), File("o.png"), "--quality", "ultra"}, "bad quality"},
        {RunRender, {File("bad.lvd"), File("o.png")}, badDocument},
        {RunRender, {File("missing.lvd"), File("o.png")}, "不正なLumivaneファイル"},
        {RunRender, {File("in.lvd"), File("no/such/folder/o.png")}, "書き込めませんでした"},
        {RunExportSwf, {File("bad.lvd"), File("o.swf")}, badDocument},
        {RunExportSwf, {File("missing.lvd"), File("o.swf")}, "不正なLumivaneファイル"},
        {RunExportSwf, {File("in.lvd"), File("no/such/folder/o.swf")}, "書き込めませんでした"},
    };
    for (const Case& c : cases) {
        std::ostringstream err;
        EXPECT_NE(c.Run(c.Args, err), 0) << c.Expect;
        EXPECT_NE(err.str().find(c.Expect), std::string::npos) << err.str();
    }
    EXPECT_FALSE(QFile::exists(QString::fromStdString(File("o.png"))) ||
                 QFile::exists(QString::fromStdString(File("o.swf"))));
}

TEST_F(Headless, ExportSwfWritesTheBytesOfThePreview) {
    WriteDocument();
    std::ostringstream err;
    EXPECT_EQ(RunExportSwf({File("in.lvd"), File("out.swf")}, err), 0);
    EXPECT_EQ(err.str(), "");
    std::string written;
    ASSERT_TRUE(ReadFileBytes(File("out.swf"), written));
    SWFMakeCore mk;
    EXPECT_EQ(written, BuildPreviewMovie(mk, doc));
}

TEST_F(Headless, ExportSwfUnderlaySwitchesShowTheUnderlayBesideTheDocument) {
    doc.Setup.UnderlayShow = 1;
    doc.Setup.UnderlayFile = "under.lvd";  // beside the document
    std::vector<PathShape> under(1, PathShape{});
    under.push_back(MakePath({{0, 0}, {400, 400}}));
    ASSERT_TRUE(WriteFileReplacing(File("under.lvd"), FormatDocument(CanvasSetup{}, under)));
    ASSERT_TRUE(WriteFileReplacing(File("in.lvd"), FormatDocument(doc.Setup, doc.Paths)));
    std::string plain, front;
    std::ostringstream err;
    ASSERT_EQ(RunExportSwf({File("in.lvd"), File("plain.swf")}, err), 0);
    ASSERT_EQ(RunExportSwf({"--underlay-front", File("in.lvd"), File("front.swf")}, err), 0) << err.str();
    ASSERT_TRUE(ReadFileBytes(File("plain.swf"), plain) && ReadFileBytes(File("front.swf"), front));
    SWFMakeCore mk;
    mk.ShowUnderlay = mk.UnderlayInFront = true;
    doc.DocFileName = File("in.lvd");
    PrepareUnderlay(mk, doc);
    EXPECT_EQ(front, BuildPreviewMovie(mk, doc));
    EXPECT_EQ(plain.size() + mk.UnderlayTagCache.size(), front.size());  // not empty: a path
}
