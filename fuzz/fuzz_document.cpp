// Feeds any bytes to the document and clip readers; a good parse must write
// back to text that parses to the same records.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/DocumentFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CanvasSetup setup;
    std::vector<PathShape> paths(1);
    if (ParseDocument(text, setup, paths)) {
        CanvasSetup again;
        std::vector<PathShape> pathsAgain(1);
        if (!ParseDocument(FormatDocument(setup, paths), again, pathsAgain) || pathsAgain.size() != paths.size())
            std::abort();
        for (std::size_t i = 1; i < paths.size(); ++i)
            if (!SameShape(paths[i], pathsAgain[i])) std::abort();
    }
    ClipData clip;
    if (ParseClip(text, clip)) {
        ClipData again;
        if (!ParseClip(FormatClip(clip), again) || again.Paths.size() != clip.Paths.size()) std::abort();
    }
    return 0;
}
