#include "swf/Underlay.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "core/DocumentFile.h"
#include "core/FileBytes.h"
#include "core/PathNames.h"
#include "swf/BitmapTags.h"
#include "swf/ImageInfo.h"
#include "swf/JpegBytes.h"
#include "swf/MovieAssembly.h"
#include "swf/ShapeExport.h"

namespace {
constexpr std::uint8_t kMovieVersion = 6;
constexpr float kFrameRate = 12.0f;

std::string LowerExt(const std::string& path) {
    std::string ext = GetFileExt(path);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext;
}

void PlaceUnderlay(SWFMakeCore& mk, std::uint16_t character, const CanvasSetup& setup) {
    const std::uint16_t depth = mk.UnderlayInFront ? UnderlayFrontDepth : UnderlayBackDepth;
    PlaceCharacter(mk, character, std::int64_t{setup.UnderlayX} * 20, std::int64_t{setup.UnderlayY} * 20,
                   setup.UnderlayScale, setup.UnderlayScale, 0.0, 0, setup.UnderlayAlpha, depth);
}

// Keeps the tags after the header as the new cache; the movie buffer is left empty.
void TakeUnderlayTags(SWFMakeCore& mk, const CanvasSetup& setup) {
    std::string movie = TakeMovieBytes(mk);
    mk.UnderlayTagCache = movie.substr(MovieHeaderSize(setup.CanvasWidth, setup.CanvasHeight));
}
}  // namespace

bool ReadUnderlayDocument(SWFMakeCore& mk, const std::string& file) {
    std::string text;
    return !ReadFileBytes(file, text) || !ParseDocumentPaths(text, mk.UnderlayPaths);
}

std::string UnderlayPath(const std::string& underlayFile, const std::string& docFileName) {
    if (underlayFile.empty() || underlayFile.front() == '/' || docFileName.empty()) return underlayFile;
    const std::string folder = GetDirName(docFileName);
    if (folder.empty()) return underlayFile;
    return folder == "/" ? folder + underlayFile : folder + "/" + underlayFile;
}

std::string BuildUnderlay(SWFMakeCore& mk, const CanvasSetup& setup, const std::string& docFileName) {
    mk.UnderlayPaths.assign(1, PathShape{});
    const std::string file = UnderlayPath(setup.UnderlayFile, docFileName);
    std::error_code ec;
    if (file.empty() || !std::filesystem::is_regular_file(file, ec)) return {};
    const std::string ext = LowerExt(file);
    if (ext == "lvd") {
        if (ReadUnderlayDocument(mk, file) || mk.UnderlayPaths.size() < 2) return {};
        WriteMovieHeader(mk, kMovieVersion, setup.CanvasWidth, setup.CanvasHeight, kFrameRate);
        DefineDrawingShape(mk, UnderlayCharacter, mk.UnderlayPaths, setup.CanvasWidth, setup.CanvasHeight);
        PlaceUnderlay(mk, UnderlayCharacter, setup);
        TakeUnderlayTags(mk, setup);
        return {};
    }
    if (ext != "bmp" && ext != "jpg" && ext != "jpeg") return {};
    // A picture that cannot be used keeps its shape and placement without the
    // bitmap, so it is not retried until the settings change; the reason is said once.
    std::string bytes, error, jpeg;
    error = ReadFileOrReason(file, bytes, MaxPictureBytes);
    if (error.empty()) jpeg = LoadJpegBytes(bytes, UnderlayJpegQuality, error);
    const ImageInfo info = GetImageInfo(bytes);
    WriteMovieHeader(mk, kMovieVersion, setup.CanvasWidth, setup.CanvasHeight, kFrameRate);
    DefineBitmap(mk, UnderlayCharacter, jpeg);
    DefineBitmapShape(mk, UnderlayBitmapShape, UnderlayCharacter, info.Width, info.Height);
    PlaceUnderlay(mk, UnderlayBitmapShape, setup);
    TakeUnderlayTags(mk, setup);
    return jpeg.empty() ? "cannot use the underlay picture " + file + ": " + error : std::string();
}

std::string PrepareUnderlay(SWFMakeCore& mk, const DrawCore& doc) {
    if (!mk.ShowUnderlay || doc.Setup.UnderlayShow != 1 || mk.UnderlayTagCache.size() != 1) return {};
    return BuildUnderlay(mk, doc.Setup, doc.DocFileName);
}
