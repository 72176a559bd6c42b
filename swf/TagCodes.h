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
// Tags read when a foreign movie is opened.
inline constexpr int TagPlaceObject = 4;
inline constexpr int TagRemoveObject = 5;
inline constexpr int TagDoAction = 12;
inline constexpr int TagSetBackgroundColor = 9;
inline constexpr int TagRemoveObject2 = 28;
inline constexpr int TagDefineSprite = 39;
inline constexpr int TagDoInitAction = 59;
inline constexpr int TagPlaceObject3 = 70;
inline constexpr int TagDoAbc = 72;
inline constexpr int TagDoAbc2 = 82;
inline constexpr int TagDefineShape4 = 83;
inline constexpr int TagDefineBits = 6;
inline constexpr int TagJpegTables = 8;
inline constexpr int TagDefineBitsLossless = 20;
inline constexpr int TagDefineBitsJpeg3 = 35;
inline constexpr int TagDefineBitsLossless2 = 36;
inline constexpr int TagDefineMorphShape = 46;
inline constexpr int TagDefineMorphShape2 = 84;
inline constexpr int TagDefineBitsJpeg4 = 90;

enum FillStyleType : std::uint8_t {
    FillSolid = 0x00,
    FillLinearGradient = 0x10,
    FillRadialGradient = 0x12,
    FillFocalGradient = 0x13,
    FillRepeatingBitmap = 0x40,
    FillClippedBitmap = 0x41,
    FillRepeatingBitmapHard = 0x42,
    FillClippedBitmapHard = 0x43,
};
