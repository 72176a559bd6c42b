#pragma once
#include <cstdint>
#include <string>

#include "swf/SWFMakeCore.h"

// Depths of the preview movie's placements.
inline constexpr std::uint16_t DrawingDepth = 259;
inline constexpr std::uint16_t UnderlayBackDepth = 258;
inline constexpr std::uint16_t UnderlayFrontDepth = 260;
// Bytes of the movie header for a canvas of that size; the first tag starts
// here. 21 up to 1638 pixels, whose twips the frame's 16-bit fields hold;
// larger canvases widen the fields as far as their twips need.
std::size_t MovieHeaderSize(std::int32_t canvasWidth, std::int32_t canvasHeight);

// Starts a new movie in an emptied buffer: the header of an uncompressed
// movie with the canvas as frame size. FileLength and FrameCount are filled
// in when the movie is finished. Resets FrameCounter.
void WriteMovieHeader(SWFMakeCore& mk, std::uint8_t version, std::int32_t canvasWidth, std::int32_t canvasHeight,
                      float rate);
// Appends a PlaceObject2 tag placing a character with a matrix and a colour
// transform (red, green and blue multiplied by 1.0, alpha by alphaMultiplier/256).
void PlaceCharacter(SWFMakeCore& mk, std::uint16_t characterId, std::int64_t translateX, std::int64_t translateY,
                    float scaleX, float scaleY, double rotation, std::int32_t colourAdd, std::int32_t alphaMultiplier,
                    std::uint16_t depth);
void WriteShowFrame(SWFMakeCore& mk);
void WriteEnd(SWFMakeCore& mk);
// Fills in FileLength and FrameCount and hands over the finished bytes; the
// buffer is empty afterwards.
std::string TakeMovieBytes(SWFMakeCore& mk);
// Fills in FileLength and FrameCount and writes the movie to `path` through a
// temporary file that replaces it, so a failed write leaves the old file
// whole. The buffer is empty afterwards. False when the write failed.
bool WriteMovieFile(SWFMakeCore& mk, const std::string& path);
