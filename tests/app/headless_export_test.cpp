#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <unistd.h>

#include "app/HeadlessExport.h"
#include "core/DocumentFile.h"
#include "core/DrawCore.h"
#include "core/FileBytes.h"
#include "swf/Preview.h"
#include "swf/Underlay.h"
#include "tests/TestPaths.h"

namespace fs = std::filesystem;

class HeadlessExport : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(dir_); }
    void TearDown() override { fs::remove_all(dir_); }
    std::string File(const std::string& name) const { return (dir_ / name).string(); }
    fs::path dir_ = fs::temp_directory_path() / ("lv_headless_test_" + std::to_string(::getpid()));
};

TEST_F(HeadlessExport, WritesTheBytesOfThePreview) {
    DrawCore doc;
    PathShape p = MakePath({{0, 0}, {2000, 0, 1}, {2000, 2000}}, true);
    p.FillType = 3;
    p.FillColor = PackColor(200, 10, 10, 255);
    doc.AppendPath(p);
    doc.Setup.CanvasWidth = 640;
    ASSERT_TRUE(WriteFileReplacing(File("in.lvd"), FormatDocument(doc.Setup, doc.Paths)));

    std::ostringstream err;
    EXPECT_EQ(RunExportSwf({File("in.lvd"), File("out.swf")}, err), 0);
    EXPECT_EQ(err.str(), "");
    std::string written;
    ASSERT_TRUE(ReadFileBytes(File("out.swf"), written));
    SWFMakeCore mk;
    EXPECT_EQ(written, BuildPreviewMovie(mk, doc));
}

TEST_F(HeadlessExport, BadOrMissingDocumentIsReported) {
    ASSERT_TRUE(WriteFileReplacing(File("bad.lvd"), "LVD999\n"));
    for (const std::string& in : {File("bad.lvd"), File("missing.lvd")}) {
        std::ostringstream err;
        EXPECT_NE(RunExportSwf({in, File("out.swf")}, err), 0);
        EXPECT_EQ(err.str(), "ファイル [" + in + "] は不正なLumivaneファイルです。\n");
        EXPECT_FALSE(fs::exists(File("out.swf")));
    }
}

TEST_F(HeadlessExport, UnwritableOutputFails) {
    ASSERT_TRUE(WriteFileReplacing(File("in.lvd"), FormatDocument(CanvasSetup{}, std::vector<PathShape>(1))));
    std::ostringstream err;
    EXPECT_NE(RunExportSwf({File("in.lvd"), File("no/such/dir/out.swf")}, err), 0);
    EXPECT_NE(err.str(), "");
}

TEST_F(HeadlessExport, UnderlaySwitchesShowTheUnderlayBesideTheDocument) {
    DrawCore doc;
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
