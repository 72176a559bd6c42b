#include "swf/BitmapCache.h"

#include "swf/BitmapDecode.h"

QImage TransformImageColors(const QImage& source, const SwfColorTransform& cx) {
    QImage image = source.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = line[x];
            const SwfColor c = ApplyColorTransform(cx, {static_cast<std::uint8_t>(qRed(p)), static_cast<std::uint8_t>(qGreen(p)),
                                                        static_cast<std::uint8_t>(qBlue(p)), static_cast<std::uint8_t>(qAlpha(p))});
            line[x] = qRgba(c.R, c.G, c.B, c.A);
        }
    }
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

const QImage* BitmapCache::Get(const ParsedMovie& movie, std::uint16_t id, const SwfColorTransform& cx, std::string& reason) {
    auto def = movie.Bitmaps.find(id);
    if (def == movie.Bitmaps.end()) return nullptr;
    Entry& e = entries_[id];
    const BitmapDefinition& b = *def->second;
    if (!e.Source || (e.Source != def->second && (e.Source->Jpeg != b.Jpeg || e.Source->TagCode != b.TagCode ||
                                                   e.Source->Alpha != b.Alpha || e.Source->Lossless != b.Lossless))) {
        e = Entry{};
        e.Decoded = DecodeBitmap(b, e.Failure);
    }
    e.Source = def->second;
    if (e.Decoded.isNull()) {
        reason = "bitmap " + std::to_string(id) + ": " + e.Failure;
        return nullptr;
    }
    if (cx == SwfColorTransform{}) return &e.Decoded;
    if (e.Transformed.isNull() || !(e.TransformedBy == cx)) {
        e.Transformed = TransformImageColors(e.Decoded, cx);
        e.TransformedBy = cx;
    }
    return &e.Transformed;
}

void BitmapCache::Retain(const ParsedMovie& movie) {
    for (auto it = entries_.begin(); it != entries_.end();)
        it = movie.Bitmaps.count(it->first) ? std::next(it) : entries_.erase(it);
}
