#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
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

struct MovieTag {
    int Code;
    std::string Body;
};

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
    EXPECT_FALSE(r.failed());
    EXPECT_EQ(r.bytesLeft(), 0u);
    EXPECT_TRUE(!tags.empty() && tags.back().Code == 0) << "no End tag";
    return tags;
}

// A path's records in absolute twips: its styles, the move-to and the edges.
struct Edge {
    bool Curved;
    std::int32_t ControlX, ControlY, X, Y;
};
struct PathRecords {
    const StyleSet* Styles = nullptr;
    std::uint32_t Fill0 = 0, Line = 0;
    std::int32_t StartX = 0, StartY = 0;
    std::vector<Edge> Edges;
};

// A DefineShape3 body read back by the movie reader, which must use up the
// body exactly; one entry per style change with new styles.
std::vector<PathRecords> ReadPaths(const std::string& body, ShapeDefinition& shape) {
    BitReader r(Data(body), body.size());
    std::size_t budget = 1 << 20;
    EXPECT_EQ(ReadShape(r, 32, shape, budget), "");
    EXPECT_EQ(r.bytePosition(), body.size());
    EXPECT_EQ(shape.StyleSets[0].Fills.size() + shape.StyleSets[0].Lines.size(), 0u);
    std::vector<PathRecords> paths;
    std::int32_t x = 0, y = 0;
    for (const ShapeRecord& rec : shape.Records) {
        if (rec.HasNewStyles) paths.push_back({&shape.StyleSets[rec.StyleSetIndex], 0, 0, 0, 0, {}});
        if (paths.empty()) return ADD_FAILURE() << "records before any new styles", paths;
        PathRecords& p = paths.back();
        if (rec.Type == ShapeRecordType::StyleChange) {
            if (rec.HasMoveTo) x = p.StartX = rec.MoveX, y = p.StartY = rec.MoveY;
            if (rec.HasFill0) p.Fill0 = rec.Fill0;
            if (rec.HasLine) p.Line = rec.Line;
            continue;
        }
        const bool curved = rec.Type == ShapeRecordType::CurvedEdge;
        const std::int32_t cx = x + rec.ControlX, cy = y + rec.ControlY;
        x = cx + rec.DeltaX;
        y = cy + rec.DeltaY;
        p.Edges.push_back({curved, cx, cy, x, y});
    }
    return paths;
}

class TempDir {
public:
    TempDir() : path_(fs::temp_directory_path() / ("lv_swf_test_" + std::to_string(::getpid()))) {
        fs::create_directories(path_);
    }
    ~TempDir() { fs::remove_all(path_); }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    fs::path path_;
};
}  // namespace

TEST(Movie, EmptyDocumentIs97Bytes) {
    DrawCore doc;
    SWFMakeCore mk;
    const std::string movie = BuildPreviewMovie(mk, doc);
    EXPECT_EQ(HexText(movie), kEmptyMovie);
    EXPECT_EQ(movie.size(), 97u);
    EXPECT_TRUE(mk.MovieBuffer.empty());
    EXPECT_EQ(mk.FrameCounter, 1);
    EXPECT_EQ(WalkTags(movie).size(), 4u);
    const ParsedMovie m = ReadMovie(Data(movie), movie.size());
    EXPECT_EQ(m.Header.FileLength, 97u);
    EXPECT_EQ(m.Header.FrameCount, 1u);
}

TEST(Movie, FrameSizeFollowsTheCanvasAndWrapsPast16Bits) {
    const struct {
        std::int32_t width, height, xMax, yMax;
    } cases[] = {{320, 320, 6400, 6400}, {1638, 1, 32760, 20}, {4000, 200, 80000 - 65536, 4000}};
    for (const auto& c : cases) {
        DrawCore doc;
        doc.Setup.CanvasWidth = c.width;
        doc.Setup.CanvasHeight = c.height;
        SWFMakeCore mk;
        const std::string movie = BuildPreviewMovie(mk, doc);
        BitReader frame(Data(movie) + 8, movie.size() - 8);
        ASSERT_EQ(frame.readUB(5), 16u);
        const std::int32_t xMin = frame.readSB(16), xMax = frame.readSB(16), yMin = frame.readSB(16);
        EXPECT_EQ(std::vector<std::int32_t>({xMin, xMax, yMin, frame.readSB(16)}),
                  std::vector<std::int32_t>({0, c.xMax, 0, c.yMax})) << c.width;
        EXPECT_EQ(ReadMovie(Data(movie), movie.size()).Header.FrameRate, 12.0);
        const std::string body = WalkTags(movie)[0].Body;
        ShapeDefinition shape;
        ReadPaths(body, shape);
        EXPECT_EQ(static_cast<std::uint8_t>(body[2]) >> 3, 24);
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
    doc.AppendPath(Styled(MakePath({{10, 10, 0}, {60, 90, 1}, {110, 10, 1}, {160, 10, 0}}), 2));
    doc.AppendPath(Styled(MakePath({{5, 5, 0}}, true), 1));  // a single anchor is not exported
    doc.AppendPath(Styled(MakePath({{0, 0, 1}, {400, 0, 1}, {400, 400, 1}, {0, 400, 1}}, true), 1));
    SWFMakeCore mk;
    const std::string movie = BuildPreviewMovie(mk, doc);
    const std::vector<MovieTag> tags = WalkTags(movie);
    ASSERT_EQ(tags.size(), 4u);
    const int codes[] = {32, 26, 1, 0};
    for (std::size_t k = 0; k < 4; ++k) EXPECT_EQ(tags[k].Code, codes[k]);

    ShapeDefinition shape;
    const std::vector<PathRecords> paths = ReadPaths(tags[0].Body, shape);
    EXPECT_EQ(shape.Id, 1);
    ASSERT_EQ(paths.size(), 7u);
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
                EXPECT_EQ(f.Matrix.TranslateX, src.GradX);
                EXPECT_EQ(f.Matrix.TranslateY, -500);
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
        EXPECT_EQ(got.StartX, src.Anchors[0].X);
        EXPECT_EQ(got.StartY, src.Anchors[0].Y);
        ASSERT_EQ(got.Edges.size(), 4u);
        for (std::size_t k = 0; k < 4; ++k) {
            const AnchorPoint& a = src.Anchors[(k + 1) % 4];
            EXPECT_FALSE(got.Edges[k].Curved);
            EXPECT_EQ(std::make_pair(got.Edges[k].X, got.Edges[k].Y), std::make_pair(a.X, a.Y));
        }
    }
    // The open path: outlined, unfilled, curving through the control points,
    // then a zero-length straight edge onto its last anchor.
    const PathRecords& open = paths[5];
    EXPECT_TRUE(open.Styles->Fills.empty());
    EXPECT_EQ(open.Styles->Lines.size(), 1u);
    ASSERT_EQ(open.Edges.size(), 3u);
    EXPECT_TRUE(open.Edges[0].Curved);
    EXPECT_EQ(open.Edges[0].ControlX, 60);
    EXPECT_EQ(std::make_pair(open.Edges[0].X, open.Edges[0].Y), std::make_pair(85, 50));
    EXPECT_EQ(open.Edges[1].ControlX, 110);
    EXPECT_EQ(open.Edges[1].X, 160);
    EXPECT_FALSE(open.Edges[2].Curved);
    EXPECT_EQ(open.Edges[2].X, 160);
    // All control points: a closed loop of curves through the midpoints.
    const PathRecords& round = paths[6];
    EXPECT_EQ(std::make_pair(round.StartX, round.StartY), std::make_pair(200, 0));
    ASSERT_EQ(round.Edges.size(), 4u);
    EXPECT_EQ(std::make_pair(round.Edges[3].X, round.Edges[3].Y), std::make_pair(200, 0));
    EXPECT_EQ(round.Edges[0].ControlX, 400);
    EXPECT_EQ(std::make_pair(round.Edges[0].X, round.Edges[0].Y), std::make_pair(400, 200));

    EXPECT_EQ(tags[1].Body.substr(0, 5), std::string("\x0E\x03\x01\x01\x00", 5));  // flags, depth 259, id 1
    const ParsedMovie m = ReadMovie(Data(movie), movie.size());
    ASSERT_TRUE(m.Complete) << m.Reason;
    EXPECT_EQ(m.DisplayList.at(259).CharacterId, 1);
    EXPECT_EQ(m.DisplayList.at(259).ColorTransform.Mult[3], 255);
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
    const ParsedMovie m = ReadMovie(Data(movie), movie.size());
    EXPECT_EQ(m.Header.FrameCount, 0u);
    const Placement& p = m.DisplayList.at(258);
    EXPECT_EQ(p.CharacterId, 3);
    EXPECT_EQ(p.Matrix, (SwfMatrix{0.5, 0.5, 0, 0, 200, 400}));
    EXPECT_EQ(p.ColorTransform, (SwfColorTransform{{256, 256, 256, 128}, {0, 0, 0, 0}}));
}

TEST(Movie, UnderlayTagsAreCopiedOnlyWhenShownAndCached) {
    const struct {
        bool check;
        std::int16_t show;
        bool cached;
        bool expected;
    } cases[] = {{true, 1, true, true}, {false, 1, true, false}, {true, 0, true, false}, {true, 1, false, false}};
    for (const auto& c : cases) {
        DrawCore doc;
        SWFMakeCore mk;
        mk.ShowUnderlay = c.check;
        doc.Setup.UnderlayShow = c.show;
        mk.UnderlayTagCache = std::string("\x3F\x01", 2) + std::string(4, '\0') + "\x3F\x01" + std::string(4, '\0');
        if (!c.cached) InvalidateUnderlay(mk);
        const std::string movie = BuildPreviewMovie(mk, doc);
        EXPECT_EQ(movie.size(), c.expected ? 97u + 12u : 97u);
        if (c.expected) {
            EXPECT_EQ(HexText(movie.substr(21, 12)), "3F0100000000" "3F0100000000");
        }
        WalkTags(movie);
        EXPECT_EQ(mk.UnderlayTagCache.size(), c.cached ? 12u : 1u);  // the cache itself is untouched
    }
}

TEST(Movie, RebuildWritesTheFileAndSetsPlayerProperties) {
    TempDir dir;
    DrawCore doc;
    doc.AppendPath(Square(0, 0, 500));
    doc.TempMoviePath = dir.File("_canvtemp.tmp");
    doc.Setup.BackColor[0] = 255;
    doc.Setup.BackColor[1] = 0;
    doc.Setup.BackColor[2] = 0;
    SWFMakeCore mk;
    std::string error = "stale";
    ASSERT_TRUE(RebuildPreview(mk, doc, error));
    EXPECT_EQ(error, "");
    EXPECT_EQ(mk.BackgroundColor, 16711680);
    EXPECT_EQ(mk.Quality2, "high");
    std::string written;
    ASSERT_TRUE(ReadFileBytes(doc.TempMoviePath, written));
    SWFMakeCore again;
    EXPECT_EQ(written, BuildPreviewMovie(again, doc));
    EXPECT_TRUE(mk.MovieBuffer.empty());

    const struct {
        std::int16_t quality;
        const char* name;
    } qualities[] = {{0, "low"}, {1, "medium"}, {3, "best"}, {7, "best"}, {-1, "best"}, {2, "high"}};
    for (const auto& q : qualities) {
        doc.Setup.Quality = q.quality;
        ASSERT_TRUE(RebuildPreview(mk, doc, error));
        EXPECT_EQ(mk.Quality2, q.name) << q.quality;  // an unknown quality keeps the last one
    }
}

TEST(Movie, UnwritablePreviewKeepsThePreviousFile) {
    TempDir dir;
    DrawCore doc;
    doc.TempMoviePath = dir.File("_canvtemp.tmp");
    SWFMakeCore mk;
    std::string error;
    ASSERT_TRUE(RebuildPreview(mk, doc, error));
    std::string before;
    ASSERT_TRUE(ReadFileBytes(doc.TempMoviePath, before));

    fs::create_directory(doc.TempMoviePath + ".part");  // the temporary file cannot be created
    doc.AppendPath(Square(0, 0, 500));
    EXPECT_FALSE(RebuildPreview(mk, doc, error));
    EXPECT_NE(error.find(doc.TempMoviePath), std::string::npos);
    EXPECT_TRUE(mk.MovieBuffer.empty());
    std::string after;
    ASSERT_TRUE(ReadFileBytes(doc.TempMoviePath, after));
    EXPECT_EQ(after, before);

    doc.TempMoviePath = dir.File("missing/_canvtemp.tmp");
    EXPECT_FALSE(RebuildPreview(mk, doc, error));
    EXPECT_FALSE(error.empty());
}
