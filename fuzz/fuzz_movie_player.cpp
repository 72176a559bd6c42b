// Draws any bytes as a movie through the player's stage renderer on a small
// stage, twice (the second frame may resume from the first), to find inputs
// that make the drawing itself misbehave.
#include <cstdint>

#include <QImage>

#include "swf/MovieReader.h"
#include "swf/StageRenderer.h"

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
    return 0;
}
