#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include "core/FileBytes.h"
#include "swf/BitReader.h"
#include "swf/MovieAssembly.h"
#include "swf/MovieReader.h"
#include "swf/Preview.h"
#include "swf/ShapeExport.h"
#include "tests/TestPaths.h"
#include "tests/swf/BitText.h"

namespace fs = std::filesystem;

namespace {
constexpr char kEmptyMovie[] =
    "465753066100000080" "0000C8000000C800" "000C0100"           // header
    "3F0813000000" "0100" "C000000000C80000000000C800" "00000000"  // DefineShape3
    "BF0629000000" "0E" "0301" "0100"                             // PlaceObject2
    "E00400000400038000000000000B800000000000"                    //   identity matrix
    "FC0800100020003FC000000000000000"                            //   colour transform
    "4000" "0000";                                                // ShowFrame, End

const std::uint8_t* Data(const std::string& s) { return reinterpret_cast<const std::uint8_t*>(s.data()); }

struct MovieTag { int Code; std::string Body; };

// The tag walk of a whole movie: FileLength is the byte count, every tag's
// length fits, and the End tag is the last one, ending at the last byte.
std::vector<MovieTag> WalkTags(const std::string& movie) {
    std::vector<MovieTag> tags;
    BitReader r(Data(movie), movie.size());
    r.skipBytes(4);
    EXPECT_EQ(r.readU32(), movie.size());
    const int nbits = static_cast<int>(r.readUB(5));
    for (int k = 0; k < 4; ++k) r.readUB(nbits);
    r.skipBytes(4);  // frame rate and count
    while (!r.failed() && r.bytesLeft() > 0 && (tags.empty() || tags.back().Code != 0)) {
        const std::uint16_t word = r.readU16();
        const std::uint32_t length = (word & 0x3F) == 0x3F ? r.readU32() : (word & 0x3F);
        const std::size_t at = r.bytePosition();
        EXPECT_TRUE(r.skipBytes(length)) << "tag " << (word >> 6) << " runs past the end";
        tags.push_back({word >> 6, movie.substr(at, length)});
    }
    EXPECT_EQ(r.bytesLeft(), 0u);
    EXPECT_TRUE(!r.failed() && !tags.empty() && tags.back().Code == 0) << "no End tag";
    return tags;
}

struct TempDir {
    fs::path Path = fs::temp_directory_path() / ("lv_swf_test_" + std::to_string(::getpid()));
    TempDir() { fs::create_directories(Path); }
    ~TempDir() { fs::remove_all(Path); }
};

// The movie of the same paths with every cache emptied first, assembled by a
// fresh writer with the underlay settings of `like`.
std::string FreshMovie(DrawCore doc, const SWFMakeCore& like = {}) {
    for (PathShape& p : doc.Paths) p.ShapeCache.reset();
    SWFMakeCore mk;
    mk.ShowUnderlay = like.ShowUnderlay;
    mk.UnderlayTagCache = like.UnderlayTagCache;
    return BuildPreviewMovie(mk, doc);
}

void Edit(DrawCore& doc, std::int32_t i, void (*change)(PathShape&)) {
    PathShape p = doc.GetPath(i);
    change(p);
    doc.SetPath(i, p);
}

void Move(PathShape& p) {
    for (AnchorPoint& a : p.Anchors) a.X += 37, a.Y -= 1000;
}
}  // namespace

TEST(Movie, EmptyDocumentIs97Bytes) {
    DrawCore doc;
    SWFMakeCore mk;
    EXPECT_EQ(HexText(BuildPreviewMovie(mk, doc)), kEmptyMovie);
}

TEST(Movie, FrameFieldsWidenOnlyForCanvasesBeyond1638Pixels) {
    for (const auto& [side, header] : {std::pair{1638, 21u}, {1639, 22u}, {8191, 23u}}) {
        DrawCore doc;
        doc.Setup.CanvasWidth = doc.Setup.CanvasHeight = side;
        SWFMakeCore mk;
        const std::string movie = BuildPreviewMovie(mk, doc);
        const ParsedMovie m = ReadMovie(Data(movie), movie.size());
        EXPECT_EQ(std::make_tuple(MovieHeaderSize(side, side), m.Header.FrameSize.Ymax, m.Header.FrameCount, WalkTags(movie).size()),
                  std::make_tuple(header, 20 * side, 1, 4u));
    }
}

TEST(Movie, UnderlayTagsAreCopiedOnlyWhenShownAndCached) {
    const struct { bool check; std::int16_t show; bool cached, expected; } cases[] = {
        {true, 1, true, true}, {false, 1, true, false}, {true, 0, true, false}, {true, 1, false, false}};
    for (const auto& c : cases) {
        DrawCore doc;
        SWFMakeCore mk;
        mk.ShowUnderlay = c.check;
        doc.Setup.UnderlayShow = c.show;
        mk.UnderlayTagCache = std::string("\x3F\x01", 2) + std::string(4, '\0') + "\x3F\x01" + std::string(4, '\0');
        if (!c.cached) InvalidateUnderlay(mk);
        const std::string movie = BuildPreviewMovie(mk, doc);
        EXPECT_EQ(movie.size(), c.expected ? 97u + 12u : 97u);
        EXPECT_EQ(HexText(movie.substr(21, 4)), c.expected ? "3F010000" : "3F081300");
        WalkTags(movie);
        EXPECT_EQ(mk.UnderlayTagCache.size(), c.cached ? 12u : 1u);  // the cache itself is untouched
    }
}

TEST(Movie, RebuildWritesTheFileAndSetsPlayerPropertiesOrKeepsThePreviousFile) {
    TempDir dir;
    DrawCore doc;
    doc.AppendPath(Square(0, 0, 500));
    doc.TempMoviePath = (dir.Path / "_canvtemp.tmp").string();
    doc.Setup.BackColor[1] = doc.Setup.BackColor[2] = 0;
    SWFMakeCore mk;
    std::string error = "stale", written, after;
    ASSERT_TRUE(RebuildPreview(mk, doc, error));
    EXPECT_EQ(error, "");
    EXPECT_EQ(mk.BackgroundColor, 16711680);
    ASSERT_TRUE(ReadFileBytes(doc.TempMoviePath, written));
    SWFMakeCore again;
    EXPECT_EQ(written, BuildPreviewMovie(again, doc));
    EXPECT_TRUE(mk.MovieBuffer.empty());

    const struct { std::int16_t quality; const char* name; } qualities[] = {
        {0, "low"}, {1, "medium"}, {3, "best"}, {7, "best"}, {-1, "best"}, {2, "high"}};
    for (const auto& q : qualities) {
        doc.Setup.Quality = q.quality;
        ASSERT_TRUE(RebuildPreview(mk, doc, error));
        EXPECT_EQ(mk.Quality2, q.name) << q.quality;  // an unknown quality keeps the last one
    }

    fs::create_directory(doc.TempMoviePath + ".part");  // the temporary file cannot be created
    doc.AppendPath(Square(600, 0, 500));
    EXPECT_FALSE(RebuildPreview(mk, doc, error));
    EXPECT_NE(error.find(doc.TempMoviePath), std::string::npos);
    EXPECT_TRUE(mk.MovieBuffer.empty());
    ASSERT_TRUE(ReadFileBytes(doc.TempMoviePath, after));
    EXPECT_EQ(after, written);
}

TEST(ShapeCache, RebuildSplicesChangedPathsOnlyWhenTheirBytesKeepTheirLength) {
    DrawCore doc;
    doc.AppendPath(Square(0, 0, 100));
    doc.AppendPath(Styled(MakePath({{0, 0, 1}, {50, 70, 1}, {90, 10, 0}}, true), 4));
    doc.AppendPath(Square(300, 300, 50, 3));
    doc.AppendPath(Styled(MakePath({{5, 5, 0}, {9, 9, 0}}), 0));
    doc.AppendPath(Styled(MakePath({{5, 5, 0}}), 0));  // not in the movie
    doc.AppendPath(Square(600, 600, 100));
    SWFMakeCore mk;
    // The reader takes the writer's records whole: one style set per exported path after the initial one.
    const std::string& first = UpdatePreviewMovie(mk, doc);
    const ParsedMovie read = ReadMovie(Data(first), first.size());
    ASSERT_TRUE(read.Complete) << read.Reason;
    EXPECT_EQ(read.Shapes.at(1)->StyleSets.size(), 6u);
    using Step = void (*)(DrawCore&, SWFMakeCore&);
    // Applied in turn; `changes`: the movie's bytes change.
    const struct { const char* name; bool spliced, changes; Step edit; } steps[] = {
        {"nothing", true, false, [](DrawCore&, SWFMakeCore&) {}},
        {"move one", true, true, [](DrawCore& d, SWFMakeCore&) { Edit(d, 2, Move); }},
        {"move two", true, true, [](DrawCore& d, SWFMakeCore&) { Edit(d, 1, Move), Edit(d, 4, Move); }},
        {"colour", true, true, [](DrawCore& d, SWFMakeCore&) { Edit(d, 3, [](PathShape& p) { p.FillColor = 0x1234567; }); }},
        {"gradient matrix", true, true, [](DrawCore& d, SWFMakeCore&) {
             Edit(d, 2, [](PathShape& p) { Move(p), p.GradX = -70000, p.GradAngle = 33.3f, p.GradScale = 300.5f; });
         }},
        {"background", true, false, [](DrawCore& d, SWFMakeCore&) { d.Setup.BackColor[1] = 7; }},
        {"swap equal lengths", true, true, [](DrawCore& d, SWFMakeCore&) { std::swap(d.Paths[1], d.Paths[6]); }},
        {"swap other lengths", false, true, [](DrawCore& d, SWFMakeCore&) { std::swap(d.Paths[2], d.Paths[3]); }},
        {"add", false, true, [](DrawCore& d, SWFMakeCore&) { d.AppendPath(Square(5, 5, 5)); }},
        {"move last", true, true, [](DrawCore& d, SWFMakeCore&) { Edit(d, 7, Move); }},
        {"delete", false, true, [](DrawCore& d, SWFMakeCore&) { d.DeletePath(3); }},
        {"second anchor", false, true, [](DrawCore& d, SWFMakeCore&) {
             Edit(d, 4, [](PathShape& p) { p.Anchors.push_back({70, 70, 0}), p.AnchorMax = 1; });
         }},
        {"curve", false, true, [](DrawCore& d, SWFMakeCore&) { Edit(d, 1, [](PathShape& p) { p.Anchors[1].Kind = 1; }); }},
        {"show underlay", false, true, [](DrawCore& d, SWFMakeCore& m) {
             d.Setup.UnderlayShow = 1, m.ShowUnderlay = true;
             m.UnderlayTagCache = std::string("\x3F\x01", 2) + std::string(4, '\0') + "\x3F\x01" + std::string(4, '\0');
         }},
        {"move under underlay", true, true, [](DrawCore& d, SWFMakeCore&) { Edit(d, 5, Move); }},
        {"other underlay", false, true, [](DrawCore&, SWFMakeCore& m) { m.UnderlayTagCache[3] = 1; }},
        {"hide underlay", false, true, [](DrawCore&, SWFMakeCore& m) { m.ShowUnderlay = false; }},
        {"canvas", false, true, [](DrawCore& d, SWFMakeCore&) { d.Setup.CanvasHeight = 1000; }},
        {"move after canvas", true, true, [](DrawCore& d, SWFMakeCore&) { Edit(d, 2, Move); }},
    };
    for (const auto& step : steps) {
        const std::string before = mk.LastPreview.Movie;
        step.edit(doc, mk);
        const std::string& movie = UpdatePreviewMovie(mk, doc);
        EXPECT_EQ(movie, FreshMovie(doc, mk)) << step.name;
        EXPECT_EQ(mk.LastPreview.Spliced, step.spliced) << step.name;
        EXPECT_EQ(movie != before, step.changes) << step.name;
    }
}
