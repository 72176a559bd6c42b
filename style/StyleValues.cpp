#include "style/StyleValues.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/NumberText.h"
#include "core/Records.h"
#include "edit/Geometry.h"

std::int32_t PaletteCellColor(int col, int row) {
    return PackColor(255 - 51 * (col / 6), 255 - 51 * row, 255 - 51 * (col % 6), 0);
}

PickerHit PickerCellAt(int x, int y) {
    PickerHit hit;
    if (x < 0 || y < 0 || x >= PickerWidth - 1 || y >= PickerHeight - 1) return hit;
    if (x % CellWidth == 0) ++x;
    if (y % CellHeight == 0) ++y;
    return {true, x, y, x / CellWidth, y / CellHeight};
}

int ChannelFromText(std::string_view text) {
    return std::clamp(RoundHalfEven(LeadingNumber(text)), 0, 255);
}

std::int32_t WithAlpha(std::int32_t color, int alpha) {
    return static_cast<std::int32_t>((static_cast<std::uint32_t>(color) & 0xFFFFFFu) |
                                     (static_cast<std::uint32_t>(alpha & 255) << 24));
}

std::int32_t WithRgb(std::int32_t color, std::int32_t rgb) {
    return static_cast<std::int32_t>((static_cast<std::uint32_t>(color) & 0xFF000000u) |
                                     (static_cast<std::uint32_t>(rgb) & 0xFFFFFFu));
}

Rgb RgbOf(std::int32_t packed) { return {ColorByte(packed, 0), ColorByte(packed, 1), ColorByte(packed, 2)}; }

namespace {
int Over(int back, int color, int alpha) {
    return RoundHalfEven(back + static_cast<double>((color - back) * alpha) / 255.0);
}
}  // namespace

Rgb BlendOpacity(Rgb back, std::int32_t color) {
    const Rgb k = RgbOf(color);
    const int a = ColorByte(color, 3);
    return {Over(back.R, k.R, a), Over(back.G, k.G, a), Over(back.B, k.B, a)};
}

bool WantsWhiteText(Rgb c) { return RoundHalfEven(0.299 * c.R + 0.587 * c.G + 0.114 * c.B) < 128; }

Rgb MixRgb(Rgb a, Rgb b, int t, int n) {
    auto mix = [&](int from, int to) { return RoundHalfEven(from + static_cast<double>((to - from) * t) / n); };
    return {mix(a.R, b.R), mix(a.G, b.G), mix(a.B, b.B)};
}

float LineWidthFromText(std::string_view text) {
    const double points = LeadingNumber(text);
    if (!(points > 0)) return 1.0f;
    return static_cast<float>(std::min(points, static_cast<double>(MaxLineWidthPt)));
}

std::string LineWidthText(float points) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, points);
    return std::string(buffer, result.ptr) + " pt";
}
