#include "swf/JpegImage.h"

#include <algorithm>
#include <memory>

#include <turbojpeg.h>

QImage DecodeJpeg(const std::vector<std::uint8_t>& jpeg, std::string& reason, std::int64_t maxPixels) {
    if (jpeg.empty()) {
        reason = "empty JPEG data";
        return {};
    }
    std::unique_ptr<void, int (*)(tjhandle)> handle(tjInitDecompress(), tjDestroy);
    if (!handle) {
        reason = "cannot start the JPEG decoder";
        return {};
    }
    int width = 0, height = 0, subsampling = 0, colorspace = 0;
    if (tjDecompressHeader3(handle.get(), jpeg.data(), static_cast<unsigned long>(jpeg.size()), &width, &height,
                            &subsampling, &colorspace) != 0) {
        reason = std::string("bad JPEG header: ") + tjGetErrorStr2(handle.get());
        return {};
    }
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
    if (tjDecompress2(handle.get(), jpeg.data(), static_cast<unsigned long>(jpeg.size()), image.bits(), width,
                      static_cast<int>(image.bytesPerLine()), height, TJPF_RGBA, TJFLAG_LIMITSCANS) != 0 &&
        tjGetErrorCode(handle.get()) != TJERR_WARNING) {
        reason = std::string("bad JPEG data: ") + tjGetErrorStr2(handle.get());
        return {};
    }
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}
