#pragma once
#include <QCoreApplication>
#include <cstdint>

#include "core/DrawCore.h"
#include "core/PreviewHost.h"
#include "edit/DrawStyle.h"
#include "style/ColorPicker.h"

class QComboBox;
class QGroupBox;

// The colour row below the canvas: the current-colour swatches `PicColor`,
// the opacity frame `Frame2`, the picker with its information frame, and the
// line-width box. Every change becomes the style of new shapes and is applied
// at once to the selected paths, then the preview is rebuilt and redrawn.
class ColorRow {
    Q_DECLARE_TR_FUNCTIONS(ColorRow)

public:
    ColorRow(QWidget* parent, DrawCore& doc, DrawStyle& style, UserColorTable& userColors, PreviewHost& host);

    PictureBox* PicColor;
    QGroupBox* Frame2;
    SliderRow Rows[3];  // Label2(i), HScroll3(i), Text2(i): line, fill, second colour
    ColorPicker Picker;
    QComboBox* Combo1 = nullptr;

    // Takes over the line-width box: its list choice and Enter run Combo1_Click.
    void WireWidthBox(QComboBox* combo);
    // Start-up: the controls show the current style, no user cell edited.
    void Reset();

    void PicColor_MouseDown();
    void PicColor_Paint();
    void UpdateOpacityLabels();
    void HScroll3_Change(int i);
    void Text2_Change(int i);
    void Combo1_Click();

private:
    void ColorPicked(int slot, std::int32_t rgb);
    void ApplyCurrentColors(bool line, bool fill, bool second);

    DrawCore& doc_;
    DrawStyle& style_;
    PreviewHost& host_;
};
