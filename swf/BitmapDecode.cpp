#include "swf/BitmapDecode.h"

#include <algorithm>

#include <QBuffer>
#include <QImageReader>

#include "swf/BitReader.h"
#include "swf/JpegImage.h"
#include "swf/MovieContainer.h"

namespace {

bool StartsWith(std::span<const std::uint8_t> data, std::string_view magic) {
    return data.size() >= magic.size() && std::equal(magic.begin(), magic.end(), data.begin(), [](char a, std::uint8_t b) {
               return static_cast<std::uint8_t>(a) == b;
           });
}

std::string SizeText(std::int64_t w, std::int64_t h) { return std::to_string(w) + "x" + std::to_string(h); }

// PNG or GIF data, which the JPEG tags may hold instead of a JPEG stream.
// Neither packs more than some 8,000 one-bit pixels into a byte: a size far
// beyond what the data can hold is refused before any pixel memory is taken.
QImage DecodeOther(std::span<const std::uint8_t> data, const char* format, std::string& reason) {
    QByteArray bytes(reinterpret_cast<const char*>(data.data()), static_cast<qsizetype>(data.size()));
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, format);
    const QSize size = reader.size();
    const std::int64_t plausible = std::max<std::int64_t>(std::int64_t{1} << 20, static_cast<std::int64_t>(data.size()) * 8192);
    if (!size.isValid() || std::int64_t{size.width()} * size.height() > std::min(MaxJpegPixels, plausible)) {
        reason = "picture too large or unreadable (" + SizeText(size.width(), size.height()) + ")";
        return {};
    }
    QImage image = reader.read();
    if (image.isNull()) reason = "bad picture data: " + reader.errorString().toStdString();
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// Exactly `total` bytes from zlib data, or a reason.
std::string Inflate(const std::vector<std::uint8_t>& packed, std::size_t offset, std::size_t total,
                    std::vector<std::uint8_t>& out) {
    const InflateEnd end = InflateInto(packed.data() + offset, packed.size() - offset, false, out, total);
    if (end == InflateEnd::Corrupt) return "bad packed data";
    if (out.size() < total) return "packed data too short for its size";
    return {};
}

// Alpha bytes, one a pixel, on a JPEG picture whose colours are not multiplied by them.
QImage WithAlpha(const QImage& picture, const std::vector<std::uint8_t>& packed, std::string& reason) {
    std::vector<std::uint8_t> alpha;
    reason = Inflate(packed, 0, static_cast<std::size_t>(picture.width()) * picture.height(), alpha);
    if (!reason.empty()) {
        reason = "alpha: " + reason;
        return {};
    }
    QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    const std::uint8_t* a = alpha.data();
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) line[x] = (line[x] & 0x00FFFFFFu) | (QRgb{*a++} << 24);
    }
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage DecodeJpegKinds(const BitmapDefinition& b, std::string& reason) {
    if (StartsWith(b.Jpeg, "\x89PNG")) return DecodeOther(b.Jpeg, "png", reason);
    if (StartsWith(b.Jpeg, "GIF8")) return DecodeOther(b.Jpeg, "gif", reason);
    const QImage picture = DecodeJpeg(JoinJpegParts(b.Jpeg), reason);
    if (picture.isNull() || b.Alpha.empty()) return picture;
    return WithAlpha(picture, b.Alpha, reason);
}

// A premultiplied pixel; a channel above its alpha (which premultiplied data cannot hold) is held at it.
QRgb Pixel(int r, int g, int b, int a) { return qRgba(std::min(r, a), std::min(g, a), std::min(b, a), a); }

struct LosslessLayout {
    int Format = 0, Width = 0, Height = 0, TableSize = 0;
    bool Alpha = false;  // DefineBitsLossless2: RGBA tables and ARGB pixels, colours multiplied by alpha
    std::size_t Stride = 0, TableBytes = 0;
};

std::string ReadLayout(const BitmapDefinition& b, LosslessLayout& l, std::size_t& dataOffset) {
    BitReader r(b.Lossless.data(), b.Lossless.size());
    l.Format = r.readU8();
    l.Width = r.readU16();
    l.Height = r.readU16();
    if (l.Format == 3) l.TableSize = r.readU8() + 1;
    if (r.failed()) return "lossless header truncated";
    dataOffset = r.bytePosition();
    l.Alpha = b.TagCode == TagDefineBitsLossless2;
    if (l.Width == 0 || l.Height == 0 || std::int64_t{l.Width} * l.Height > MaxJpegPixels)
        return "bitmap size " + SizeText(l.Width, l.Height) + " out of range";
    const std::size_t w = static_cast<std::size_t>(l.Width);
    if (l.Format == 3) {
        l.Stride = (w + 3) & ~std::size_t{3};
        l.TableBytes = static_cast<std::size_t>(l.TableSize) * (l.Alpha ? 4 : 3);
    } else if (l.Format == 4 && !l.Alpha) {
        l.Stride = (w * 2 + 3) & ~std::size_t{3};
    } else if (l.Format == 5) {
        l.Stride = w * 4;
    } else {
        return "unknown lossless format " + std::to_string(l.Format);
    }
    return {};
}

QRgb LosslessPixel(const LosslessLayout& l, const std::uint8_t* table, const std::uint8_t* row, int x) {
    switch (l.Format) {
    case 3: {
        const int index = row[x];
        if (index >= l.TableSize) return 0;
        const std::uint8_t* c = table + index * (l.Alpha ? 4 : 3);
        return Pixel(c[0], c[1], c[2], l.Alpha ? c[3] : 255);
    }
    case 4: {  // 1 unused bit and 5 bits each of red, green and blue, first bit highest
        const int v = (row[2 * x] << 8) | row[2 * x + 1];
        const auto channel = [&](int shift) { return ((v >> shift) & 31) * 255 / 31; };
        return Pixel(channel(10), channel(5), channel(0), 255);
    }
    default: {  // alpha (unused without it), red, green, blue
        const std::uint8_t* p = row + 4 * x;
        return Pixel(p[1], p[2], p[3], l.Alpha ? p[0] : 255);
    }
    }
}

QImage DecodeLossless(const BitmapDefinition& b, std::string& reason) {
    LosslessLayout l;
    std::size_t offset = 0;
    if (reason = ReadLayout(b, l, offset); !reason.empty()) return {};
    std::vector<std::uint8_t> raw;
    if (reason = Inflate(b.Lossless, offset, l.TableBytes + l.Stride * static_cast<std::size_t>(l.Height), raw);
        !reason.empty())
        return {};
    QImage image(l.Width, l.Height, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        reason = "out of memory for the bitmap";
        return {};
    }
    for (int y = 0; y < l.Height; ++y) {
        const std::uint8_t* row = raw.data() + l.TableBytes + l.Stride * static_cast<std::size_t>(y);
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < l.Width; ++x) line[x] = LosslessPixel(l, raw.data(), row, x);
    }
    return image;
}

}  // namespace

QImage DecodeBitmap(const BitmapDefinition& bitmap, std::string& reason) {
    const bool lossless = bitmap.TagCode == TagDefineBitsLossless || bitmap.TagCode == TagDefineBitsLossless2;
    return lossless ? DecodeLossless(bitmap, reason) : DecodeJpegKinds(bitmap, reason);
}

std::vector<std::uint8_t> JoinJpegParts(std::span<const std::uint8_t> data) {
    std::vector<std::uint8_t> out{0xFF, 0xD8};
    std::size_t i = 0;
    const std::size_t n = data.size();
    // Marker segments up to the scan: start and end markers dropped, the rest copied.
    while (i + 1 < n && data[i] == 0xFF) {
        const std::uint8_t marker = data[i + 1];
        if (marker == 0xFF) {
            ++i;
        } else if (marker == 0xD8 || marker == 0xD9) {
            i += 2;
        } else if (marker == 0xDA || i + 4 > n) {
            break;
        } else {
            const std::size_t length = std::size_t{data[i + 2]} << 8 | data[i + 3];
            if (length < 2 || length > n - i - 2) break;
            out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(i),
                       data.begin() + static_cast<std::ptrdiff_t>(i + 2 + length));
            i += 2 + length;
        }
    }
    out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(i), data.end());
    return out;
}

SwfColor AverageColor(const QImage& picture) {
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    std::uint64_t sum[4] = {};
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            sum[0] += qRed(line[x]);
            sum[1] += qGreen(line[x]);
            sum[2] += qBlue(line[x]);
            sum[3] += qAlpha(line[x]);
        }
    }
    const std::uint64_t pixels = std::uint64_t(image.width()) * std::uint64_t(image.height());
    if (sum[3] == 0) return {0, 0, 0, 0};
    // Premultiplied channels sum to Σ colour·alpha/255: over Σ alpha that is the weighted mean.
    const auto channel = [&](std::uint64_t s) { return static_cast<std::uint8_t>(std::min<std::uint64_t>(255, (s * 255 + sum[3] / 2) / sum[3])); };
    return {channel(sum[0]), channel(sum[1]), channel(sum[2]), static_cast<std::uint8_t>((sum[3] + pixels / 2) / pixels)};
}
