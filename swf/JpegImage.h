#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <QImage>

// Largest picture the player decodes (pixels); larger ones are refused.
inline constexpr std::int64_t MaxJpegPixels = std::int64_t{1} << 26;

// Decodes a JPEG stream into an opaque image. A null image and a reason on failure.
QImage DecodeJpeg(const std::vector<std::uint8_t>& jpeg, std::string& reason, std::int64_t maxPixels = MaxJpegPixels);
