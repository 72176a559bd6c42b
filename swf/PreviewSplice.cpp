#include "swf/PreviewSplice.h"

#include <algorithm>

#include "swf/MovieAssembly.h"
#include "swf/ShapeExport.h"

namespace {
constexpr std::size_t kFlagBits = 6;  // a path's records open with a style-change record's flags

std::uint32_t Flags(const BitString& bits) { return bits.bytes()[0] >> 2; }

bool SameFrame(const PreviewSplice& kept, const PreviewFrame& frame) {
    return kept.CanvasWidth == frame.CanvasWidth && kept.CanvasHeight == frame.CanvasHeight &&
           kept.UnderlaySize == frame.Underlay.size() &&
           kept.Movie.compare(MovieHeaderSize(kept.CanvasWidth, kept.CanvasHeight), kept.UnderlaySize, frame.Underlay) == 0;
}

// Writes the path's new records over its span; false when they do not fit it
// exactly or would change the flags the previous span ends with.
bool Overwrite(std::string& movie, const PathSpan& span, const ShapeCacheRef& bits) {
    if (!bits || !span.Cache || bits->size() < kFlagBits || span.Cache->size() < kFlagBits) return false;
    if (Flags(*bits) != Flags(*span.Cache)) return false;
    BitString bytes;
    bytes.reserveBits(bits->size() + 8);
    bytes.append(*bits, kFlagBits);
    bytes.append(span.Trail, kFlagBits);
    bytes.padToByte();
    if (bytes.bytes().size() != span.End - span.Begin) return false;
    std::copy(bytes.bytes().begin(), bytes.bytes().end(), movie.begin() + static_cast<std::ptrdiff_t>(span.Begin));
    return true;
}
}  // namespace

bool SplicePaths(PreviewSplice& kept, const PreviewFrame& frame, std::vector<PathShape>& paths) {
    kept.Spliced = false;
    if (kept.Movie.empty() || !SameFrame(kept, frame) || kept.Spans.size() != paths.size()) {
        kept.Movie.clear();
        return false;
    }
    for (std::size_t i = 1; i < paths.size(); ++i) {
        if (!paths[i].ShapeCache) CachedPathBits(paths[i]);  // it may have become exportable
        PathSpan& span = kept.Spans[i];
        if (paths[i].ShapeCache == span.Cache) continue;
        if (!Overwrite(kept.Movie, span, paths[i].ShapeCache)) {
            kept.Movie.clear();
            return false;
        }
        span.Cache = paths[i].ShapeCache;
    }
    kept.Spliced = true;
    return true;
}

void KeepAssembledMovie(PreviewSplice& kept, std::string movie, const PreviewFrame& frame,
                        const std::vector<PathShape>& paths, const std::vector<std::size_t>& styleStarts,
                        std::size_t shapeEnd) {
    kept.Movie = std::move(movie);
    kept.CanvasWidth = frame.CanvasWidth;
    kept.CanvasHeight = frame.CanvasHeight;
    kept.UnderlaySize = frame.Underlay.size();
    kept.Spliced = false;
    kept.Spans.assign(paths.size(), PathSpan{});
    PathSpan* previous = nullptr;  // the last path in the shape so far
    for (std::size_t i = 1; i < paths.size(); ++i) {
        PathSpan& span = kept.Spans[i];
        span.Cache = paths[i].ShapeCache;
        if (styleStarts[i] == 0) continue;
        span.Begin = span.End = styleStarts[i];
        if (previous) {
            previous->End = span.Begin;
            previous->Trail = Flags(*span.Cache);
        }
        previous = &span;
    }
    if (previous) previous->End = shapeEnd;  // followed by the end record: Trail 0
}
