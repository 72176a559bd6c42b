#pragma once
#include <array>
#include <cstdint>

#include "edit/Geometry.h"

// The bounding box of the selection with its nine handle points, index =
// row * 3 + column (0 top-left ... 4 centre ... 8 bottom-right); handle
// number = index + 1, the centre is never a handle.
struct SelectionBox {
    std::array<TwipPoint, 9> SelRect{};
    // Selected paths with at least two anchors, as last counted.
    std::int32_t SelCount = 0;
};
