// Feeds any bytes to the SVG import: it must refuse them with a reason or
// give paths the movie writer can hold, within the canvas limits.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "import/SvgImport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const ImportResult r = ImportSvg(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!r.Ok) {
        if (r.Error.empty() || !r.Result.Paths.empty()) std::abort();
        return 0;
    }
    const Drawing& d = r.Result;
    if (d.CanvasWidth < 0 || d.CanvasWidth > MaxImportCanvasSide || d.CanvasHeight < 0 ||
        d.CanvasHeight > MaxImportCanvasSide)
        std::abort();
    for (const PathShape& p : d.Paths) {
        if (p.AnchorMax < 1 || static_cast<std::size_t>(p.AnchorMax) + 1 != p.Anchors.size()) std::abort();
        for (const AnchorPoint& a : p.Anchors)
            if (a.X < -65536 || a.X > 65535 || a.Y < -65536 || a.Y > 65535 || (a.Kind != 0 && a.Kind != 1)) std::abort();
    }
    return 0;
}
