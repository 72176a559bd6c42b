#pragma once
#include <cstdint>

// Codes of the movie format's tags and fill style types that the writer
// writes and the player reads.
inline constexpr int TagEnd = 0;
inline constexpr int TagShowFrame = 1;
inline constexpr int TagDefineShape = 2;
inline constexpr int TagDefineBitsJpeg2 = 21;
inline constexpr int TagDefineShape2 = 22;
inline constexpr int TagPlaceObject2 = 26;
inline constexpr int TagDefineShape3 = 32;

enum FillStyleType : std::uint8_t {
    FillSolid = 0x00,
    FillLinearGradient = 0x10,
    FillRadialGradient = 0x12,
    FillRepeatingBitmap = 0x40,
    FillClippedBitmap = 0x41,
    FillRepeatingBitmapHard = 0x42,
    FillClippedBitmapHard = 0x43,
};
