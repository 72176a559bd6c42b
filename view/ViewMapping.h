#pragma once
#include <climits>
#include <cstdint>
#include <string>

// The one mapping between canvas pixels and document twips. Every value is
// read afresh from the controls by the caller and handed in here.
struct ViewGeometry {
    std::int32_t ScrollX = 0;       // HScroll1.Value
    std::int32_t ScrollY = 0;       // VScroll1.Value
    std::int32_t ScaleWidth = 0;    // Picture1.ScaleWidth
    std::int32_t ScaleHeight = 0;   // Picture1.ScaleHeight
    std::int32_t VScrollWidth = 0;  // VScroll1.Width
    std::int32_t HScrollHeight = 0; // HScroll1.Height
    float PlayerWidth = 0;          // the player control's size: ZoomRate × canvas size
    float PlayerHeight = 0;
    float ZoomRate = 1.0f;
};

struct DrawingArea {
    std::int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// Halves an integer truncating toward zero: Half(-7) = -3.
constexpr std::int32_t Half(std::int32_t n) { return n / 2; }

std::int32_t MarginX(const ViewGeometry& g);
std::int32_t MarginY(const ViewGeometry& g);
void PosScrToTwip(const ViewGeometry& g, float x, float y, std::int32_t& tx, std::int32_t& ty);
void PosTwipToScr(const ViewGeometry& g, std::int32_t tx, std::int32_t ty, std::int32_t& sx, std::int32_t& sy);
DrawingArea ComputeDrawingArea(const ViewGeometry& g);

// PosTwipToScr for many points of one redraw: the margins are worked out once.
class TwipToScreen {
public:
    explicit TwipToScreen(const ViewGeometry& g);
    void operator()(std::int32_t tx, std::int32_t ty, std::int32_t& sx, std::int32_t& sy) const {
        sx = Saturate(std::int64_t{Floor(zoom_ * tx / 20.0)} + offsetX_);
        sy = Saturate(std::int64_t{Floor(zoom_ * ty / 20.0)} + offsetY_);
    }

private:
    // floor() of a pixel coordinate, saturated to 32 bits; inline because
    // overlays map every anchor of every selected path on each redraw.
    static std::int32_t Floor(double v) {
        if (!(v > -2147483648.0)) return INT32_MIN;
        if (!(v < 2147483647.0)) return INT32_MAX;
        const auto i = static_cast<std::int32_t>(v);
        return static_cast<double>(i) > v ? i - 1 : i;
    }
    static std::int32_t Saturate(std::int64_t v) {
        return static_cast<std::int32_t>(v < INT32_MIN ? INT32_MIN : v > INT32_MAX ? INT32_MAX : v);
    }
    double zoom_;
    std::int32_t offsetX_, offsetY_;
};

// 32-bit like the scroll bars themselves: the largest canvas at any zoom the
// box takes scrolls from edge to edge.
struct ScrollRange {
    bool Enabled = false;
    std::int32_t Min = 0;
    std::int32_t Max = 0;
};
// The range of one scroll bar: `view` visible pixels for a canvas of `canvasSize` pixels at `zoom`.
ScrollRange ComputeScrollRange(std::int32_t view, float zoom, std::int32_t canvasSize);

// The zoom of a zoom box text: its leading number / 100, or 1.0 when that is not positive.
float ZoomFromText(const std::string& text);
// The zoom box text of a zoom: the whole part of zoom × 100 and "%", with the
// zoom taken as its shortest decimal form, so a typed whole number shows unchanged.
std::string ZoomText(float zoom);
