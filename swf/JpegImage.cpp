#include "swf/JpegImage.h"

#include <algorithm>
#include <memory>

#include <turbojpeg.h>

namespace {

using Decompressor = std::unique_ptr<void, int (*)(tjhandle)>;

struct Header {
    int Width = 0, Height = 0, Subsampling = 0, Colorspace = 0;
};

bool ReadHeader(tjhandle handle, std::span<const std::uint8_t> jpeg, Header& h) {
    return tjDecompressHeader3(handle, jpeg.data(), static_cast<unsigned long>(jpeg.size()), &h.Width, &h.Height,
                               &h.Subsampling, &h.Colorspace) == 0;
}

bool IsCmyk(const Header& h) { return h.Colorspace == TJCS_CMYK || h.Colorspace == TJCS_YCCK; }

// CMYK as print programs store it in JPEG: inverted, 255 meaning no ink. Each
// colour channel scaled by the black channel gives red, green and blue.
void CmykToRgba(QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        std::uint8_t* p = image.scanLine(y);
        for (int x = 0; x < image.width(); ++x, p += 4) {
            const int k = p[3];
            for (int c = 0; c < 3; ++c) p[c] = static_cast<std::uint8_t>((p[c] * k + 127) / 255);
            p[3] = 255;
        }
    }
}

}  // namespace

bool IsCmykJpeg(std::span<const std::uint8_t> jpeg) {
    Decompressor handle(tjInitDecompress(), tjDestroy);
    Header h;
    return handle && !jpeg.empty() && ReadHeader(handle.get(), jpeg, h) && IsCmyk(h);
}

QImage DecodeJpeg(std::span<const std::uint8_t> jpeg, std::string& reason, std::int64_t maxPixels) {
    if (jpeg.empty()) {
        reason = "empty JPEG data";
        return {};
    }
    Decompressor handle(tjInitDecompress(), tjDestroy);
    if (!handle) {
        reason = "cannot start the JPEG decoder";
        return {};
    }
    Header h;
    if (!ReadHeader(handle.get(), jpeg, h)) {
        reason = std::string("bad JPEG header: ") + tjGetErrorStr2(handle.get());
        return {};
    }
    const int width = h.Width, height = h.Height;
    // Even a flat picture needs some bits per block: a stream far too short for
    // its stated size is refused before any pixel memory is taken.
    const std::int64_t plausible = std::max<std::int64_t>(std::int64_t{1} << 20, static_cast<std::int64_t>(jpeg.size()) * 1024);
    if (width <= 0 || height <= 0 || std::int64_t{width} * height > std::min(maxPixels, plausible)) {
        reason = "JPEG picture too large (" + std::to_string(width) + "x" + std::to_string(height) + ")";
        return {};
    }
    QImage image(width, height, QImage::Format_RGBA8888);
    if (image.isNull()) {
        reason = "out of memory for the JPEG picture";
        return {};
    }
    // A CMYK stream cannot be converted to RGB by the decoder; its four channels are converted here.
    if (tjDecompress2(handle.get(), jpeg.data(), static_cast<unsigned long>(jpeg.size()), image.bits(), width,
                      static_cast<int>(image.bytesPerLine()), height, IsCmyk(h) ? TJPF_CMYK : TJPF_RGBA,
                      TJFLAG_LIMITSCANS) != 0 &&
        tjGetErrorCode(handle.get()) != TJERR_WARNING) {
        reason = std::string("bad JPEG data: ") + tjGetErrorStr2(handle.get());
        return {};
    }
    if (IsCmyk(h)) CmykToRgba(image);
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}
