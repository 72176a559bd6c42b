#include "style/ColorRow.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>

#include "style/ApplyStyle.h"
#include "style/StyleValues.h"

namespace {
QColor ToQColor(Rgb c) { return QColor(c.R, c.G, c.B); }

// A white square with a black outline from (x1, y1) to (x2, y2) around a
// square of `color` two pixels inside it.
void Swatch(QPainter& painter, int x1, int y1, int x2, int y2, Rgb color) {
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawRect(x1, y1, x2 - x1, y2 - y1);
    painter.fillRect(QRect(QPoint(x1 + 2, y1 + 2), QPoint(x2 - 2, y2 - 2)), ToQColor(color));
}
}  // namespace

ColorRow::ColorRow(QWidget* parent, DrawCore& doc, DrawStyle& style, UserColorTable& userColors, PreviewHost& host)
    : Picker(parent, userColors), doc_(doc), style_(style), host_(host) {
    PicColor = new PictureBox(parent, "PicColor", 54, 53);
    PicColor->MouseDown = [this](Qt::MouseButton, Qt::KeyboardModifiers, int, int) { PicColor_MouseDown(); };
    Frame2 = new QGroupBox(tr("不透明度"), parent);
    Frame2->setObjectName("Frame2");
    Frame2->resize(150, PickerHeight);
    Frame2->hide();
    const char* captions[3] = {QT_TR_NOOP("線"), QT_TR_NOOP("塗潰し"), QT_TR_NOOP("グラデ")};
    for (int i = 0; i < 3; ++i) {
        Rows[i] = AddSliderRow(Frame2, 2, SliderRowTop + i * SliderRowHeight, 46, 64, tr(captions[i]));
        Rows[i].Label->setAutoFillBackground(true);
        Rows[i].Slider->setTracking(false);  // the change comes when the thumb is let go
        QObject::connect(Rows[i].Slider, &QScrollBar::sliderMoved, Frame2,
                         [this, i](int value) { Rows[i].Box->setText(QString::number(value)); });
        QObject::connect(Rows[i].Slider, &QScrollBar::valueChanged, Frame2, [this, i] { HScroll3_Change(i); });
        QObject::connect(Rows[i].Box, &QLineEdit::editingFinished, Frame2, [this, i] { Text2_Change(i); });
    }
    Picker.ColorPicked = [this](int slot, std::int32_t rgb) { ColorPicked(slot, rgb); };
    PicColor_Paint();
}

void ColorRow::WireWidthBox(QComboBox* combo) {
    Combo1 = combo;
    combo->setInsertPolicy(QComboBox::NoInsert);  // the list keeps its twelve widths
    combo->setCompleter(nullptr);                  // "0" must stay 0 (1 pt), not complete to "0.5 pt"
    // The combo's own handlers of Enter and of the focus leaving activate a
    // matching list entry too; one Enter is one click, so only the handler below answers.
    QObject::disconnect(combo->lineEdit(), &QLineEdit::returnPressed, combo, nullptr);
    QObject::disconnect(combo->lineEdit(), &QLineEdit::editingFinished, combo, nullptr);
    QObject::connect(combo, &QComboBox::textActivated, combo, [this] { Combo1_Click(); });
    QObject::connect(combo->lineEdit(), &QLineEdit::returnPressed, combo, [this] { Combo1_Click(); });
}

void ColorRow::Reset() {
    Picker.Reset();
    if (Combo1) Combo1->setCurrentText(QString::fromStdString(LineWidthText(style_.LineWidthPt)));
    PicColor_Paint();
}

void ColorRow::ApplyCurrentColors(bool line, bool fill, bool second) {
    ApplyColors(doc_, style_.CurColors, line, fill, second);
    host_.RebuildPreview();
    host_.DispShape(1);
}

void ColorRow::PicColor_MouseDown() { ApplyCurrentColors(true, true, true); }

void ColorRow::PicColor_Paint() {
    QImage& image = PicColor->Image();
    image.fill(PicColor->palette().color(QPalette::Window));
    {
        QPainter painter(&image);
        for (int k = 2; k >= 0; --k) {  // the line swatch last, on top
            const int d = k == 2 ? -10 : 0;
            Swatch(painter, 13 * k + 2, 13 * k + 2 + d, 13 * k + 21, 13 * k + 21 + d, RgbOf(style_.CurColors[k]));
        }
        const Rgb fill = RgbOf(style_.CurColors[1]), second = RgbOf(style_.CurColors[2]);
        for (int x = 16; x <= 46; ++x) {
            painter.setPen(ToQColor(MixRgb(fill, second, x - 16, 30)));
            painter.drawLine(x, 40, x, 46);
        }
        painter.setPen(PicColor->palette().color(QPalette::ButtonText));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(15, 40, 32, 7);
    }
    PicColor->update();
    for (int k = 0; k < 3; ++k) Rows[k].Slider->setValue(ColorByte(style_.CurColors[k], 3));
    UpdateOpacityLabels();
}

void ColorRow::UpdateOpacityLabels() {
    const QColor b = PicColor->PixelAt(0, 0);
    for (int k = 0; k < 3; ++k) {
        const Rgb c = BlendOpacity({b.red(), b.green(), b.blue()}, style_.CurColors[k]);
        QPalette palette = Rows[k].Label->palette();
        palette.setColor(QPalette::Window, ToQColor(c));
        palette.setColor(QPalette::WindowText, WantsWhiteText(c) ? Qt::white : Qt::black);
        Rows[k].Label->setPalette(palette);
    }
}

void ColorRow::HScroll3_Change(int i) {
    const int value = Rows[i].Slider->value();
    Rows[i].Box->setText(QString::number(value));
    style_.CurColors[i] = WithAlpha(style_.CurColors[i], value);
    UpdateOpacityLabels();
    ApplyCurrentColors(i == 0, i == 1, i == 2);
}

void ColorRow::Text2_Change(int i) {
    const int value = ChannelFromText(Rows[i].Box->text().toStdString());
    Rows[i].Box->setText(QString::number(value));
    Rows[i].Slider->setValue(value);
}

void ColorRow::ColorPicked(int slot, std::int32_t rgb) {
    style_.CurColors[slot] = WithRgb(style_.CurColors[slot], rgb);
    PicColor_Paint();
    ApplyCurrentColors(slot == 0, slot == 1, slot == 2);
}

void ColorRow::Combo1_Click() {
    style_.LineWidthPt = LineWidthFromText(Combo1->currentText().toStdString());
    Combo1->setCurrentText(QString::fromStdString(LineWidthText(style_.LineWidthPt)));
    ApplyLineWidth(doc_, style_.LineWidthPt);
    host_.RebuildPreview();
    host_.DispShape(1);
}
