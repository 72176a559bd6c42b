#include "core/Twips.h"

#include <cmath>
#include <limits>

std::int32_t RoundHalfEven(double value) {
    constexpr double lo = std::numeric_limits<std::int32_t>::min();
    constexpr double hi = std::numeric_limits<std::int32_t>::max();
    if (std::isnan(value)) return 0;
    // The default floating-point environment rounds to nearest, ties to even.
    const double r = std::nearbyint(value);
    if (r <= lo) return std::numeric_limits<std::int32_t>::min();
    if (r >= hi) return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(r);
}
