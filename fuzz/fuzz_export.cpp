// Feeds any bytes as a document to the movie writer: a document that parses
// must give a movie whose header and tag lengths agree with its size, and a
// second build from the filled shape caches must give the same bytes.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/DocumentFile.h"
#include "core/DrawCore.h"
#include "swf/Preview.h"

namespace {
std::uint32_t Le32(const std::string& b, std::size_t at) {
    std::uint32_t v = 0;
    for (int k = 3; k >= 0; --k) v = (v << 8) | static_cast<unsigned char>(b[at + static_cast<std::size_t>(k)]);
    return v;
}

// Walks the tags after the header (its frame RECT as wide as the canvas
// needs); true when they end with End exactly at the end.
bool TagsAddUp(const std::string& movie) {
    const std::size_t rectBits = 5 + 4 * (static_cast<unsigned char>(movie[8]) >> 3);
    std::size_t pos = 8 + (rectBits + 7) / 8 + 4;
    while (pos + 2 <= movie.size()) {
        const unsigned word = static_cast<unsigned char>(movie[pos]) | (static_cast<unsigned char>(movie[pos + 1]) << 8);
        std::size_t length = word & 0x3F;
        pos += 2;
        if (length == 0x3F) {
            if (pos + 4 > movie.size()) return false;
            length = Le32(movie, pos);
            pos += 4;
        }
        if (length > movie.size() - pos) return false;
        pos += length;
        if ((word >> 6) == 0) return pos == movie.size();
    }
    return false;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    DrawCore doc;
    if (!ParseDocument(std::string_view(reinterpret_cast<const char*>(data), size), doc.Setup, doc.Paths)) return 0;
    SWFMakeCore mk;
    const std::string cold = BuildPreviewMovie(mk, doc);
    if (cold.size() < 21 || cold.compare(0, 3, "FWS") != 0 || Le32(cold, 4) != cold.size() || !TagsAddUp(cold))
        std::abort();
    if (BuildPreviewMovie(mk, doc) != cold) std::abort();
    return 0;
}
