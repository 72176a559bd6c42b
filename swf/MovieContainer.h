#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Most bytes a movie may hold once unpacked; a larger one is refused before
// any of it is inflated, so a small file cannot claim unbounded memory or time.
inline constexpr std::size_t MaxUnpackedMovieBytes = std::size_t{256} << 20;

// The uncompressed (FWS) form of a movie in any of the three containers:
// FWS as is, CWS through zlib, ZWS through LZMA. Returns the empty string on
// success, otherwise why the bytes are not a movie (then `out` is empty).
std::string UnpackMovie(const std::uint8_t* data, std::size_t size, std::vector<std::uint8_t>& out,
                        std::size_t limit = MaxUnpackedMovieBytes);

// How an inflate into a bounded buffer ended.
enum class InflateEnd { StreamEnd, Full, Truncated, Corrupt };

// Inflates zlib data (gzip data with `gzip`) after what `out` holds, growing
// it a megabyte at a time, until the stream ends or `out` holds `total` bytes;
// memory follows what the stream really yields, never past `total`.
InflateEnd InflateInto(const std::uint8_t* data, std::size_t size, bool gzip, std::vector<std::uint8_t>& out,
                       std::size_t total);
