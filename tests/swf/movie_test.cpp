#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <unistd.h>

#include "core/FileBytes.h"
#include "swf/MovieAssembly.h"
#include "swf/MovieReader.h"
#include "swf/Preview.h"
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

SwfColor Swf(std::int32_t packed) {
    return {static_cast<std::uint8_t>(ColorByte(packed, 0)), static_cast<std::uint8_t>(ColorByte(packed, 1)),
            static_cast<std::uint8_t>(ColorByte(packed, 2)), static_cast<std::uint8_t>(ColorByte(packed, 3))};
}

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
}  // namespace

TEST(Movie, EmptyDocumentIs97Bytes) {
    DrawCore doc;
    SWFMakeCore mk;
    EXPECT_EQ(HexText(BuildPreviewMovie(mk, doc)), kEmptyMovie);
    EXPECT_TRUE(mk.MovieBuffer.empty());
    EXPECT_EQ(mk.FrameCounter, 1);
}

TEST(Movie, FrameSizeFollowsTheCanvasAndWrapsPast16Bits) {
    const struct { std::int32_t width, height, xMax, yMax; } cases[] = {
        {1638, 1, 32760, 20}, {4000, 200, 80000 - 65536, 4000}};
    for (const auto& c : cases) {
        DrawCore doc;
        doc.Setup.CanvasWidth = c.width;
        doc.Setup.CanvasHeight = c.height;
        SWFMakeCore mk;
        const std::string movie = BuildPreviewMovie(mk, doc);
        BitReader frame(Data(movie) + 8, movie.size() - 8);
        ASSERT_EQ(frame.readUB(5), 16u);
        std::vector<std::int32_t> rect;
        for (int k = 0; k < 4; ++k) rect.push_back(frame.readSB(16));
        EXPECT_EQ(rect, std::vector<std::int32_t>({0, c.xMax, 0, c.yMax})) << c.width;
        ShapeDefinition shape;
        ReadPaths(WalkTags(movie)[0].Body, shape);
        EXPECT_EQ(shape.Bounds.Xmax, c.width * 20);  // 24-bit bounds hold what the frame cannot
    }
}

TEST(Movie, EveryFillTypeParsesBackToItsAnchors) {
    DrawCore doc;
    for (int fill = 0; fill <= 4; ++fill) {
        PathShape p = Square(fill * 200, 100, 150, fill);
        p.LineOn = static_cast<std::int16_t>(fill % 2);
        p.LineWidth = 40 + fill;
        p.GradX = 1000 + fill;
        p.GradY = -500;
        p.GradScale = 0.25f;
        p.GradAngle = 30.0f;
        doc.AppendPath(p);
    }
    doc.AppendPath(Styled(MakePath({{5, 5, 0}}, true), 1));  // a single anchor is not exported
    SWFMakeCore mk;
    const std::string movie = BuildPreviewMovie(mk, doc);
    const std::vector<MovieTag> tags = WalkTags(movie);
    ASSERT_EQ(tags.size(), 4u);
    const int codes[] = {32, 26, 1, 0};
    for (std::size_t k = 0; k < 4; ++k) EXPECT_EQ(tags[k].Code, codes[k]);

    ShapeDefinition shape;
    const std::vector<PathRecords> paths = ReadPaths(tags[0].Body, shape);
    EXPECT_TRUE(shape.StyleSets[0].Fills.empty() && shape.StyleSets[0].Lines.empty());
    ASSERT_EQ(paths.size(), 5u);
    for (int fill = 0; fill <= 4; ++fill) {
        SCOPED_TRACE(fill);
        const PathShape& src = doc.Paths[static_cast<std::size_t>(fill) + 1];
        const PathRecords& got = paths[static_cast<std::size_t>(fill)];
        EXPECT_EQ(got.Fill0, fill == 0 ? 0u : 1u);
        ASSERT_EQ(got.Styles->Fills.size(), fill == 0 ? 0u : 1u);
        using Stops = std::vector<GradientStop>;
        const SwfColor c1 = Swf(src.FillColor), c2 = Swf(src.FillColor2);
        const Stops stops[] = {{}, {}, {{0, c1}, {255, c2}}, {{0, c1}, {128, c2}, {255, c1}}, {{0, c1}, {255, c2}}};
        const int types[] = {0, 0x00, 0x10, 0x10, 0x12};
        if (fill >= 1) {
            const FillStyle& f = got.Styles->Fills[0];
            EXPECT_EQ(f.Type, types[fill]);
            EXPECT_EQ(f.Color, fill == 1 ? c1 : SwfColor{});
            EXPECT_EQ(f.Stops, stops[fill]);
            if (fill >= 2) {
                EXPECT_EQ(std::make_pair(f.Matrix.TranslateX, f.Matrix.TranslateY), std::make_pair(src.GradX, -500));
                EXPECT_NEAR(f.Matrix.ScaleX, 0.25 * std::cos(3.14159265358979 / 6), 1e-4);
                EXPECT_NEAR(f.Matrix.RotateSkew0, 0.125, 1e-4);
                EXPECT_NEAR(f.Matrix.RotateSkew1, -0.125, 1e-4);
            }
        }
        const std::vector<LineStyle> lines =
            fill % 2 ? std::vector<LineStyle>{{static_cast<std::uint16_t>(40 + fill), Swf(src.LineColor)}}
                     : std::vector<LineStyle>{};
        EXPECT_EQ(got.Styles->Lines, lines);
        EXPECT_EQ(got.Line, fill % 2 ? 1u : 0u);
        auto corners = Coords(src);
        corners.push_back(corners[0]);
        EXPECT_EQ(got.Points, corners);
    }
}

TEST(Movie, PlacementCarriesOffsetScaleAndOpacity) {
    SWFMakeCore mk;
    WriteMovieHeader(mk, 6, 100, 100, 12.0f);
    PlaceCharacter(mk, 3, 200, 400, 0.5f, 0.5f, 0.0, 0, 128, UnderlayBackDepth);
    WriteEnd(mk);
    const std::string movie = TakeMovieBytes(mk);
    const std::vector<MovieTag> tags = WalkTags(movie);
    ASSERT_EQ(tags.size(), 2u);
    EXPECT_EQ(tags[0].Body.size(), 41u);  // 24-bit scale and rotation, 23-bit translation, 15-bit transform
    const Placement& p = ReadMovie(Data(movie), movie.size()).DisplayList.at(258);
    EXPECT_EQ(p.CharacterId, 3);
    EXPECT_EQ(p.Matrix, (SwfMatrix{0.5, 0.5, 0, 0, 200, 400}));
    EXPECT_EQ(p.ColorTransform, (SwfColorTransform{{256, 256, 256, 128}, {0, 0, 0, 0}}));
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

    doc.TempMoviePath = (dir.Path / "missing/_canvtemp.tmp").string();
    EXPECT_FALSE(RebuildPreview(mk, doc, error));
    EXPECT_FALSE(error.empty());
}
