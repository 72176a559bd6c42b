#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QTemporaryDir>
#include <filesystem>
#include <sys/stat.h>
#include <turbojpeg.h>

#include "core/DocumentFile.h"
#include "core/FileBytes.h"
#include "swf/ImageInfo.h"
#include "swf/JpegBytes.h"
#include "swf/JpegImage.h"
#include "swf/MovieAssembly.h"
#include "swf/MovieReader.h"
#include "swf/Preview.h"
#include "swf/SwfPlayer.h"
#include "swf/Underlay.h"
#include "tests/TestPaths.h"

namespace {
// A w x h picture, top half red and bottom half blue, as a BMP or (re-encoded) a JPEG.
std::string Picture(int w, int h, bool jpeg) {
    QImage img(w, h, QImage::Format_RGB888);
    img.fill(Qt::blue);
    for (int y = 0; y < h / 2; ++y)
        for (int x = 0; x < w; ++x) img.setPixel(x, y, qRgb(255, 0, 0));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    std::string error;
    if (!img.save(&buffer, "BMP")) return {};
    return jpeg ? LoadJpegBytes(bytes.toStdString(), 95, error) : bytes.toStdString();
}

// The same picture as a CMYK JPEG, as print programs store it: inverted, 255 meaning no ink.
std::string CmykPicture(int w, int h) {
    std::vector<std::uint8_t> cmyk;
    for (int i = 0; i < w * h; ++i) cmyk.insert(cmyk.end(), {std::uint8_t(i < w * h / 2 ? 255 : 0), 0, std::uint8_t(i < w * h / 2 ? 0 : 255), 255});
    unsigned char* out = nullptr;
    unsigned long size = 0;
    const std::unique_ptr<void, int (*)(tjhandle)> handle(tjInitCompress(), tjDestroy);
    EXPECT_EQ(tjCompress2(handle.get(), cmyk.data(), w, 0, h, TJPF_CMYK, &out, &size, TJSAMP_444, 95, 0), 0);
    const std::string jpeg(reinterpret_cast<const char*>(out), size);
    tjFree(out);
    return jpeg;
}

// A 2 x 2 BMP whose header states w x h pixels.
std::string BmpClaiming(std::uint32_t w, std::uint32_t h) {
    std::string b = Picture(2, 2, false);
    for (int k = 0; k < 4; ++k) b[18 + k] = char(w >> 8 * k), b[22 + k] = char(h >> 8 * k);
    return b;
}

struct Underlay : ::testing::Test {
    QTemporaryDir dir;
    SWFMakeCore mk;
    DrawCore doc;
    Underlay() {
        mk.ShowUnderlay = true;
        doc.Setup.UnderlayShow = 1;
        doc.Setup.UnderlayX = 10;
        doc.Setup.UnderlayY = 20;
    }
    std::string File(const std::string& name, const std::string& bytes) {
        const std::string path = dir.filePath(QString::fromStdString(name)).toStdString();
        EXPECT_TRUE(WriteFileReplacing(path, bytes));
        return path;
    }
    // The cache as a version-6 movie of its own, and read back.
    std::string CachedMovieBytes() {
        SWFMakeCore scratch;
        WriteMovieHeader(scratch, 6, 320, 320, 12.0f);
        scratch.MovieBuffer += mk.UnderlayTagCache;
        WriteShowFrame(scratch);
        WriteEnd(scratch);
        return TakeMovieBytes(scratch);
    }
    ParsedMovie CachedMovie() {
        const std::string bytes = CachedMovieBytes();
        return ReadMovie(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
    std::string Build(const std::string& file) {
        doc.Setup.UnderlayFile = file;
        InvalidateUnderlay(mk);
        return PrepareUnderlay(mk, doc);
    }
};
}  // namespace

TEST_F(Underlay, JpegPictureIsBitmapTwoInShapeThreeAtDepth258) {
    const std::string jpeg = Picture(100, 50, true);
    doc.Setup.UnderlayScale = 0.5f;
    EXPECT_EQ(Build(File("pic.JPG", jpeg)), "");
    const std::uint32_t n = static_cast<std::uint32_t>(jpeg.size());
    const std::string head = {'\x7F', '\x05', char((n + 6) & 255), char((n + 6) >> 8), char((n + 6) >> 16), 0, 2, 0,
                              '\xFF', '\xD9', '\xFF', '\xD8'};
    EXPECT_EQ(mk.UnderlayTagCache.substr(0, 12 + n), head + jpeg);
    const ParsedMovie m = CachedMovie();
    ASSERT_TRUE(m.Complete) << m.Reason;
    const ShapeDefinition& shape = *m.Shapes.at(3);
    EXPECT_EQ(std::vector<int>({shape.TagCode, shape.Bounds.Xmin, shape.Bounds.Xmax, shape.Bounds.Ymin, shape.Bounds.Ymax}),
              std::vector<int>({2, 0, 2000, 0, 1000}));
    const FillStyle& fill = shape.StyleSets[0].Fills.at(0);
    EXPECT_EQ(std::make_tuple(fill.Type, fill.BitmapId, fill.Matrix.ScaleX), std::make_tuple(FillClippedBitmap, 2, 20.0));
    EXPECT_EQ(std::make_pair(shape.Records[0].MoveX, shape.Records[1].DeltaX), std::make_pair(2000, -2000));
    const Placement& place = m.DisplayList.at(UnderlayBackDepth);
    EXPECT_EQ(place.CharacterId, 3);
    EXPECT_EQ(place.Matrix, (SwfMatrix{0.5, 0.5, 0, 0, 200, 400}));
    EXPECT_EQ(place.ColorTransform, (SwfColorTransform{{256, 256, 256, 128}, {0, 0, 0, 0}}));
}

TEST_F(Underlay, DocumentIsCharacterTwoCheck4PutsItInFrontCheck3OffLeavesItOut) {
    std::vector<PathShape> paths(1);
    paths.push_back(Box(0, 0, 400, 400, PackColor(0, 255, 0, 255)));
    File("under.lvd", FormatDocument(CanvasSetup{}, paths));
    doc.Setup.CanvasWidth = 1920;  // its movie header is longer than 21 bytes; none of it is cached
    doc.DocFileName = dir.filePath("drawing.lvd").toStdString();  // a relative name is taken beside it
    EXPECT_EQ(Build("under.lvd"), "");
    ASSERT_EQ(mk.UnderlayPaths.size(), 2u);
    EXPECT_NE(mk.UnderlayPaths[1].ShapeCache, nullptr);
    ASSERT_TRUE(CachedMovie().Complete) << CachedMovie().Reason;
    EXPECT_EQ(CachedMovie().DisplayList.at(UnderlayBackDepth).CharacterId, 2);

    mk.UnderlayInFront = true;
    Build("under.lvd");
    const ParsedMovie m = CachedMovie();
    EXPECT_EQ(m.DisplayList.count(UnderlayBackDepth), 0u);
    EXPECT_EQ(m.DisplayList.at(UnderlayFrontDepth).CharacterId, 2);

    // With the underlay switched off the cache is kept for when it comes back.
    const std::string cached = mk.UnderlayTagCache;
    mk.ShowUnderlay = false;
    EXPECT_EQ(PrepareUnderlay(mk, doc), "");
    EXPECT_EQ(mk.UnderlayTagCache, cached);
}

TEST_F(Underlay, BmpAndCmykJpegAreEncodedAnewAndThePlayerShowsThemUprightUnsmoothedHalfTransparent) {
    // 40 x 20 pixels scaled 4 from (10, 20): 160 x 80 px, the top 40 rows red.
    doc.Setup.UnderlayScale = 4;
    for (const auto& [name, bytes] : {std::pair{"pic.bmp", Picture(40, 20, false)}, {"cmyk.jpg", CmykPicture(40, 20)}}) {
        EXPECT_EQ(Build(File(name, bytes)), "") << name;
        EXPECT_FALSE(IsCmykJpeg(CachedMovie().Bitmaps.at(2)->Jpeg)) << name;
        SwfPlayer player;
        player.Movie = File("movie.swf", CachedMovieBytes());
        player.Quality2 = "high";
        const QImage& img = player.Render(320, 320);
        EXPECT_EQ(player.Reason(), "");
        const auto near = [&img](int x, int y, QColor want) {
            const QColor c = img.pixelColor(x, y);
            return std::abs(c.red() - want.red()) <= 8 && std::abs(c.green() - want.green()) <= 8 &&
                   std::abs(c.blue() - want.blue()) <= 8;
        };
        const QColor halfRed(255, 128, 128), halfBlue(128, 128, 255);
        EXPECT_TRUE(near(100, 30, halfRed) && near(169, 30, halfRed) && near(100, 90, halfBlue)) << name;
        EXPECT_TRUE(near(9, 30, Qt::white) && near(170, 30, Qt::white) && near(100, 100, Qt::white)) << name;
        // Not smoothed in a version-6 movie: the four pixel rows of one picture row are alike.
        EXPECT_EQ(img.pixel(100, 56), img.pixel(100, 59)) << name;
    }

    // The same stream claiming 8000 x 8000 pixels is refused without decoding.
    std::vector<std::uint8_t> forged = CachedMovie().Bitmaps.at(2)->Jpeg;
    for (std::size_t i = 0; i + 8 < forged.size(); ++i)
        if (forged[i] == 0xFF && forged[i + 1] == 0xC0) {
            forged[i + 5] = forged[i + 7] = 0x1F;
            forged[i + 6] = forged[i + 8] = 0x40;
            break;
        }
    std::string why;
    EXPECT_TRUE(DecodeJpeg(forged, why).isNull());
    EXPECT_NE(why.find("too large"), std::string::npos) << why;
}

TEST_F(Underlay, UnusableFilesGiveNoUnderlayAndNeverHang) {
    std::vector<PathShape> none(1);
    const std::string fifo = dir.filePath("pipe.bmp").toStdString();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string zero = dir.filePath("zero.jpg").toStdString();
    std::filesystem::create_symlink("/dev/zero", zero);
    for (const std::string& file : {dir.filePath("missing.jpg").toStdString(), File("pic.png", Picture(8, 8, true)),
                                    File("empty.lvd", FormatDocument(CanvasSetup{}, none)),
                                    File("bad.lvd", "LVD999\r\n"), fifo, zero}) {
        EXPECT_EQ(Build(file), "") << file;
        EXPECT_EQ(mk.UnderlayTagCache.size(), 1u) << file;
    }
    // A picture that cannot be used keeps its shape and placement without a
    // bitmap, and says why; a huge stated size is refused before decoding.
    const std::pair<std::string, std::string> pictures[] = {
        {std::string("GIF89a\x10\x00\x08\x00\x00\x00\x00", 13), "not a BMP or JPEG picture"},
        {std::string("\xFF\xD8\xFF\xC0\0\x0B\x08\0\x10\0\x10\x01\x01\x11\0", 15), "bad JPEG header"},
        {BmpClaiming(6647914, 5), "BMP picture too large (6647914x5)"},
        {BmpClaiming(2000, 2000), "BMP picture too large (2000x2000)"},
        {BmpClaiming(0, 5), "bad BMP header"},
    };
    for (const auto& [bytes, why] : pictures) {
        const std::string file = File("pic.jpg", bytes);
        EXPECT_EQ(Build(file).rfind("cannot use the underlay picture " + file + ": " + why, 0), 0u) << why;
        const ParsedMovie m = CachedMovie();
        EXPECT_EQ(m.Bitmaps.size(), 0u) << why;
        EXPECT_EQ(m.DisplayList.at(UnderlayBackDepth).CharacterId, 3) << why;
    }
}

TEST(ImageInfo, KindAndSizeFromTheHeaderWithinTheBytes) {
    auto bytes = [](std::initializer_list<int> v) { return std::string(v.begin(), v.end()); };
    std::string bmp = "BM" + std::string(52, '\0');
    bmp.replace(18, 8, bytes({0x40, 1, 0, 0, 0xF6, 0xFF, 0xFF, 0xFF}));  // 320 x -10: top-down
    const std::string jpeg = bytes({0xFF, 0xD8, 0xFF, 0xE0, 0, 4, 0, 0}), sof = bytes({0xFF, 0xC0, 0, 17, 8, 0, 50, 0, 100});
    const std::pair<std::string, std::vector<int>> cases[] = {
        {bmp, {1, 320, 10, 0}},
        {"GIF89a" + bytes({16, 0, 8, 0, 0xF3}), {2, 16, 8, 4}},
        {jpeg + sof, {3, 100, 50, 24}},
        {jpeg + sof.substr(0, 7), {0, 0, 0, 0}},                                     // frame header cut short
        {bytes({0xFF, 0xD8, 0xFF, 0xE0, 0xFF, 0xFF}) + sof, {0, 0, 0, 0}},            // segment past the end
        {"\x89PNG" + std::string(12, '\0') + bytes({0, 0, 1, 0, 0, 0, 0, 9}), {4, 256, 9, 0}},
        {"BM", {1, 0, 0, 0}},
    };
    for (const auto& [data, want] : cases) {
        const ImageInfo got = GetImageInfo(data);
        EXPECT_EQ(std::vector<int>({got.Kind, got.Width, got.Height, got.BitsPerPixel}), want) << data.size();
    }
}

TEST(JpegBytes, EncoderFailureIsSaidInWords) {
    std::string jpeg, error;
    EXPECT_FALSE(SaveJPG(DibSection{}, 90, jpeg, error));
    EXPECT_EQ(error.rfind("Failed to save to JPG ", 0), 0u) << error;
}
