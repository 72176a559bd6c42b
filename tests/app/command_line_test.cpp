#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sstream>

#include "app/CommandLineOptions.h"
#include "core/DocumentFile.h"
#include "core/DrawCore.h"
#include "core/FileBytes.h"
#include "core/Version.h"
#include "tests/TestPaths.h"

namespace {
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

TEST(CommandLine, EachHeadlessCommandWritesExactlyTheNamedFile) {
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
        {{"--render", "--zoom", "2", "--quality", "low"}, "r\xff.png", "\x89PNG"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = c.Args;
        args.insert(args.begin() + 1, {base + "in.lvd", base + c.Out});
        EXPECT_EQ(Call(args).Code, 0) << c.Out;
        std::string bytes;  // the name's own bytes, not a replacement character
        ASSERT_TRUE(ReadFileBytes(base + c.Out, bytes)) << c.Out;
        EXPECT_EQ(bytes.rfind(c.Starts, 0), 0u) << c.Out;
    }
    EXPECT_EQ(Call({"--export-svg", base + "none.lvd", base + "x.svg"}).Code, 1);
}
