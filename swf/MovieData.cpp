#include "swf/MovieData.h"

#include <algorithm>

SwfColor ApplyColorTransform(const SwfColorTransform& cx, SwfColor c) {
    const auto channel = [&](std::uint8_t v, int i) {
        const std::int64_t t = ((static_cast<std::int64_t>(v) * cx.Mult[i]) >> 8) + cx.Add[i];
        return static_cast<std::uint8_t>(std::clamp<std::int64_t>(t, 0, 255));
    };
    return {channel(c.R, 0), channel(c.G, 1), channel(c.B, 2), channel(c.A, 3)};
}
