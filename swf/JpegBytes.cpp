#include "swf/JpegBytes.h"

#include <cstring>
#include <memory>

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <turbojpeg.h>

#include "swf/ImageInfo.h"

namespace {
using Compressor = std::unique_ptr<void, int (*)(tjhandle)>;

// Reads a BMP held in memory; nothing for a picture too large to re-encode.
QImage ReadBmp(const std::string& bytes, const ImageInfo& info) {
    if (info.Width <= 0 || info.Height <= 0 || std::int64_t{info.Width} * info.Height > MaxUnderlayPixels) return {};
    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    QImageReader reader(&buffer, "BMP");
    return reader.read();
}
}  // namespace

bool CreateFromPicture(const QImage& picture, DibSection& dib) {
    if (picture.isNull() || std::int64_t{picture.width()} * picture.height() > MaxUnderlayPixels) return false;
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    dib.Width = rgb.width();
    dib.Height = rgb.height();
    const std::size_t stride = static_cast<std::size_t>(dib.BytesPerScanLine());
    dib.Bits.assign(stride * static_cast<std::size_t>(dib.Height), 0);
    for (int y = 0; y < dib.Height; ++y) {
        const std::uint8_t* src = rgb.constScanLine(y);
        std::uint8_t* dst = dib.Bits.data() + stride * static_cast<std::size_t>(dib.Height - 1 - y);
        for (int x = 0; x < dib.Width; ++x) {
            dst[3 * x] = src[3 * x + 2];
            dst[3 * x + 1] = src[3 * x + 1];
            dst[3 * x + 2] = src[3 * x];
        }
    }
    return true;
}

bool SaveJPG(const DibSection& dib, int quality, std::string& jpeg, std::string& error) {
    Compressor handle(tjInitCompress(), tjDestroy);
    if (!handle) {
        error = "Failed to initialise the IJL library: " + std::to_string(-1) + " (" + tjGetErrorStr2(nullptr) + ")";
        return false;
    }
    unsigned char* out = nullptr;
    unsigned long size = 0;
    const bool sized = dib.Width > 0 && dib.Height > 0 &&
                       dib.Bits.size() >= static_cast<std::size_t>(dib.BytesPerScanLine()) * dib.Height;
    if (!sized || tjCompress2(handle.get(), dib.Bits.data(), dib.Width, dib.BytesPerScanLine(), dib.Height, TJPF_BGR,
                              &out, &size, TJSAMP_420, quality, TJFLAG_BOTTOMUP) != 0) {
        const int code = sized ? tjGetErrorCode(handle.get()) : TJERR_FATAL;
        error = "Failed to save to JPG " + std::to_string(code) + " (" +
                (sized ? tjGetErrorStr2(handle.get()) : "the picture has no pixels") + ")";
        tjFree(out);
        return false;
    }
    jpeg.assign(reinterpret_cast<const char*>(out), size);
    tjFree(out);
    return true;
}

std::string LoadJpegBytes(const std::string& bytes, int quality, std::string& error) {
    const ImageInfo info = GetImageInfo(bytes);
    if (info.Kind == ImageJpeg) return bytes;
    if (info.Kind != ImageBmp) return {};
    DibSection dib;
    std::string jpeg;
    if (!CreateFromPicture(ReadBmp(bytes, info), dib)) return {};
    SaveJPG(dib, quality, jpeg, error);
    return jpeg;
}
