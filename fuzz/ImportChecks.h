#pragma once
// What every import must give for any bytes: a reason and nothing else, or
// paths the movie writer can hold, within the canvas limits.
#include <cstdlib>

#include "import/Drawing.h"

inline void CheckImport(const ImportResult& r) {
    if (!r.Ok) {
        if (r.Error.empty() || !r.Result.Paths.empty()) std::abort();
        return;
    }
    const Drawing& d = r.Result;
    if (d.CanvasWidth < 0 || d.CanvasWidth > MaxImportCanvasSide || d.CanvasHeight < 0 ||
        d.CanvasHeight > MaxImportCanvasSide)
        std::abort();
    for (const PathShape& p : d.Paths) {
        if (p.AnchorMax < 1 || static_cast<std::size_t>(p.AnchorMax) + 1 != p.Anchors.size()) std::abort();
        for (const AnchorPoint& a : p.Anchors)
            if (a.X < MinImportTwip || a.X > MaxImportTwip || a.Y < MinImportTwip || a.Y > MaxImportTwip ||
                (a.Kind != 0 && a.Kind != 1))
                std::abort();
    }
}
