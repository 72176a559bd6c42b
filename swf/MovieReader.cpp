#include "swf/MovieReader.h"

#include <algorithm>
#include <string>

#include "swf/BitReader.h"
#include "swf/BitmapReader.h"
#include "swf/MorphShape.h"
#include "swf/PlacementReader.h"
#include "swf/RecordReaders.h"
#include "swf/ShapeReader.h"
#include "swf/TagCodes.h"
#include "swf/TextReader.h"
#include "swf/FontReader.h"

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

constexpr const char* ShortFileReason = "the file is shorter than its header says";

// Final checks once the tags are read. `cutShort`: the file is shorter than
// its header says and its tags break off, which is not yet reported.
ParsedMovie& Finish(ParsedMovie& movie, bool frameEnded, bool cutShort = false) {
    if (cutShort) AddReason(movie, ShortFileReason);
    if (EmptyFrame(movie.Header.FrameSize)) AddReason(movie, "the movie's frame size is empty");
    else if (!frameEnded) AddReason(movie, "the movie ends before its first ShowFrame");
    movie.Complete = movie.Reason.empty();
    return movie;
}

// Reads the tag header at `pos`, which then moves to the body.
std::string NextTag(const std::uint8_t* data, std::size_t end, std::size_t& pos, int& code, std::size_t& length) {
    if (end - pos < 2) return "tag header truncated";
    const unsigned word = data[pos] | (data[pos + 1] << 8);
    pos += 2;
    code = static_cast<int>(word >> 6);
    length = word & 0x3F;
    if (length == 0x3F) {
        if (end - pos < 4) return "tag header truncated";
        length = data[pos] | (data[pos + 1] << 8) | (data[pos + 2] << 16) | (std::size_t{data[pos + 3]} << 24);
        pos += 4;
    }
    if (length > end - pos) return "tag " + std::to_string(code) + " runs past the end of the file";
    return {};
}

// Whether the tag headers from `pos` on lead to an End tag within the bytes.
bool TagsRunToEnd(const std::uint8_t* data, std::size_t end, std::size_t pos) {
    int code = -1;
    std::size_t length = 0;
    while (code != TagEnd && pos < end) {
        if (!NextTag(data, end, pos, code, length).empty()) return false;
        pos += length;
    }
    return code == TagEnd;
}

// A sprite's display list at the end of its first frame. Skipping damaged
// tags, a damaged placement in it is counted and the rest kept; a broken tag
// stream inside it makes the whole sprite damaged.
std::string ReadSprite(const std::uint8_t* data, std::size_t size, ParsedMovie& movie, DamagedTagMode damaged) {
    if (size < 4) return "DefineSprite tag too short";
    SpriteDefinition sprite;
    sprite.Id = static_cast<std::uint16_t>(data[0] | (data[1] << 8));
    std::size_t pos = 4;
    std::string reason;
    while (pos < size && reason.empty()) {
        int code = 0;
        std::size_t length = 0;
        if (reason = NextTag(data, size, pos, code, length); !reason.empty()) break;
        BitReader body(data + pos, length);
        pos += length;
        if (code == TagEnd || code == TagShowFrame) break;
        if (code == TagDoAction) ++movie.Scripts;
        reason = ApplyDisplayTag(body, code, sprite.DisplayList, movie.Scripts);
        if (!reason.empty() && damaged == DamagedTagMode::Skip) {
            ++movie.DamagedTags;
            reason.clear();
        }
    }
    if (reason.empty() || damaged == DamagedTagMode::Keep) movie.Sprites.emplace(sprite.Id, std::move(sprite));
    return reason.empty() ? reason : "sprite " + std::to_string(sprite.Id) + ": " + reason;
}

// Codes the format defines; any other tag is counted as unknown and skipped.
bool KnownTag(int code) {
    static constexpr int known[] = {0,  1,  2,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 17, 18, 19, 20, 21, 22, 24,
                                    26, 28, 32, 33, 34, 35, 36, 37, 39, 40, 41, 43, 45, 46, 48, 56, 57, 58, 59, 60, 61, 62,
                                    63, 64, 65, 66, 69, 70, 71, 72, 73, 74, 75, 76, 77, 78, 82, 83, 84, 86, 87, 88, 89, 90,
                                    91, 93};
    return std::find(std::begin(known), std::end(known), code) != std::end(known);
}

}  // namespace

ParsedMovie ReadMovie(const std::uint8_t* data, std::size_t size) { return ReadMovieFrame(data, size, 1); }

ParsedMovie ReadMovieFrame(const std::uint8_t* data, std::size_t size, int frame, DamagedTagMode damaged) {
    ParsedMovie movie;
    int shown = 0;
    std::size_t pos = 0;
    if (std::string reason = ReadHeader(data, size, movie.Header, pos); !reason.empty()) {
        movie.Reason = reason;
        return movie;
    }
    std::size_t end = size;
    // Some writers state a length a little past their End tag: skipping
    // damage, a short file matters only when its tags break off before it.
    const bool cutShort = movie.Header.FileLength > size && damaged == DamagedTagMode::Skip;
    if (movie.Header.FileLength > size && !cutShort) {
        AddReason(movie, ShortFileReason);
    } else if (movie.Header.FileLength < size) {
        end = std::max<std::size_t>(movie.Header.FileLength, pos);
    }
    std::size_t recordBudget = MaxMovieShapeRecords;
    while (pos < end) {
        int code = 0;
        std::size_t length = 0;
        if (std::string reason = NextTag(data, end, pos, code, length); !reason.empty()) {
            AddReason(movie, reason);
            return Finish(movie, false, cutShort);
        }
        BitReader body(data + pos, length);
        pos += length;
        std::string reason;
        switch (code) {
        case TagEnd:
            if (shown < frame && frame > 1)
                AddReason(movie, "the movie has only " + std::to_string(shown) + (shown == 1 ? " frame" : " frames"));
            return Finish(movie, true);
        case TagShowFrame:
            if (++shown >= frame) return Finish(movie, true, cutShort && !TagsRunToEnd(data, end, pos));
            break;
        case TagDefineShape:
        case TagDefineShape2:
        case TagDefineShape3:
        case TagDefineShape4: {
            auto shape = std::make_shared<ShapeDefinition>();
            shape->BodyOffset = pos - length;
            shape->BodySize = length;
            reason = ReadShape(body, code, *shape, recordBudget);
            if (!shape->Layers.empty() && !movie.Shapes.count(shape->Id) && (reason.empty() || damaged == DamagedTagMode::Keep))
                movie.Shapes.emplace(shape->Id, std::move(shape));
            break;
        }
        case TagDefineFont:
        case TagDefineFont2:
        case TagDefineFont3:
        case TagDefineText:
        case TagDefineText2:
        case TagDefineEditText:
            reason = ReadTextTag(body, code, movie, recordBudget);
            break;
        case TagDefineMorphShape:
        case TagDefineMorphShape2: {
            auto morph = std::make_shared<MorphDefinition>();
            if (reason = ReadMorphShape(body, code, *morph, recordBudget); reason.empty()) movie.Morphs.emplace(morph->Id, std::move(morph));
            break;
        }
        case TagDefineBits:
        case TagJpegTables:
        case TagDefineBitsJpeg2:
        case TagDefineBitsJpeg3:
        case TagDefineBitsJpeg4:
        case TagDefineBitsLossless:
        case TagDefineBitsLossless2:
            reason = ReadBitmapTag(body, code, movie);
            break;
        case TagPlaceObject:
        case TagPlaceObject2:
        case TagPlaceObject3:
        case TagRemoveObject:
        case TagRemoveObject2:
            reason = ApplyDisplayTag(body, code, movie.DisplayList, movie.Scripts);
            break;
        case TagDefineSprite:
            reason = ReadSprite(data + pos - length, length, movie, damaged);
            break;
        case TagSetBackgroundColor:
            movie.Background = ReadRgb(body);
            if (body.failed()) movie.Background.reset();
            break;
        case TagDoAction:
        case TagDoInitAction:
        case TagDoAbc:
        case TagDoAbc2:
            ++movie.Scripts;
            break;
        default:
            if (!KnownTag(code)) ++movie.UnknownTags;
            break;
        }
        if (!reason.empty()) {
            // Running out of the record budget is a limit, not damage: it is always reported.
            if (damaged == DamagedTagMode::Skip && recordBudget > 0) ++movie.DamagedTags;
            else AddReason(movie, reason);
        }
        if (recordBudget == 0) return Finish(movie, false, cutShort);
    }
    return Finish(movie, false, cutShort);
}
