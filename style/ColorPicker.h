#pragma once
#include <QCoreApplication>
#include <cstdint>
#include <functional>

#include "core/UserColors.h"
#include "style/PictureBox.h"
#include "style/SliderRow.h"

class QGroupBox;

// The colour picker `PicPicker` (the fixed palette and the 36 user cells) and
// the colour information frame `Frame1` beside it, whose R, G, B sliders edit
// the user cell last clicked.
class ColorPicker {
    Q_DECLARE_TR_FUNCTIONS(ColorPicker)

public:
    ColorPicker(QWidget* parent, UserColorTable& userColors);

    PictureBox* PicPicker;
    QGroupBox* Frame1;
    PictureBox* PicUserColor;
    SliderRow Rows[3];  // Label1(i), HScroll2(i), Text1(i): red, green, blue

    // The user cell being edited (column 0..5, -1 when none) and its row.
    int UserCellX = -1;
    int UserCellY = 0;

    // A press that picks a current colour: the slot (0 line, 1 fill, 2 second)
    // and the sampled colour's red, green and blue.
    std::function<void(int slot, std::int32_t rgb)> ColorPicked;

    // Start-up: no user cell edited, the frame back to its palette state.
    void Reset();
    void PicPicker_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void PicPicker_Paint();
    void HScroll2_Change(int i);
    void Text1_Change(int i);
    void PicUserColor_MouseDown(int x, int y);

private:
    void EnableSliders(bool on);
    void FillUserSwatch(int bottom, std::int32_t rgb);

    UserColorTable& userColors_;
    QImage palette_;
};
