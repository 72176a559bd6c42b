#pragma once
#include <cstdint>
#include <string_view>

#include "swf/SWFMakeCore.h"

// Appends a DefineBitsJPEG2 tag of the JPEG stream `jpeg` (which starts with
// its own FF D8 marker); nothing when there is no JPEG data.
void DefineBitmap(SWFMakeCore& mk, std::uint16_t characterId, std::string_view jpeg);

// Appends a DefineShape tag: a w x h pixel rectangle filled with bitmap
// `bitmapId` (clipped, 1 pixel = 20 twips), drawn from its lower right corner
// left, up, right and down. Sizes are limited to 0..65535 pixels.
void DefineBitmapShape(SWFMakeCore& mk, std::uint16_t shapeId, std::uint16_t bitmapId, std::int32_t width,
                       std::int32_t height);
