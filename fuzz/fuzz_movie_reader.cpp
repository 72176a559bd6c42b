// Feeds any bytes to the movie reader and turns every shape it read into
// drawable layers; a complete movie must carry no reason.
#include <cstdint>
#include <cstdlib>

#include "swf/MovieReader.h"
#include "swf/ShapeLayers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const ParsedMovie movie = ReadMovie(data, size);
    if (movie.Complete != movie.Reason.empty() && movie.Complete) std::abort();
    for (const auto& [id, shape] : movie.Shapes) {
        if (shape->Layers.empty()) std::abort();
        for (const ShapeLayer& layer : BuildShapeLayers(*shape)) {
            for (const StylePath& p : layer.FillPaths)
                if (p.Style == 0 || p.Style > layer.Fills.size()) std::abort();
            for (const StylePath& p : layer.LinePaths)
                if (p.Style == 0 || p.Style > layer.Lines.size()) std::abort();
        }
    }
    return 0;
}
