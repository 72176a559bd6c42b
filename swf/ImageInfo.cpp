#include "swf/ImageInfo.h"

#include "core/FileBytes.h"

namespace {
std::uint32_t Byte(std::string_view b, std::size_t i) { return i < b.size() ? static_cast<std::uint8_t>(b[i]) : 0u; }

std::int32_t LittleEndian(std::string_view b, std::size_t at, int count) {
    std::uint32_t v = 0;
    for (int k = count - 1; k >= 0; --k) v = (v << 8) | Byte(b, at + static_cast<std::size_t>(k));
    return static_cast<std::int32_t>(v);
}

std::int32_t BigEndian(std::string_view b, std::size_t at, int count) {
    std::uint32_t v = 0;
    for (int k = 0; k < count; ++k) v = (v << 8) | Byte(b, at + static_cast<std::size_t>(k));
    return static_cast<std::int32_t>(v);
}

bool IsFrameMarker(std::uint32_t m) { return (m >= 0xC0 && m <= 0xC3) || (m >= 0xC9 && m <= 0xCB); }

// Walks the marker segments from offset 2 to the first frame header. Every
// step moves forward, so the scan ends within the bytes.
void ReadJpegFrame(std::string_view b, ImageInfo& info) {
    std::size_t p = 2;
    while (p + 3 < b.size() && Byte(b, p) == 0xFF) {
        if (IsFrameMarker(Byte(b, p + 1))) {
            if (p + 8 >= b.size()) break;
            info.Kind = ImageJpeg;
            info.Height = BigEndian(b, p + 5, 2);
            info.Width = BigEndian(b, p + 7, 2);
            info.BitsPerPixel = 24;
            return;
        }
        p += 2 + static_cast<std::size_t>(BigEndian(b, p + 2, 2));
    }
}
}  // namespace

ImageInfo GetImageInfo(std::string_view b) {
    ImageInfo info;
    if (b.size() >= 2 && b[0] == 'B' && b[1] == 'M') {
        info.Kind = ImageBmp;
        info.Width = LittleEndian(b, 18, 4);
        // A top-down bitmap stores its height negated; its size is the same.
        const std::int32_t height = LittleEndian(b, 22, 4);
        info.Height = height == INT32_MIN ? 0 : (height < 0 ? -height : height);
    } else if (b.substr(0, 3) == "GIF") {
        info.Kind = ImageGif;
        info.Width = LittleEndian(b, 6, 2);
        info.Height = LittleEndian(b, 8, 2);
        info.BitsPerPixel = b.size() > 10 ? static_cast<std::int32_t>(Byte(b, 10) & 7) + 1 : 0;
    } else if (Byte(b, 0) == 0xFF && Byte(b, 1) == 0xD8) {
        ReadJpegFrame(b, info);
    } else if (Byte(b, 0) == 0x89 && b.substr(1, 3) == "PNG") {
        info.Kind = ImagePng;
        info.Width = BigEndian(b, 16, 4);
        info.Height = BigEndian(b, 20, 4);
    }
    return info;
}

ImageInfo GetImageInfoFile(const std::string& path) {
    std::string bytes;
    if (!ReadFileBytes(path, bytes, MaxPictureBytes)) return {};
    return GetImageInfo(bytes);
}
