#pragma once
#include <cstdint>
#include <string>
#include <vector>

class QImage;

// A 24-bit bottom-up pixel buffer: rows of blue, green, red bytes, each row
// padded to a multiple of four bytes, the bottom row first.
struct DibSection {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::vector<std::uint8_t> Bits;
    std::int32_t BytesPerScanLine() const { return (Width * 3 + 3) & ~3; }
};

// Largest picture (pixels) re-encoded for an underlay, as large as the player shows.
inline constexpr std::int64_t MaxUnderlayPixels = std::int64_t{1} << 26;
// Longest side the JPEG encoder takes.
inline constexpr int MaxJpegSide = 65500;

// Copies a picture into a new buffer. False for a null picture or one larger
// than MaxUnderlayPixels or MaxJpegSide.
bool CreateFromPicture(const QImage& picture, DibSection& dib);
// Encodes the buffer as a baseline JPEG at `quality` (1..100). On failure
// `error` holds the text to show the user and the result is false.
bool SaveJPG(const DibSection& dib, int quality, std::string& jpeg, std::string& error);

// JPEG data of a picture: an RGB or greyscale JPEG as it is, a BMP or a CMYK
// JPEG encoded anew at `quality`. Empty when the picture cannot be used
// (neither kind, undecodable, too large, or the encoder failed); `error` then
// says why.
std::string LoadJpegBytes(const std::string& bytes, int quality, std::string& error);
