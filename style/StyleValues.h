#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// The values behind the colour row's controls: the palette picture's cells,
// the numbers typed into its boxes and the opacity swatch colours.

// The picker picture: 36 palette columns and 6 user columns of 8 × 11 pixel
// cells, 6 rows, with a grid line on every multiple of 8 (x) and 11 (y).
inline constexpr int PickerWidth = 337, PickerHeight = 67;
inline constexpr int CellWidth = 8, CellHeight = 11;
inline constexpr int PaletteColumns = 36, UserColumns = 6, PickerRows = 6;

// Palette cell (col 0..35, row 0..5): channels that are multiples of 51,
// white at the top left and black at the bottom right. Opaque-free RGB.
std::int32_t PaletteCellColor(int col, int row);

// Where a press on the picker samples: grid lines are never sampled (a press
// on one moves a pixel right or down), and the last grid lines pick nothing.
struct PickerHit {
    bool Valid = false;
    int X = 0, Y = 0;      // the pixel sampled
    int Col = 0, Row = 0;  // its cell; Col >= PaletteColumns is a user cell
};
PickerHit PickerCellAt(int x, int y);

// A channel or opacity box's value: its leading number rounded to whole
// (halves to even) and limited to 0..255.
int ChannelFromText(std::string_view text);

// `color` with its top byte replaced by `alpha` / its low three bytes by `rgb`'s.
std::int32_t WithAlpha(std::int32_t color, int alpha);
std::int32_t WithRgb(std::int32_t color, std::int32_t rgb);

struct Rgb {
    int R = 0, G = 0, B = 0;
    bool operator==(const Rgb&) const = default;
};
Rgb RgbOf(std::int32_t packed);
// `color` laid over `back` with its own opacity (each channel rounded).
Rgb BlendOpacity(Rgb back, std::int32_t color);
// White text reads better than black on `c` when its brightness is below 128.
bool WantsWhiteText(Rgb c);
// The channel-wise mix of `a` and `b` at t / n of the way (each rounded).
Rgb MixRgb(Rgb a, Rgb b, int t, int n);

// The widest line the movie can hold is 65535 twips.
inline constexpr float MaxLineWidthPt = 65535.0f / 20.0f;
// The width box: its leading number in points, 1 when that is not positive,
// and at most MaxLineWidthPt.
float LineWidthFromText(std::string_view text);
// "1.5 pt", "2 pt": the shortest decimal form of the width and " pt".
std::string LineWidthText(float points);
