#include "swf/MovieReader.h"

#include <algorithm>
#include <string>

#include "swf/BitReader.h"
#include "swf/RecordReaders.h"
#include "swf/ShapeReader.h"
#include "swf/TagCodes.h"

namespace {

void AddReason(ParsedMovie& movie, const std::string& reason) {
    if (!movie.Reason.empty()) movie.Reason += "; ";
    movie.Reason += reason;
}

std::string ReadHeader(const std::uint8_t* data, std::size_t size, MovieHeader& header, std::size_t& headerEnd) {
    if (size < 8) return "the file is too short for a movie header";
    if (data[0] == 'C' && data[1] == 'W' && data[2] == 'S') return "compressed movies are not supported";
    if (data[0] != 'F' || data[1] != 'W' || data[2] != 'S') return "the file is not a movie (no FWS signature)";
    BitReader r(data, size);
    r.skipBytes(3);
    header.Version = r.readU8();
    header.FileLength = r.readU32();
    header.FrameSize = ReadRect(r);
    const std::uint8_t rateFraction = r.readU8();
    const std::uint8_t rateInteger = r.readU8();
    header.FrameRate = rateInteger + rateFraction / 256.0;
    header.FrameCount = r.readU16();
    if (r.failed()) return "the movie header is truncated";
    headerEnd = r.bytePosition();
    return {};
}

bool EmptyFrame(const SwfRect& f) { return std::int64_t{f.Xmax} - f.Xmin <= 0 || std::int64_t{f.Ymax} - f.Ymin <= 0; }

// Final checks once the tags are read.
ParsedMovie& Finish(ParsedMovie& movie, bool frameEnded) {
    if (EmptyFrame(movie.Header.FrameSize)) AddReason(movie, "the movie's frame size is empty");
    else if (!frameEnded) AddReason(movie, "the movie ends before its first ShowFrame");
    movie.Complete = movie.Reason.empty();
    return movie;
}

std::string ReadBitmap(BitReader& r, std::size_t length, ParsedMovie& movie) {
    if (length < 2) return "DefineBitsJPEG2 tag too short";
    auto bitmap = std::make_shared<BitmapDefinition>();
    bitmap->Id = r.readU16();
    const std::uint8_t* bytes = r.data() + 2;
    std::size_t count = length - 2;
    // The stream may open with an empty table block (FF D9 FF D8) before the image's own start marker.
    if (count >= 4 && bytes[0] == 0xFF && bytes[1] == 0xD9 && bytes[2] == 0xFF && bytes[3] == 0xD8) {
        bytes += 4;
        count -= 4;
    }
    bitmap->Jpeg.assign(bytes, bytes + count);
    movie.Bitmaps.emplace(bitmap->Id, std::move(bitmap));
    return {};
}

std::string ReadPlacement(BitReader& r, ParsedMovie& movie) {
    const std::uint8_t flags = r.readU8();
    Placement p;
    p.Depth = r.readU16();
    p.HasCharacter = flags & 0x02;
    if (p.HasCharacter) p.CharacterId = r.readU16();
    const bool hasMatrix = flags & 0x04, hasCx = flags & 0x08;
    if (hasMatrix) p.Matrix = ReadMatrix(r);
    if (hasCx) p.ColorTransform = ReadColorTransformAlpha(r);
    if (flags & 0x10) r.readU16();  // ratio
    if (flags & 0x20)
        while (!r.failed() && r.readU8() != 0) {
        }
    if (flags & 0x40) {
        r.readU16();
        p.IsMask = true;
    }
    if (r.failed()) return "PlaceObject2 tag truncated";
    const bool move = flags & 0x01;
    auto it = movie.DisplayList.find(p.Depth);
    if (!move) {
        if (it != movie.DisplayList.end() || !p.HasCharacter) return {};
        movie.DisplayList.emplace(p.Depth, p);
    } else if (it != movie.DisplayList.end()) {
        Placement& old = it->second;
        if (p.HasCharacter) old.CharacterId = p.CharacterId;
        if (hasMatrix) old.Matrix = p.Matrix;
        if (hasCx) old.ColorTransform = p.ColorTransform;
        old.IsMask = old.IsMask || p.IsMask;
    }
    return {};
}

}  // namespace

ParsedMovie ReadMovie(const std::uint8_t* data, std::size_t size) {
    ParsedMovie movie;
    std::size_t pos = 0;
    if (std::string reason = ReadHeader(data, size, movie.Header, pos); !reason.empty()) {
        movie.Reason = reason;
        return movie;
    }
    std::size_t end = size;
    if (movie.Header.FileLength > size) {
        AddReason(movie, "the file is shorter than its header says");
    } else if (movie.Header.FileLength < size) {
        end = std::max<std::size_t>(movie.Header.FileLength, pos);
    }
    std::size_t recordBudget = MaxMovieShapeRecords;
    while (pos < end) {
        if (end - pos < 2) {
            AddReason(movie, "tag header truncated");
            return Finish(movie, false);
        }
        const unsigned word = data[pos] | (data[pos + 1] << 8);
        pos += 2;
        const int code = static_cast<int>(word >> 6);
        std::size_t length = word & 0x3F;
        if (length == 0x3F) {
            if (end - pos < 4) {
                AddReason(movie, "tag header truncated");
                return Finish(movie, false);
            }
            length = data[pos] | (data[pos + 1] << 8) | (data[pos + 2] << 16) | (std::size_t{data[pos + 3]} << 24);
            pos += 4;
        }
        if (length > end - pos) {
            AddReason(movie, "tag " + std::to_string(code) + " runs past the end of the file");
            return Finish(movie, false);
        }
        BitReader body(data + pos, length);
        pos += length;
        std::string reason;
        switch (code) {
        case TagEnd:
        case TagShowFrame:
            return Finish(movie, true);
        case TagDefineShape:
        case TagDefineShape2:
        case TagDefineShape3: {
            auto shape = std::make_shared<ShapeDefinition>();
            shape->BodyOffset = pos - length;
            shape->BodySize = length;
            reason = ReadShape(body, code, *shape, recordBudget);
            if (!shape->Layers.empty() && !movie.Shapes.count(shape->Id)) movie.Shapes.emplace(shape->Id, std::move(shape));
            break;
        }
        case TagDefineBitsJpeg2:
            reason = ReadBitmap(body, length, movie);
            break;
        case TagPlaceObject2:
            reason = ReadPlacement(body, movie);
            break;
        default:
            break;
        }
        if (!reason.empty()) AddReason(movie, reason);
        if (recordBudget == 0) return Finish(movie, false);
    }
    return Finish(movie, false);
}
