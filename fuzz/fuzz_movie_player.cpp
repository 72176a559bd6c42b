// Draws any bytes as a movie through the player's stage renderer on a small
// stage, twice (the second frame may resume from the first), to find inputs
// that make the drawing itself misbehave; then on a stage tall enough for
// bands on several threads, which must give the single thread's image.
#include <cstdint>
#include <cstdlib>

#include <QImage>

#include "swf/MovieReader.h"
#include "swf/StageRenderer.h"

namespace {
StageOptions Stage(int width, int height, int threads) {
    StageOptions options;
    options.Width = width;
    options.Height = height;
    options.Threads = threads;
    return options;
}

QImage Draw(const ParsedMovie& movie, const StageOptions& options) {
    StageRenderer renderer;
    QImage image;
    std::string reason;
    renderer.Render(movie, options, image, reason);
    return image;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const ParsedMovie movie = ReadMovie(data, size);
    StageRenderer renderer;
    QImage image;
    std::string reason;
    StageOptions options = Stage(40, 30, 0);
    options.AntiAlias = size % 2 == 0;
    renderer.Render(movie, options, image, reason);
    options.Background = 0x123456;
    renderer.Render(movie, options, image, reason);
    if (size % 4 == 0 && Draw(movie, Stage(24, 192, 1)) != Draw(movie, Stage(24, 192, 3))) std::abort();
    return 0;
}
