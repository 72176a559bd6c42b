#include "swf/Preview.h"

#include "swf/MovieAssembly.h"
#include "swf/ShapeExport.h"

namespace {
constexpr std::uint8_t kMovieVersion = 6;
constexpr float kFrameRate = 12.0f;
constexpr std::uint16_t kDrawingCharacter = 1;
constexpr std::int32_t kDrawingAlpha = 255;

bool UnderlayShown(const SWFMakeCore& mk, const CanvasSetup& setup) {
    return mk.ShowUnderlay && setup.UnderlayShow == 1 && mk.UnderlayTagCache.size() > 1;
}

// Header through End, left in mk.MovieBuffer.
void AssemblePreview(SWFMakeCore& mk, DrawCore& doc) {
    const CanvasSetup& setup = doc.Setup;
    WriteMovieHeader(mk, kMovieVersion, setup.CanvasWidth, setup.CanvasHeight, kFrameRate);
    if (UnderlayShown(mk, setup)) mk.MovieBuffer += mk.UnderlayTagCache;
    DefineDrawingShape(mk, kDrawingCharacter, doc.Paths, setup.CanvasWidth, setup.CanvasHeight);
    PlaceCharacter(mk, kDrawingCharacter, 0, 0, 1.0f, 1.0f, 0.0, 0, kDrawingAlpha, DrawingDepth);
    WriteShowFrame(mk);
    WriteEnd(mk);
}
}  // namespace

std::string BuildPreviewMovie(SWFMakeCore& mk, DrawCore& doc) {
    AssemblePreview(mk, doc);
    return TakeMovieBytes(mk);
}

bool RebuildPreview(SWFMakeCore& mk, DrawCore& doc, std::string& error) {
    AssemblePreview(mk, doc);
    const bool written = WriteMovieFile(mk, doc.TempMoviePath);
    mk.BackgroundColor = BackgroundColorOf(doc.Setup);
    // A quality the player has no name for leaves the player's setting as it was.
    if (const std::string quality = QualityName(doc.Setup.Quality); !quality.empty()) mk.Quality2 = quality;
    error = written ? std::string() : "プレビューファイル [" + doc.TempMoviePath + "] を書き込めませんでした。";
    return written;
}

void InvalidateUnderlay(SWFMakeCore& mk) { mk.UnderlayTagCache.assign(1, '\0'); }

std::int32_t BackgroundColorOf(const CanvasSetup& setup) {
    return setup.BackColor[0] * 65536 + setup.BackColor[1] * 256 + setup.BackColor[2];
}

std::string QualityName(std::int16_t quality) {
    static const char* const kNames[] = {"low", "medium", "high", "best"};
    if (quality < 0 || quality > 3) return {};
    return kNames[quality];
}
