#include "swf/JpegBytes.h"

#include <cstring>
#include <memory>

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <turbojpeg.h>

#include "swf/ImageInfo.h"
#include "swf/JpegImage.h"

namespace {
using Compressor = std::unique_ptr<void, int (*)(tjhandle)>;

std::span<const std::uint8_t> Span(const std::string& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
}

// Reads a BMP held in memory. Its stated size is checked before any pixel
// memory is taken: within the encoder's side limit, the player's pixel budget,
// and what the file's bytes can describe (even run-length coded, no more than
// 256 pixels a byte).
QImage ReadBmp(const std::string& bytes, std::string& error) {
    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    QImageReader reader(&buffer, "BMP");
    const QSize size = reader.size();
    const std::int64_t pixels = std::int64_t{size.width()} * size.height();
    if (size.isEmpty()) {
        error = "bad BMP header";
        return {};
    }
    if (size.width() > MaxJpegSide || size.height() > MaxJpegSide || pixels > MaxUnderlayPixels ||
        pixels > static_cast<std::int64_t>(bytes.size()) * 256) {
        error = "BMP picture too large (" + std::to_string(size.width()) + "x" + std::to_string(size.height()) + ")";
        return {};
    }
    QImage image = reader.read();
    if (image.isNull()) error = "bad BMP data: " + reader.errorString().toStdString();
    return image;
}
}  // namespace

bool CreateFromPicture(const QImage& picture, DibSection& dib) {
    if (picture.isNull() || picture.width() > MaxJpegSide || picture.height() > MaxJpegSide ||
        std::int64_t{picture.width()} * picture.height() > MaxUnderlayPixels)
        return false;
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
    QImage picture;
    if (info.Kind == ImageJpeg) {
        // Decoded as the player decodes it, so a picture it cannot show is refused here.
        picture = DecodeJpeg(Span(bytes), error, MaxUnderlayPixels);
        if (picture.isNull()) return {};
        if (!IsCmykJpeg(Span(bytes))) return bytes;
    } else if (info.Kind == ImageBmp) {
        picture = ReadBmp(bytes, error);
        if (picture.isNull()) return {};
    } else {
        error = "not a BMP or JPEG picture";
        return {};
    }
    // A BMP, or a CMYK JPEG that movie players cannot show, is encoded anew in RGB.
    DibSection dib;
    std::string jpeg;
    if (CreateFromPicture(picture, dib)) SaveJPG(dib, quality, jpeg, error);
    else error = "the picture cannot be copied for the encoder";
    return jpeg;
}
