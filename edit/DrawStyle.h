#pragma once
#include <cstdint>

#include "core/Records.h"

// The current style that every new path takes (owned by the main window).
struct DrawStyle {
    float LineWidthPt = 1.0f;
    // Packed colours with alpha: 0 line, 1 fill, 2 second gradient colour.
    std::int32_t CurColors[3] = {PackColor(0, 0, 0, 255), PackColor(0, 255, 255, 255), PackColor(255, 255, 255, 255)};
    std::int16_t CurLineOn = 1;
    std::int16_t CurFillType = 0;
};
