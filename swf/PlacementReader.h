#pragma once
#include <cstdint>
#include <map>
#include <string>

#include "swf/BitReader.h"
#include "swf/MovieData.h"

// Applies one PlaceObject, PlaceObject2, PlaceObject3, RemoveObject or
// RemoveObject2 tag body to a display list. Returns a reason when the tag is
// malformed; the list then stays as it was. Clip actions are counted in
// `scripts`, never read further.
std::string ApplyDisplayTag(BitReader& r, int tagCode, std::map<std::uint16_t, Placement>& list, int& scripts);
