// Reads a movie, patches some of its bytes in place and has the player's
// in-place update read the change: when it takes the change, the result must
// equal a whole read of the patched bytes.
// Input: a patch count n, n patches of (offset: 2 bytes LE, byte), then the movie.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "swf/MovieReader.h"
#include "swf/MovieUpdate.h"

namespace {
ParsedMovie Read(const std::string& bytes) {
    return ReadMovie(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::size_t patches = data[0], head = 1 + 3 * patches;
    if (size <= head) return 0;
    const std::string before(reinterpret_cast<const char*>(data + head), size - head);
    std::string after = before;
    for (std::size_t i = 0; i < patches; ++i) {
        const std::uint8_t* p = data + 1 + 3 * i;
        after[(p[0] | (p[1] << 8)) % after.size()] = static_cast<char>(p[2]);
    }
    ParsedMovie movie = Read(before);
    if (UpdateMovie(movie, before, after) == MovieUpdate::ReadWhole) return 0;
    const ParsedMovie whole = Read(after);
    if (movie.Shapes.size() != whole.Shapes.size()) std::abort();
    for (const auto& [id, shape] : whole.Shapes) {
        const ShapeDefinition& mine = *movie.Shapes.at(id);
        if (!(mine.Records == shape->Records && mine.StyleSets == shape->StyleSets && mine.Layers == shape->Layers))
            std::abort();
    }
    return 0;
}
