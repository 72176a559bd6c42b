#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// Kind and size of a picture, from its signature and header.
struct ImageInfo {
    std::int32_t Kind = 0;  // 0 none of these, 1 BMP, 2 GIF, 3 JPEG, 4 PNG
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::int32_t BitsPerPixel = 0;
};
inline constexpr std::int32_t ImageBmp = 1, ImageGif = 2, ImageJpeg = 3, ImagePng = 4;

// Largest picture file taken as an underlay.
inline constexpr std::size_t MaxPictureBytes = std::size_t{64} << 20;

// Reads the picture's bytes as far as they go: a header cut short leaves the
// fields it would have filled at 0, and a JPEG without a frame header is kind 0.
ImageInfo GetImageInfo(std::string_view bytes);
// The same for a regular file of at most MaxPictureBytes; all zero otherwise.
ImageInfo GetImageInfoFile(const std::string& path);
