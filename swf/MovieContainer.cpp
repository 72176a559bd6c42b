#include "swf/MovieContainer.h"

#include <algorithm>
#include <cstring>
#include <lzma.h>
#include <zlib.h>

namespace {

constexpr std::size_t HeaderBytes = 8;  // signature, version, unpacked length
constexpr std::size_t Chunk = std::size_t{1} << 20;

std::uint32_t Le32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t{p[3]} << 24);
}

// Makes room in `out` after `used` bytes, a chunk at a time and never past
// `total`, so memory follows what the stream really yields.
void Room(std::vector<std::uint8_t>& out, std::size_t used, std::size_t total) {
    if (out.size() == used) out.resize(std::min(total, used + Chunk));
}

// The stream may end before the length the header gives: the movie reader
// then reports the missing bytes. Running out of input mid-stream is a fault.
std::string Inflate(const std::uint8_t* data, std::size_t size, std::vector<std::uint8_t>& out, std::size_t total) {
    switch (InflateInto(data, size, false, out, total)) {
        case InflateEnd::StreamEnd:
        case InflateEnd::Full: return {};
        case InflateEnd::Truncated: return "the compressed movie data ends early";
        default: return "the compressed movie data is corrupt";
    }
}

// LZMA data as the ZWS container holds it: compressed length (4 bytes), the
// five property bytes, then a raw LZMA stream.
std::string UnLzma(const std::uint8_t* data, std::size_t size, std::vector<std::uint8_t>& out, std::size_t total) {
    if (size < 9) return "the LZMA header is truncated";
    lzma_filter filters[2] = {{LZMA_FILTER_LZMA1, nullptr}, {LZMA_VLI_UNKNOWN, nullptr}};
    if (lzma_properties_decode(&filters[0], nullptr, data + 4, 5) != LZMA_OK) return "the LZMA properties are invalid";
    // The dictionary the properties ask for is allocated at once; a window
    // larger than the whole output is never used, so it is cut to that.
    auto* options = static_cast<lzma_options_lzma*>(filters[0].options);
    options->dict_size = static_cast<std::uint32_t>(
        std::min<std::size_t>(options->dict_size, std::max<std::size_t>(total, LZMA_DICT_SIZE_MIN)));
    lzma_stream s = LZMA_STREAM_INIT;
    lzma_ret rc = lzma_raw_decoder(&s, filters);
    free(filters[0].options);
    if (rc != LZMA_OK) return "LZMA could not start";
    s.next_in = data + 9;
    s.avail_in = size - 9;
    std::size_t used = out.size();
    while (used < total && rc == LZMA_OK) {
        Room(out, used, total);
        s.next_out = out.data() + used;
        s.avail_out = out.size() - used;
        rc = lzma_code(&s, LZMA_RUN);
        used = out.size() - s.avail_out;
    }
    lzma_end(&s);
    out.resize(used);
    if (rc == LZMA_OK || rc == LZMA_STREAM_END) return {};
    return rc == LZMA_BUF_ERROR ? "the compressed movie data ends early" : "the compressed movie data is corrupt";
}

}  // namespace

InflateEnd InflateInto(const std::uint8_t* data, std::size_t size, bool gzip, std::vector<std::uint8_t>& out,
                       std::size_t total) {
    z_stream z{};
    if (inflateInit2(&z, gzip ? 16 + MAX_WBITS : MAX_WBITS) != Z_OK) return InflateEnd::Corrupt;
    z.next_in = const_cast<Bytef*>(data);
    z.avail_in = static_cast<uInt>(std::min<std::size_t>(size, UINT32_MAX));
    std::size_t used = out.size();
    int rc = Z_OK;
    while (used < total && rc == Z_OK) {
        Room(out, used, total);
        z.next_out = out.data() + used;
        z.avail_out = static_cast<uInt>(out.size() - used);
        rc = inflate(&z, Z_NO_FLUSH);
        used = out.size() - z.avail_out;
    }
    inflateEnd(&z);
    out.resize(used);
    if (rc == Z_STREAM_END) return InflateEnd::StreamEnd;
    if (rc == Z_OK) return InflateEnd::Full;
    return rc == Z_BUF_ERROR ? InflateEnd::Truncated : InflateEnd::Corrupt;
}

std::string UnpackMovie(const std::uint8_t* data, std::size_t size, std::vector<std::uint8_t>& out, std::size_t limit) {
    out.clear();
    if (size < HeaderBytes) return "the file is too short for a movie header";
    const char kind = static_cast<char>(data[0]);
    if ((kind != 'F' && kind != 'C' && kind != 'Z') || data[1] != 'W' || data[2] != 'S')
        return "the file is not a movie (no FWS, CWS or ZWS signature)";
    if (kind == 'F') {
        out.assign(data, data + size);
        return {};
    }
    const std::size_t length = Le32(data + 4);
    if (length > limit)
        return "the movie unpacks to " + std::to_string(length >> 20) + " MB, more than the " +
               std::to_string(limit >> 20) + " MB allowed";
    if (length < HeaderBytes) return "the movie's length field is too small";
    out.assign(data, data + HeaderBytes);
    out[0] = 'F';
    std::string reason = kind == 'C' ? Inflate(data + HeaderBytes, size - HeaderBytes, out, length)
                                     : UnLzma(data + HeaderBytes, size - HeaderBytes, out, length);
    if (!reason.empty()) out.clear();
    return reason;
}
