#pragma once
#include <QString>

class QLabel;
class QLineEdit;
class QScrollBar;
class QWidget;

// One row of a colour frame: a caption, a 0..255 slider (large step 51) and
// a number box showing "255".
struct SliderRow {
    QLabel* Label = nullptr;
    QScrollBar* Slider = nullptr;
    QLineEdit* Box = nullptr;
};
SliderRow AddSliderRow(QWidget* frame, int x, int y, int labelWidth, int sliderWidth, const QString& caption);

// The height of a row and the top of the first one inside a frame's caption.
inline constexpr int SliderRowHeight = 16, SliderRowTop = 15;
