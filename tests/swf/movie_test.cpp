#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include "core/FileBytes.h"
#include "swf/MovieAssembly.h"
#include "swf/MovieReader.h"
#include "swf/Preview.h"
#include "swf/ShapeExport.h"
#include "swf/ShapeReader.h"
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

// One path of a DefineShape3 read back: its styles and the points its straight
// edges visit, move-to first.
struct PathRecords {
    const StyleSet* Styles = nullptr;
    std::uint32_t Fill0 = 0, Line = 0;
    std::vector<std::pair<int, int>> Points;
};

// A DefineShape3 body read back by the movie reader, which must use up the body
// exactly; one entry per style change with new styles.
std::vector<PathRecords> ReadPaths(const std::string& body, ShapeDefinition& shape) {
    BitReader r(Data(body), body.size());
    std::size_t budget = 1 << 20;
    EXPECT_EQ(ReadShape(r, 32, shape, budget), "");
    EXPECT_EQ(r.bytePosition(), body.size());
    std::vector<PathRecords> paths;
    std::int32_t x = 0, y = 0;
    for (const ShapeRecord& rec : shape.Records) {
        if (rec.HasNewStyles) paths.push_back({&shape.StyleSets[rec.StyleSetIndex], 0, 0, {}});
        if (paths.empty()) return ADD_FAILURE() << "records before any new styles", paths;
        PathRecords& p = paths.back();
        EXPECT_NE(rec.Type, ShapeRecordType::CurvedEdge);
        if (rec.Type == ShapeRecordType::StyleChange) {
            if (rec.HasMoveTo) p.Points.emplace_back(x = rec.MoveX, y = rec.MoveY);
            if (rec.HasFill0) p.Fill0 = rec.Fill0;
            if (rec.HasLine) p.Line = rec.Line;
        } else {
            p.Points.emplace_back(x += rec.DeltaX, y += rec.DeltaY);
        }
    }
    return paths;
}

struct TempDir {
    fs::path Path = fs::temp_directory_path() / ("lv_swf_test_" + std::to_string(::getpid()));
    TempDir() { fs::create_directories(Path); }
    ~TempDir() { fs::remove_all(Path); }
};

std::vector<const BitString*> Caches(const DrawCore& doc) {
    std::vector<const BitString*> out;
    for (std::size_t i = 1; i < doc.Paths.size(); ++i) out.push_back(doc.Paths[i].ShapeCache.get());
    return out;
}

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

TEST(Movie, EveryFillTypeParsesBackToItsAnchors) {
    DrawCore doc;
    for (int fill = 0; fill <= 4; ++fill) {
        PathShape p = Square(fill * 200, 100, 150, fill);
        p.LineOn = static_cast<std::int16_t>(fill % 2);
        p.LineWidth = 40 + fill;
        doc.AppendPath(p);
    }
    doc.AppendPath(Styled(MakePath({{5, 5, 0}}, true), 1));  // a single anchor is not exported
    SWFMakeCore mk;
    const std::string movie = BuildPreviewMovie(mk, doc);
    const std::vector<MovieTag> tags = WalkTags(movie);
    ASSERT_EQ(tags.size(), 4u);  // DefineShape3, PlaceObject2, ShowFrame, End

    ShapeDefinition shape;
    const std::vector<PathRecords> paths = ReadPaths(tags[0].Body, shape);
    ASSERT_EQ(paths.size(), 5u);
    for (int fill = 0; fill <= 4; ++fill) {
        SCOPED_TRACE(fill);
        const PathShape& src = doc.Paths[static_cast<std::size_t>(fill) + 1];
        const PathRecords& got = paths[static_cast<std::size_t>(fill)];
        EXPECT_EQ(got.Fill0, fill == 0 ? 0u : 1u);
        ASSERT_EQ(got.Styles->Fills.size(), fill == 0 ? 0u : 1u);
        using Stops = std::vector<SwfGradientStop>;
        const SwfColor c1{10, 20, 30, 200}, c2{40, 50, 60, 100};  // the colours Styled gives
        const Stops stops[] = {{}, {}, {{0, c1}, {255, c2}}, {{0, c1}, {128, c2}, {255, c1}}, {{0, c1}, {255, c2}}};
        const int types[] = {0, 0x00, 0x10, 0x10, 0x12};
        if (fill >= 1) {
            const FillStyle& f = got.Styles->Fills[0];
            EXPECT_EQ(f.Type, types[fill]);
            EXPECT_EQ(f.Color, fill == 1 ? c1 : SwfColor{});
            EXPECT_EQ(f.Stops, stops[fill]);
        }
        const std::vector<LineStyle> lines =
            fill % 2 ? std::vector<LineStyle>{{static_cast<std::uint16_t>(40 + fill), {1, 2, 3, 255}}}
                     : std::vector<LineStyle>{};
        EXPECT_EQ(got.Styles->Lines, lines);
        EXPECT_EQ(got.Line, fill % 2 ? 1u : 0u);
        auto corners = Coords(src);
        corners.push_back(corners[0]);
        EXPECT_EQ(got.Points, corners);
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

TEST(Movie, RebuildWritesTheFileAndSetsPlayerProperties) {
    TempDir dir;
    DrawCore doc;
    doc.AppendPath(Square(0, 0, 500));
    doc.TempMoviePath = (dir.Path / "_canvtemp.tmp").string();
    doc.Setup.BackColor[0] = 255;
    doc.Setup.BackColor[1] = 0;
    doc.Setup.BackColor[2] = 0;
    SWFMakeCore mk;
    std::string error = "stale";
    ASSERT_TRUE(RebuildPreview(mk, doc, error));
    EXPECT_EQ(error, "");
    EXPECT_EQ(mk.BackgroundColor, 16711680);
    std::string written;
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
}

TEST(Movie, UnwritablePreviewKeepsThePreviousFile) {
    TempDir dir;
    DrawCore doc;
    doc.TempMoviePath = (dir.Path / "_canvtemp.tmp").string();
    SWFMakeCore mk;
    std::string error, before, after;
    ASSERT_TRUE(RebuildPreview(mk, doc, error));
    ASSERT_TRUE(ReadFileBytes(doc.TempMoviePath, before));

    fs::create_directory(doc.TempMoviePath + ".part");  // the temporary file cannot be created
    doc.AppendPath(Square(0, 0, 500));
    EXPECT_FALSE(RebuildPreview(mk, doc, error));
    EXPECT_NE(error.find(doc.TempMoviePath), std::string::npos);
    EXPECT_TRUE(mk.MovieBuffer.empty());
    ASSERT_TRUE(ReadFileBytes(doc.TempMoviePath, after));
    EXPECT_EQ(after, before);
}

TEST(ShapeCache, FilledOnceReusedAndEmptiedOnlyForTheEditedPath) {
    DrawCore doc;
    doc.AppendPath(Square(0, 0, 100));
    doc.AppendPath(Styled(MakePath({{0, 0, 1}, {50, 70, 1}, {90, 10, 0}}, true), 4));
    doc.AppendPath(Styled(MakePath({{5, 5, 0}, {9, 9, 0}}), 0));
    doc.AppendPath(Styled(MakePath({{5, 5, 0}}, true), 0));  // not exported: nothing cached
    SWFMakeCore mk;

    const std::string first = BuildPreviewMovie(mk, doc);
    const auto filled = Caches(doc);
    for (std::size_t k = 0; k < 3; ++k) ASSERT_NE(filled[k], nullptr) << k;
    EXPECT_EQ(filled[3], nullptr);
    EXPECT_EQ(*doc.Paths[2].ShapeCache, EncodePathRecords(doc.Paths[2]));

    EXPECT_EQ(BuildPreviewMovie(mk, doc), first);
    EXPECT_EQ(Caches(doc), filled);  // reused, not encoded again

    PathShape edited = doc.GetPath(2);
    edited.Anchors[1].X += 7;
    doc.SetPath(2, edited);
    BuildPreviewMovie(mk, doc);
    EXPECT_EQ(Caches(doc), (std::vector<const BitString*>{filled[0], doc.Paths[2].ShapeCache.get(), filled[2], nullptr}));
    EXPECT_NE(doc.Paths[2].ShapeCache, nullptr);
}

TEST(ShapeCache, ExportUsesTheCacheAsStored) {
    // A cache is trusted until the path is edited: the export takes its bits
    // rather than the anchors, which is what makes an unchanged path cheap.
    DrawCore doc, other;
    doc.AppendPath(Square(0, 0, 100));
    other.AppendPath(Square(500, 500, 20));
    doc.Paths[1].ShapeCache = std::make_shared<const BitString>(EncodePathRecords(other.Paths[1]));
    SWFMakeCore mk;
    EXPECT_EQ(BuildPreviewMovie(mk, doc), FreshMovie(other));
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
    UpdatePreviewMovie(mk, doc);
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
