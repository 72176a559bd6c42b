#pragma once
#include <cstdint>

// Whole twips, the unit of every document coordinate.

struct TwipPoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    bool operator==(const TwipPoint&) const = default;
};

// Nearest whole number, halves to even; saturates at the 32-bit range so a
// huge scale factor cannot produce an undefined conversion.
std::int32_t RoundHalfEven(double value);
