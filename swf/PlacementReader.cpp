#include "swf/PlacementReader.h"

#include "swf/RecordReaders.h"
#include "swf/TagCodes.h"

namespace {

void SkipString(BitReader& r) {
    while (!r.failed() && r.readU8() != 0) {
    }
}

std::string PlaceFirstKind(BitReader& r, std::map<std::uint16_t, Placement>& list) {
    Placement p;
    p.HasCharacter = true;
    p.CharacterId = r.readU16();
    p.Depth = r.readU16();
    p.Matrix = ReadMatrix(r);
    if (r.bytesLeft() > 0) p.ColorTransform = ReadColorTransform(r);
    if (r.failed()) return "PlaceObject tag truncated";
    list[p.Depth] = p;
    return {};
}

// PlaceObject2 and PlaceObject3 share their fields; the latter adds a second
// flag byte and a class name before the character.
std::string PlaceLaterKind(BitReader& r, int tagCode, std::map<std::uint16_t, Placement>& list, int& scripts) {
    const std::uint8_t flags = r.readU8();
    const std::uint8_t flags2 = tagCode == TagPlaceObject3 ? r.readU8() : 0;
    Placement p;
    p.Depth = r.readU16();
    p.HasCharacter = flags & 0x02;
    if ((flags2 & 0x08) || ((flags2 & 0x10) && p.HasCharacter)) SkipString(r);  // class name
    if (p.HasCharacter) p.CharacterId = r.readU16();
    const bool hasMatrix = flags & 0x04, hasCx = flags & 0x08, hasRatio = flags & 0x10;
    if (hasMatrix) p.Matrix = ReadMatrix(r);
    if (hasCx) p.ColorTransform = ReadColorTransformAlpha(r);
    if (hasRatio) p.Ratio = r.readU16();
    if (flags & 0x20) SkipString(r);  // instance name
    if (flags & 0x40) {
        r.readU16();
        p.IsMask = true;
    }
    if (r.failed()) return (tagCode == TagPlaceObject3 ? "PlaceObject3" : "PlaceObject2") + std::string(" tag truncated");
    if (flags & 0x80) ++scripts;
    const bool move = flags & 0x01;
    auto it = list.find(p.Depth);
    if (!move) {
        if (it != list.end() || !p.HasCharacter) return {};
        list.emplace(p.Depth, p);
    } else if (it != list.end()) {
        Placement& old = it->second;
        if (p.HasCharacter) old.CharacterId = p.CharacterId;
        if (hasMatrix) old.Matrix = p.Matrix;
        if (hasCx) old.ColorTransform = p.ColorTransform;
        if (hasRatio) old.Ratio = p.Ratio;
        old.IsMask = old.IsMask || p.IsMask;
    }
    return {};
}

}  // namespace

std::string ApplyDisplayTag(BitReader& r, int tagCode, std::map<std::uint16_t, Placement>& list, int& scripts) {
    switch (tagCode) {
    case TagPlaceObject:
        return PlaceFirstKind(r, list);
    case TagPlaceObject2:
    case TagPlaceObject3:
        return PlaceLaterKind(r, tagCode, list, scripts);
    case TagRemoveObject:
    case TagRemoveObject2: {
        if (tagCode == TagRemoveObject) r.readU16();  // character
        const std::uint16_t depth = r.readU16();
        if (r.failed()) return "RemoveObject tag truncated";
        list.erase(depth);
        return {};
    }
    default:
        return {};
    }
}
