#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include <QImage>

// Largest picture the player decodes (pixels); larger ones are refused.
inline constexpr std::int64_t MaxJpegPixels = std::int64_t{1} << 26;

// Decodes a JPEG stream (RGB, greyscale or CMYK) into an opaque image. A null
// image and a reason on failure.
QImage DecodeJpeg(std::span<const std::uint8_t> jpeg, std::string& reason, std::int64_t maxPixels = MaxJpegPixels);
// True when the stream's header says CMYK (or YCCK).
bool IsCmykJpeg(std::span<const std::uint8_t> jpeg);
