#pragma once
#include <string>

// The font of the canvas that the text tool outlines with.
struct TextFont {
    std::string Family;  // empty: none chosen yet
    bool Bold = false;
    bool Italic = false;
    float SizePt = 64.0f;
};
