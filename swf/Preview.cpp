#include "swf/Preview.h"

#include "core/FileBytes.h"
#include "swf/MovieAssembly.h"
#include "swf/ShapeExport.h"

namespace {
constexpr std::uint8_t kMovieVersion = 6;
constexpr float kFrameRate = 12.0f;
constexpr std::uint16_t kDrawingCharacter = 1;
constexpr std::int32_t kDrawingAlpha = 255;

PreviewFrame FrameOf(const SWFMakeCore& mk, const CanvasSetup& setup) {
    const bool underlay = mk.ShowUnderlay && setup.UnderlayShow == 1 && mk.UnderlayTagCache.size() > 1;
    return {setup.CanvasWidth, setup.CanvasHeight, underlay ? std::string_view(mk.UnderlayTagCache) : std::string_view()};
}

// Header through End, kept in mk.LastPreview with the spans of its paths.
void AssemblePreview(SWFMakeCore& mk, DrawCore& doc, const PreviewFrame& frame) {
    WriteMovieHeader(mk, kMovieVersion, frame.CanvasWidth, frame.CanvasHeight, kFrameRate);
    mk.MovieBuffer += frame.Underlay;
    std::vector<std::size_t> styleStarts;
    DefineDrawingShape(mk, kDrawingCharacter, doc.Paths, frame.CanvasWidth, frame.CanvasHeight, &styleStarts);
    const std::size_t shapeEnd = mk.MovieBuffer.size();
    PlaceCharacter(mk, kDrawingCharacter, 0, 0, 1.0f, 1.0f, 0.0, 0, kDrawingAlpha, DrawingDepth);
    WriteShowFrame(mk);
    WriteEnd(mk);
    // The previous movie's storage becomes the next build's buffer.
    std::string previous = std::move(mk.LastPreview.Movie);
    KeepAssembledMovie(mk.LastPreview, TakeMovieBytes(mk), frame, doc.Paths, styleStarts, shapeEnd);
    mk.MovieBuffer = std::move(previous);
    mk.MovieBuffer.clear();
}
}  // namespace

const std::string& UpdatePreviewMovie(SWFMakeCore& mk, DrawCore& doc) {
    const PreviewFrame frame = FrameOf(mk, doc.Setup);
    if (!SplicePaths(mk.LastPreview, frame, doc.Paths)) AssemblePreview(mk, doc, frame);
    return mk.LastPreview.Movie;
}

std::string BuildPreviewMovie(SWFMakeCore& mk, DrawCore& doc) { return UpdatePreviewMovie(mk, doc); }

bool RebuildPreview(SWFMakeCore& mk, DrawCore& doc, std::string& error) {
    // The file is written whole through a temporary file, as every movie is.
    const bool written = WriteFileReplacing(doc.TempMoviePath, UpdatePreviewMovie(mk, doc));
    SetPlayerProperties(mk, doc.Setup);
    error = written ? std::string() : "プレビューファイル [" + doc.TempMoviePath + "] を書き込めませんでした。";
    return written;
}

void SetPlayerProperties(SWFMakeCore& mk, const CanvasSetup& setup) {
    mk.BackgroundColor = BackgroundColorOf(setup);
    // A quality the player has no name for leaves the player's setting as it was.
    if (const std::string quality = QualityName(setup.Quality); !quality.empty()) mk.Quality2 = quality;
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
