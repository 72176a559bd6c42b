#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "ShapeTestPaths.h"
#include "SwfTestReader.h"
#include "core/FileBytes.h"
#include "swf/MovieAssembly.h"
#include "swf/Preview.h"

namespace fs = std::filesystem;

namespace {
constexpr char kEmptyMovie[] =
    "465753066100000080" "0000C8000000C800" "000C0100"           // header
    "3F0813000000" "0100" "C000000000C80000000000C800" "00000000"  // DefineShape3
    "BF0629000000" "0E" "0301" "0100"                             // PlaceObject2
    "E00400000400038000000000000B800000000000"                    //   identity matrix
    "FC0800100020003FC000000000000000"                            //   colour transform
    "4000" "0000";                                                // ShowFrame, End

std::uint32_t Rgba(std::int32_t packed) {
    return (static_cast<std::uint32_t>(ColorByte(packed, 0)) << 24) | (ColorByte(packed, 1) << 16) |
           (ColorByte(packed, 2) << 8) | ColorByte(packed, 3);
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

    const SwfMovie decoded = DecodeMovie(movie);
    EXPECT_EQ(decoded.Error, "");
    EXPECT_EQ(decoded.FileLength, 97u);
    EXPECT_EQ(decoded.FrameCount, 1u);
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
        const SwfMovie m = DecodeMovie(BuildPreviewMovie(mk, doc));
        ASSERT_EQ(m.Error, "");
        EXPECT_EQ(m.FrameSize.NBits, 16);
        EXPECT_EQ(static_cast<std::uint16_t>(m.FrameSize.XMax), c.xMax) << c.width;
        EXPECT_EQ(m.FrameSize.YMax, c.yMax) << c.height;
        EXPECT_EQ(m.FrameRate, 12u * 256);
        const SwfShape shape = DecodeShape3(m.Tags[0].Body);
        EXPECT_EQ(shape.Bounds.NBits, 24);
        EXPECT_EQ(shape.Bounds.XMax, c.width * 20);  // 24-bit bounds hold what the frame cannot
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
    doc.AppendPath(MakePath({{10, 10, 0}, {60, 90, 1}, {110, 10, 1}, {160, 10, 0}}, false, 2));
    doc.AppendPath(MakePath({{5, 5, 0}}, true, 1));  // a single anchor is not exported
    doc.AppendPath(MakePath({{0, 0, 1}, {400, 0, 1}, {400, 400, 1}, {0, 400, 1}}, true, 1));
    SWFMakeCore mk;
    const SwfMovie m = DecodeMovie(BuildPreviewMovie(mk, doc));
    ASSERT_EQ(m.Error, "");
    ASSERT_EQ(m.Tags.size(), 4u);
    const int codes[] = {32, 26, 1, 0};
    for (std::size_t k = 0; k < 4; ++k) EXPECT_EQ(m.Tags[k].Code, codes[k]);

    const SwfShape shape = DecodeShape3(m.Tags[0].Body);
    ASSERT_EQ(shape.Error, "");
    EXPECT_EQ(shape.Id, 1);
    ASSERT_EQ(shape.Paths.size(), 7u);
    for (int fill = 0; fill <= 4; ++fill) {
        SCOPED_TRACE(fill);
        const PathShape& src = doc.Paths[static_cast<std::size_t>(fill) + 1];
        const SwfPathRecords& got = shape.Paths[static_cast<std::size_t>(fill)];
        EXPECT_EQ(got.FillStyle0, fill == 0 ? 0u : 1u);
        ASSERT_EQ(got.Fills.size(), fill == 0 ? 0u : 1u);
        using Stops = std::vector<std::pair<int, std::uint32_t>>;
        const auto c1 = Rgba(src.FillColor), c2 = Rgba(src.FillColor2);
        const Stops stops[] = {{}, {}, {{0, c1}, {255, c2}}, {{0, c1}, {128, c2}, {255, c1}}, {{0, c1}, {255, c2}}};
        const int types[] = {0, 0x00, 0x10, 0x10, 0x12};
        if (fill >= 1) {
            const SwfFillStyle& f = got.Fills[0];
            EXPECT_EQ(f.Type, types[fill]);
            EXPECT_EQ(f.Color, fill == 1 ? c1 : 0u);
            EXPECT_EQ(f.Gradient, stops[fill]);
            if (fill >= 2) {
                EXPECT_EQ(f.Matrix.TranslateX, src.GradX);
                EXPECT_EQ(f.Matrix.TranslateY, -500);
                EXPECT_NEAR(f.Matrix.ScaleX, 0.25 * std::cos(3.14159265358979 / 6), 1e-4);
                EXPECT_NEAR(f.Matrix.Skew0, 0.125, 1e-4);
                EXPECT_NEAR(f.Matrix.Skew1, -0.125, 1e-4);
            }
        }
        using Lines = std::vector<std::pair<std::uint32_t, std::uint32_t>>;
        const Lines lines = fill % 2 ? Lines{{40u + fill, Rgba(src.LineColor)}} : Lines{};
        EXPECT_EQ(got.Lines, lines);
        EXPECT_EQ(got.StartX, src.Anchors[0].X);
        EXPECT_EQ(got.StartY, src.Anchors[0].Y);
        ASSERT_EQ(got.Edges.size(), 4u);
        for (std::size_t k = 0; k < 4; ++k) {
            const AnchorPoint& a = src.Anchors[(k + 1) % 4];
            EXPECT_FALSE(got.Edges[k].Curved);
            EXPECT_EQ(got.Edges[k].NumBits, 17);
            EXPECT_EQ(std::make_pair(got.Edges[k].X, got.Edges[k].Y), std::make_pair(a.X, a.Y));
        }
    }
    // The open path: outlined, unfilled, curving through the control points,
    // then a zero-length straight edge onto its last anchor.
    const SwfPathRecords& open = shape.Paths[5];
    EXPECT_TRUE(open.Fills.empty());
    EXPECT_EQ(open.Lines.size(), 1u);
    ASSERT_EQ(open.Edges.size(), 3u);
    EXPECT_TRUE(open.Edges[0].Curved);
    EXPECT_EQ(open.Edges[0].ControlX, 60);
    EXPECT_EQ(std::make_pair(open.Edges[0].X, open.Edges[0].Y), std::make_pair(85, 50));
    EXPECT_EQ(open.Edges[1].ControlX, 110);
    EXPECT_EQ(open.Edges[1].X, 160);
    EXPECT_FALSE(open.Edges[2].Curved);
    EXPECT_EQ(open.Edges[2].X, 160);
    // All control points: a closed loop of curves through the midpoints.
    const SwfPathRecords& round = shape.Paths[6];
    EXPECT_EQ(std::make_pair(round.StartX, round.StartY), std::make_pair(200, 0));
    ASSERT_EQ(round.Edges.size(), 4u);
    EXPECT_EQ(std::make_pair(round.Edges[3].X, round.Edges[3].Y), std::make_pair(200, 0));
    EXPECT_EQ(round.Edges[0].ControlX, 400);
    EXPECT_EQ(std::make_pair(round.Edges[0].X, round.Edges[0].Y), std::make_pair(400, 200));

    const SwfPlace place = DecodePlace2(m.Tags[1].Body);
    EXPECT_TRUE(place.UsedWholeBody);
    EXPECT_EQ(place.Flags, 0x0E);
    EXPECT_EQ(place.Depth, 259);
    EXPECT_EQ(place.CharacterId, 1);
    EXPECT_EQ(place.Mult[3], 255);
}

TEST(Movie, PlacementCarriesOffsetScaleAndOpacity) {
    SWFMakeCore mk;
    WriteMovieHeader(mk, 6, 100, 100, 12.0f);
    PlaceCharacter(mk, 3, 200, 400, 0.5f, 0.5f, 0.0, 0, 128, UnderlayBackDepth);
    WriteEnd(mk);
    const SwfMovie m = DecodeMovie(TakeMovieBytes(mk));
    ASSERT_EQ(m.Error, "");
    EXPECT_EQ(m.FrameCount, 0u);
    const SwfPlace p = DecodePlace2(m.Tags[0].Body);
    EXPECT_TRUE(p.UsedWholeBody);
    EXPECT_EQ(m.Tags[0].Body.size(), 41u);
    EXPECT_EQ(p.CharacterId, 3);
    EXPECT_EQ(p.Depth, 258);
    EXPECT_EQ(p.Matrix.ScaleBits + p.Matrix.RotateBits + p.Matrix.TranslateBits, 24 + 24 + 23);
    EXPECT_EQ(p.Matrix.ScaleX, 0.5);
    EXPECT_EQ(std::make_pair(p.Matrix.TranslateX, p.Matrix.TranslateY), std::make_pair(200, 400));
    EXPECT_EQ(p.CxformBits, 15);
    EXPECT_EQ(p.Mult[0], 256);
    EXPECT_EQ(p.Mult[3], 128);
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
        EXPECT_EQ(DecodeMovie(movie).Error, "");
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
