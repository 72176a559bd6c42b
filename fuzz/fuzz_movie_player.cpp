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
QImage Draw(const ParsedMovie& movie, int threads) {
    StageRenderer renderer;
    QImage image;
    std::string reason;
    StageOptions options;
    options.Width = 24;
    options.Height = 192;
    options.Threads = threads;
    renderer.Render(movie, options, image, reason);
    return image;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const ParsedMovie movie = ReadMovie(data, size);
    StageRenderer renderer;
    QImage image;
    std::string reason;
    StageOptions options;
    options.Width = 40;
    options.Height = 30;
    options.AntiAlias = size % 2 == 0;
    renderer.Render(movie, options, image, reason);
    options.Background = 0x123456;
    renderer.Render(movie, options, image, reason);
    if (size % 4 == 0 && Draw(movie, 1) != Draw(movie, 3)) std::abort();
    return 0;
}
