#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>
#include <filesystem>
#include <set>
#include <sstream>
#include <sys/stat.h>

#include "app/CommandLineOptions.h"
#include "app/DocumentSvg.h"
#include "app/HeadlessExport.h"
#include "app/HeadlessRender.h"
#include "core/DocumentFile.h"
#include "core/DrawCore.h"
#include "core/FileBytes.h"
#include "core/Version.h"
#include "swf/Preview.h"
#include "swf/Underlay.h"
#include "tests/TestPaths.h"
#include "tests/swf/TestMovie.h"

namespace {

struct Headless : ::testing::Test {
    QTemporaryDir dir;
    std::string File(const char* name) const { return dir.filePath(name).toStdString(); }

    // A 200 x 100 canvas on a blue background with a red 1000 x 1000 twip square at (1000, 500).
    DrawCore doc;
    void WriteDocument() {
        doc.AppendPath(Box(1000, 500, 2000, 1500, PackColor(255, 0, 0, 255)));
        std::tie(doc.Setup.CanvasWidth, doc.Setup.CanvasHeight, doc.Setup.Quality) = std::tuple(200, 100, 2);
        doc.Setup.BackColor[0] = doc.Setup.BackColor[1] = 0;  // blue: [2] stays 255
        ASSERT_TRUE(WriteFileReplacing(File("in.lvd"), FormatDocument(doc.Setup, doc.Paths)));
    }
};

struct Outcome {
    std::optional<int> Code;
    std::string Out, Err;
};
Outcome Call(std::vector<std::string> args) {
    std::ostringstream out, err;
    const std::optional<int> code = RunCommandLine(args, out, err);
    return {code, out.str(), err.str()};
}

}  // namespace

TEST_F(Headless, RenderWritesThePlayersImageAtZoomAndQualityOnTheBackground) {
    WriteDocument();
    std::ostringstream err;
    // At 125 % the square's left edge halves pixel column 62: quality "low"
    // draws it in one of the two colours, the document's own quality blends them.
    ASSERT_EQ(RunRender({File("in.lvd"), File("low.png"), "--zoom", "1.25", "--quality", "low"}, err), 0) << err.str();
    ASSERT_EQ(RunRender({File("in.lvd"), File("high.png"), "--zoom", "1.25"}, err), 0) << err.str();
    const QImage low(QString::fromStdString(File("low.png"))), high(QString::fromStdString(File("high.png")));
    ASSERT_EQ(low.size(), QSize(250, 125));
    EXPECT_EQ(low.pixel(10, 10), qRgb(0, 0, 255));
    EXPECT_EQ(low.pixel(100, 60), qRgb(254, 0, 1));
    EXPECT_TRUE(low.pixel(62, 60) == qRgb(0, 0, 255) || low.pixel(62, 60) == qRgb(254, 0, 1));
    EXPECT_TRUE(qRed(high.pixel(62, 60)) > 60 && qBlue(high.pixel(62, 60)) > 60) << std::hex << high.pixel(62, 60);
    // An image for a 2x screen at 125 %: drawn at 250 %, not magnified.
    ASSERT_EQ(RunRender({File("in.lvd"), File("2x.png"), "--zoom", "1.25", "--scale", "2"}, err), 0) << err.str();
    ASSERT_EQ(RunRender({File("in.lvd"), File("250.png"), "--zoom", "2.5"}, err), 0) << err.str();
    EXPECT_EQ(QImage(QString::fromStdString(File("2x.png"))), QImage(QString::fromStdString(File("250.png"))));
}

TEST_F(Headless, RefusesBadArgumentsInputsAndOutputsSayingWhy) {
    WriteDocument();
    ASSERT_TRUE(WriteFileReplacing(File("bad.lvd"), "LVD999\n"));
    ASSERT_EQ(mkfifo(File("fifo").c_str(), 0600), 0);
    std::filesystem::create_symlink(File("in.lvd"), File("link.lvd"));
    const std::string badDocument = "ファイル [" + File("bad.lvd") + "] は不正なLumivaneファイルです。\n";
    struct Case {
        decltype(&RunRender) Run;
        std::vector<std::string> Args;
        int Code;
        std::string Expect;
    } cases[] = {
        {RunRender, {File("in.lvd"), File("o.png"), "--zoom", "0"}, 2, "bad zoom"},
        {RunRender, {File("in.lvd"), File("o.png"), "--zoom", "1000"}, 1, "out of range"},
        {RunRender, {File("in.lvd"), File("o.png"), "--zoom", "40", "--scale", "3"}, 1, "out of range"},
        {RunRender, {File("in.lvd"), File("o.png"), "--scale", "-1"}, 2, "bad scale"},
        {RunRender, {File("in.lvd"), File("o.png"), "--quality", "ultra"}, 2, "bad quality"},
        {RunRender, {File("bad.lvd"), File("o.png")}, 1, badDocument},
        {RunRender, {File("missing.lvd"), File("o.png")}, 1, "cannot open " + File("missing.lvd") + ": No such file"},
        {RunExportSwf, {File("fifo"), File("o.swf")}, 1, "cannot open " + File("fifo") + ": not a regular file"},
        {RunRender, {File("in.lvd"), File("no/such/folder/o.png")}, 2, "書き込めませんでした"},
        {RunRender, {File("in.lvd"), File("fifo")}, 2, "cannot write " + File("fifo") + ": not a regular file"},
        {RunExportSwf, {File("in.lvd"), dir.path().toStdString()}, 2, ": Is a directory"},
        {RunExportSwf, {File("in.lvd"), File("link.lvd")}, 2, "it is the input file"},
    };
    std::string before, after;
    ASSERT_TRUE(ReadFileBytes(File("in.lvd"), before));
    for (const Case& c : cases) {
        std::ostringstream err;
        EXPECT_EQ(c.Run(c.Args, err), c.Code) << c.Expect;
        EXPECT_NE(err.str().find(c.Expect), std::string::npos) << err.str();
    }
    EXPECT_TRUE(ReadFileBytes(File("in.lvd"), after) && after == before);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(File("o.png"))) ||
                 QFile::exists(QString::fromStdString(File("o.swf"))));
}

TEST_F(Headless, AnUnusableUnderlayPictureIsSaidAlikeByEveryCommand) {
    doc.Setup.UnderlayShow = 1;
    doc.Setup.UnderlayFile = "under.jpg";
    WriteDocument();
    // A 16 x 16 frame header and nothing after it.
    ASSERT_TRUE(WriteFileReplacing(File("under.jpg"), std::string("\xFF\xD8\xFF\xC0\0\x0B\x08\0\x10\0\x10\x01\x01\x11\0", 15)));
    std::set<std::string> said;
    for (const auto run : {RunRender, RunExportSwf, RunExportSvg}) {
        std::ostringstream err;
        EXPECT_EQ(run({File("in.lvd"), File("out"), "--underlay"}, err), 3);
        said.insert(err.str());
    }
    ASSERT_EQ(said.size(), 1u);
    EXPECT_EQ(said.begin()->rfind("cannot use the underlay picture " + File("under.jpg") + ": bad JPEG header", 0), 0u)
        << *said.begin();
}

TEST_F(Headless, ExportSwfWritesThePreviewWithTheUnderlayBesideTheDocumentOnRequest) {
    WriteDocument();
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
    EXPECT_EQ(plain, BuildPreviewMovie(mk, doc));
    mk.ShowUnderlay = mk.UnderlayInFront = true;
    doc.DocFileName = File("in.lvd");
    PrepareUnderlay(mk, doc);
    EXPECT_EQ(front, BuildPreviewMovie(mk, doc));
    EXPECT_EQ(plain.size() + mk.UnderlayTagCache.size(), front.size());  // not empty: a path
}

TEST(CommandLine, HelpVersionErrorsAndTheEditor) {
    const Outcome help = Call({"--help"});
    EXPECT_EQ(help.Code, 0);
    for (const char* word : {"--export-swf", "--export-svg", "--render", "--zoom", "--quality", "--underlay",
                             "--underlay-front", "--version"})
        EXPECT_NE(help.Out.find(word), std::string::npos) << word;
    EXPECT_EQ(Call({"--version"}).Out, std::string("lumivane ") + LUMIVANE_VERSION + "\n");

    struct Bad {
        std::vector<std::string> Args;
        const char* Says;
    } bad[] = {
        {{"--frobnicate"}, "Unknown option 'frobnicate'"},
        {{"--render", "in.lvd"}, "needs IN.lvd and OUT"},
        {{"--render", "in.lvd", "out.png", "--zoom"}, "Missing value after '--zoom'"},
        {{"--export-svg", "--render", "a", "b"}, "give one of"},
        {{"--export-swf", "a", "b", "--zoom", "2"}, "go with --render"},
        {{"a.lvd", "--underlay"}, "goes with a headless command"},
    };
    for (const Bad& b : bad) {
        const Outcome r = Call(b.Args);
        EXPECT_EQ(r.Code, 2) << b.Says;
        EXPECT_NE(r.Err.find(b.Says), std::string::npos) << r.Err;
        EXPECT_NE(r.Err.find("Usage:"), std::string::npos);
    }
    EXPECT_EQ(Call({}).Code, std::nullopt);
    EXPECT_EQ(Call({"my", "drawing.lvd"}).Code, std::nullopt);
}

TEST(CommandLine, EachHeadlessCommandWritesExactlyTheNamedFileThroughALink) {
    QTemporaryDir dir;
    const std::string base = dir.path().toStdString() + "/";
    DrawCore doc;
    doc.AppendPath(Square(100, 100, 1000));
    ASSERT_TRUE(WriteFileReplacing(base + "in.lvd", FormatDocument(doc.Setup, doc.Paths)));
    struct Case {
        std::vector<std::string> Args;
        const char* Out;
        const char* Starts;
    } cases[] = {
        {{"--export-swf"}, "m\xff.swf", "FWS"},
        {{"--export-svg", "--underlay"}, "s\xff.svg", "<?xml"},
        {{"--render", "--zoom", "2", "--scale", "1.5", "--quality", "low"}, "r\xff.png", "\x89PNG"},
    };
    for (const Case& c : cases) {
        // OUT is a link to a file in a sub-folder; the link stays and its target gets the bytes.
        const std::string target = base + "t/" + c.Out;
        std::filesystem::create_directory(base + "t");
        std::filesystem::create_symlink(std::string("t/") + c.Out, base + c.Out);
        std::vector<std::string> args = c.Args;
        args.insert(args.begin() + 1, {base + "in.lvd", base + c.Out});
        EXPECT_EQ(Call(args).Code, 0) << c.Out;
        std::string bytes;  // the name's own bytes, not a replacement character
        ASSERT_TRUE(ReadFileBytes(target, bytes)) << c.Out;
        EXPECT_EQ(bytes.rfind(c.Starts, 0), 0u) << c.Out;
        EXPECT_TRUE(std::filesystem::is_symlink(base + c.Out)) << c.Out;
    }
}

TEST(CommandLine, SvgInputIsConvertedWithWhatWasLeftOutOnStandardError) {
    QTemporaryDir dir;
    const std::string base = dir.path().toStdString() + "/";
    ASSERT_TRUE(WriteFileReplacing(base + "in.svg", R"~(<svg xmlns="http://www.w3.org/2000/svg" width="200" height="100">
        <rect x="50" width="100" height="100" fill="red" filter="url(#f)"/></svg>)~"));
    ASSERT_TRUE(WriteFileReplacing(base + "bad.svg", "<svg><rect"));
    Outcome r = Call({"--render", base + "in.svg", base + "out.png"});
    ASSERT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(r.Err, "svg: 1 filter was left out\n");
    const QImage image(QString::fromStdString(base + "out.png"));
    EXPECT_EQ(image.size(), QSize(200, 100));
    const QRgb red = image.pixel(100, 50);
    EXPECT_LE(255 - qRed(red) + qGreen(red) + qBlue(red), 6);
    EXPECT_EQ(image.pixel(10, 50), qRgb(255, 255, 255));
    EXPECT_EQ(Call({"--export-swf", base + "in.svg", base + "out.swf"}).Code, 0);
    // A movie Lumivane wrote comes back as the same drawing: written again, it is the same movie.
    EXPECT_EQ(Call({"--export-swf", base + "out.swf", base + "again.swf"}).Code, 0);
    std::string first, again;
    ASSERT_TRUE(ReadFileBytes(base + "out.swf", first) && ReadFileBytes(base + "again.swf", again));
    EXPECT_EQ(first, again);
    // A movie's later frame, or one it does not have.
    ASSERT_TRUE(WriteFileReplacing(base + "two.swf", testmovie::TwoFrameMovie()));
    EXPECT_EQ(Call({"--export-svg", base + "two.swf", base + "two.svg", "--frame", "2"}).Code, 0);
    ASSERT_TRUE(ReadFileBytes(base + "two.svg", again));
    EXPECT_NE(again.find("#0000ff"), std::string::npos);
    EXPECT_NE(Call({"--render", base + "two.swf", base + "two.png", "--frame", "3"}).Err.find("has only 2 frames"), std::string::npos);
    r = Call({"--export-svg", base + "bad.svg", base + "out2.svg"});
    EXPECT_EQ(r.Code, 1);
    EXPECT_NE(r.Err.find("SVG"), std::string::npos) << r.Err;
}

