#include "view/ViewMapping.h"

#include <algorithm>
#include <cmath>
#include <charconv>
#include <cstdlib>

#include "core/NumberText.h"
#include "core/Twips.h"

namespace {
std::int32_t Margin(std::int32_t scale, std::int32_t bar, float player) {
    const std::int32_t view = scale - bar;
    return Half(RoundHalfEven(static_cast<double>(view) - static_cast<double>(player)));
}

std::int32_t FloorToInt(double v) {
    v = std::floor(v);
    return static_cast<std::int32_t>(std::clamp(v, -2147483648.0, 2147483647.0));
}

}  // namespace

std::int32_t MarginX(const ViewGeometry& g) { return Margin(g.ScaleWidth, g.VScrollWidth, g.PlayerWidth); }
std::int32_t MarginY(const ViewGeometry& g) { return Margin(g.ScaleHeight, g.HScrollHeight, g.PlayerHeight); }

void PosScrToTwip(const ViewGeometry& g, float x, float y, std::int32_t& tx, std::int32_t& ty) {
    const double zoom = g.ZoomRate;
    tx = FloorToInt(((g.ScrollX + static_cast<double>(x)) - MarginX(g)) / zoom * 20.0);
    ty = FloorToInt(((g.ScrollY + static_cast<double>(y)) - MarginY(g)) / zoom * 20.0);
}

TwipToScreen::TwipToScreen(const ViewGeometry& g)
    : zoom_(g.ZoomRate), offsetX_(MarginX(g) - g.ScrollX), offsetY_(MarginY(g) - g.ScrollY) {}

void PosTwipToScr(const ViewGeometry& g, std::int32_t tx, std::int32_t ty, std::int32_t& sx, std::int32_t& sy) {
    const TwipToScreen map(g);
    map(tx, ty, sx, sy);
}

DrawingArea ComputeDrawingArea(const ViewGeometry& g) {
    DrawingArea a;
    a.Left = MarginX(g) - g.ScrollX;
    a.Top = MarginY(g) - g.ScrollY;
    a.Right = RoundHalfEven(static_cast<double>(g.PlayerWidth) + a.Left);
    a.Bottom = RoundHalfEven(static_cast<double>(g.PlayerHeight) + a.Top);
    return a;
}

ScrollRange ComputeScrollRange(std::int32_t view, float zoom, std::int32_t canvasSize) {
    const float magnified = zoom * static_cast<float>(canvasSize);
    ScrollRange range;
    if (!(static_cast<float>(view) < magnified)) return range;
    const double d = static_cast<double>(magnified) - view;
    range.Enabled = true;
    range.Max = Half(RoundHalfEven(d));
    range.Min = Half(RoundHalfEven(-d));
    return range;
}

float ZoomFromText(const std::string& text) {
    const float zoom = static_cast<float>(LeadingNumber(text) / 100.0);
    return zoom > 0 && std::isfinite(zoom) ? zoom : 1.0f;
}

std::string ZoomText(float zoom) {
    // floor(ZoomRate × 100) worked on the zoom's shortest decimal form, which is
    // what was typed as far as single precision holds it: 0.53f is 0.52999997 in
    // binary and a binary product would floor to 52. Shifting decimal digits
    // also cannot overflow, however large the zoom.
    if (!(zoom > 0) || !std::isfinite(zoom)) return "0%";
    char buf[32];
    const auto end = std::to_chars(buf, buf + sizeof buf, zoom, std::chars_format::scientific).ptr;
    const std::string text(buf, end);  // "5.3e-01"
    const std::size_t e = text.find('e');
    std::string digits = text.substr(0, e);
    digits.erase(std::remove(digits.begin(), digits.end(), '.'), digits.end());
    const int wholeDigits = std::atoi(text.c_str() + e + 1) + 3;  // one before the point, two from × 100
    if (wholeDigits <= 0) return "0%";
    digits.resize(static_cast<std::size_t>(wholeDigits), '0');
    return digits + "%";
}
