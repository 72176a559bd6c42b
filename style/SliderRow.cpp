#include "style/SliderRow.h"

#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

SliderRow AddSliderRow(QWidget* frame, int x, int y, int labelWidth, int sliderWidth, const QString& caption) {
    SliderRow row;
    row.Label = new QLabel(caption, frame);
    row.Label->setGeometry(x, y, labelWidth, SliderRowHeight);
    row.Label->setAlignment(Qt::AlignCenter);
    row.Slider = new QScrollBar(Qt::Horizontal, frame);
    row.Slider->setRange(0, 255);
    row.Slider->setSingleStep(1);
    row.Slider->setPageStep(51);
    row.Slider->setValue(255);
    row.Slider->setGeometry(x + labelWidth + 2, y + 1, sliderWidth, SliderRowHeight - 2);
    row.Box = new QLineEdit("255", frame);
    row.Box->setGeometry(x + labelWidth + sliderWidth + 4, y, 30, SliderRowHeight);
    row.Box->setAlignment(Qt::AlignRight);
    row.Box->setTextMargins(0, 0, 0, 0);
    return row;
}
