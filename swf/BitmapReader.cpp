#include "swf/BitmapReader.h"

#include <memory>

namespace {

std::vector<std::uint8_t> Bytes(const std::uint8_t* data, std::size_t count) { return {data, data + count}; }

}  // namespace

std::string ReadBitmapTag(BitReader& r, int tagCode, ParsedMovie& movie) {
    const std::uint8_t* data = r.data();
    const std::size_t size = r.size();
    if (tagCode == TagJpegTables) {
        movie.JpegTables = Bytes(data, size);
        return {};
    }
    auto bitmap = std::make_shared<BitmapDefinition>();
    bitmap->TagCode = tagCode;
    bitmap->Id = r.readU16();
    if (r.failed()) return "bitmap tag " + std::to_string(tagCode) + " too short";
    const std::uint8_t* body = data + 2;
    std::size_t count = size - 2;
    switch (tagCode) {
    case TagDefineBits:
        bitmap->Jpeg = movie.JpegTables;
        bitmap->Jpeg.insert(bitmap->Jpeg.end(), body, body + count);
        break;
    case TagDefineBitsJpeg2:
        // The stream may open with an empty table block (FF D9 FF D8) before the image's own start marker.
        if (count >= 4 && body[0] == 0xFF && body[1] == 0xD9 && body[2] == 0xFF && body[3] == 0xD8) {
            body += 4;
            count -= 4;
        }
        bitmap->Jpeg = Bytes(body, count);
        break;
    case TagDefineBitsJpeg3:
    case TagDefineBitsJpeg4: {
        const std::size_t alphaOffset = r.readU32();
        if (tagCode == TagDefineBitsJpeg4) r.readU16();  // deblocking
        const std::size_t image = r.bytePosition();
        if (r.failed() || alphaOffset > size - image) return "bitmap " + std::to_string(bitmap->Id) + ": the alpha offset runs past the tag";
        bitmap->Jpeg = Bytes(data + image, alphaOffset);
        bitmap->Alpha = Bytes(data + image + alphaOffset, size - image - alphaOffset);
        break;
    }
    default:  // lossless
        bitmap->Lossless = Bytes(body, count);
        break;
    }
    movie.Bitmaps.emplace(bitmap->Id, std::move(bitmap));
    return {};
}
