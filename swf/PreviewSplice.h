#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/Records.h"

// Where one path's records lie in the kept preview movie: from its style
// arrays up to the next path's style arrays (or the end of the shape records).
// Those bytes depend on the path alone and on the six bits that follow it.
struct PathSpan {
    ShapeCacheRef Cache;     // the bits the span was written from; null: not in the movie
    std::size_t Begin = 0;   // Begin == End: the path is not in the movie
    std::size_t End = 0;
    std::uint32_t Trail = 0;  // the six bits after its records: the next path's flags or the end record
};

// What a preview movie depends on besides the paths' records.
struct PreviewFrame {
    std::int32_t CanvasWidth = 0;
    std::int32_t CanvasHeight = 0;
    std::string_view Underlay;  // tags copied right after the header; empty when not shown
};

// The last preview movie and what it was assembled from, so that the next
// rebuild can overwrite the spans of the changed paths instead of assembling
// the whole movie again.
struct PreviewSplice {
    std::string Movie;  // finished bytes; empty: nothing to splice into
    std::int32_t CanvasWidth = 0;
    std::int32_t CanvasHeight = 0;
    std::size_t UnderlaySize = 0;
    std::vector<PathSpan> Spans;  // per path, used 1-based like the paths
    bool Spliced = false;         // the last update overwrote spans rather than assembled
};

// Brings kept.Movie up to date for `paths` in place: fills their stale
// caches and rewrites the span of every path whose cache is not the one its
// span was written from (shared_ptr identity; the kept reference keeps the old
// cache alive, so a new cache never reuses its address). False, with
// kept.Movie emptied, when the movie must be assembled anew instead: the frame
// or the number of paths differs, a path joins or leaves the shape, or its new
// records would not fill its span exactly.
bool SplicePaths(PreviewSplice& kept, const PreviewFrame& frame, std::vector<PathShape>& paths);

// Keeps a freshly assembled movie and its spans. styleStarts and shapeEnd are
// what DefineDrawingShape reported and where its tag ended.
void KeepAssembledMovie(PreviewSplice& kept, std::string movie, const PreviewFrame& frame,
                        const std::vector<PathShape>& paths, const std::vector<std::size_t>& styleStarts,
                        std::size_t shapeEnd);
