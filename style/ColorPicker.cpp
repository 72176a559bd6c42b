#include "style/ColorPicker.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>

#include "core/Records.h"
#include "style/StyleValues.h"

namespace {
QColor ToQColor(std::int32_t rgb) { return QColor(ColorByte(rgb, 0), ColorByte(rgb, 1), ColorByte(rgb, 2)); }

// The cell's inside, between its grid lines.
QRect CellInside(int col, int row) {
    return QRect(col * CellWidth + 1, row * CellHeight + 1, CellWidth - 1, CellHeight - 1);
}

// The palette picture at the screen's device pixel ratio: black grid lines
// around every cell; the user cells are painted over at run time.
QImage MakePalette(const QImage& like) {
    QImage image(like.size(), QImage::Format_RGB32);
    image.setDevicePixelRatio(like.devicePixelRatio());
    image.fill(Qt::black);
    QPainter painter(&image);
    for (int row = 0; row < PickerRows; ++row)
        for (int col = 0; col < PaletteColumns + UserColumns; ++col)
            painter.fillRect(CellInside(col, row),
                             col < PaletteColumns ? ToQColor(PaletteCellColor(col, row)) : QColor(Qt::white));
    return image;
}

void OutlineCell(QImage& image, int x, int y) {
    QPainter painter(&image);
    painter.setPen(QColor(255, 0, 0));
    painter.drawRect(x, y, CellWidth, CellHeight);
}

// Which current colour a press picks: left alone the line, right alone the
// fill, right with Shift alone the second gradient colour; -1 for none.
int PickedSlot(Qt::MouseButton button, Qt::KeyboardModifiers shift) {
    const auto keys = shift & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (button == Qt::LeftButton && keys == Qt::NoModifier) return 0;
    if (button == Qt::RightButton && keys == Qt::NoModifier) return 1;
    if (button == Qt::RightButton && keys == Qt::ShiftModifier) return 2;
    return -1;
}
}  // namespace

ColorPicker::ColorPicker(QWidget* parent, UserColorTable& userColors)
    : userColors_(userColors) {
    PicPicker = new PictureBox(parent, "PicPicker", PickerWidth, PickerHeight);
    PicPicker->Repaint = [this] { PicPicker_Paint(); };
    PicPicker->MouseDown = [this](Qt::MouseButton b, Qt::KeyboardModifiers s, int x, int y) {
        PicPicker_MouseDown(b, s, x, y);
    };
    Frame1 = new QGroupBox(tr("色情報"), parent);
    Frame1->setObjectName("Frame1");
    Frame1->resize(150, PickerHeight);
    PicUserColor = new PictureBox(Frame1, "PicUserColor", 23, 45);
    PicUserColor->move(4, SliderRowTop + 3);
    PicUserColor->MouseDown = [this](Qt::MouseButton, Qt::KeyboardModifiers, int x, int y) {
        PicUserColor_MouseDown(x, y);
    };
    const char* captions[3] = {"R", "G", "B"};
    for (int i = 0; i < 3; ++i) {
        Rows[i] = AddSliderRow(Frame1, 29, SliderRowTop + i * SliderRowHeight, 10, 75, captions[i]);
        QObject::connect(Rows[i].Slider, &QScrollBar::valueChanged, Frame1, [this, i] { HScroll2_Change(i); });
        QObject::connect(Rows[i].Box, &QLineEdit::editingFinished, Frame1, [this, i] { Text1_Change(i); });
    }
    EnableSliders(false);
    PicPicker_Paint();
}

void ColorPicker::Reset() {
    UserCellX = -1;
    Frame1->setTitle(tr("色情報"));
    EnableSliders(false);
    PicPicker_Paint();
}

void ColorPicker::EnableSliders(bool on) {
    for (const SliderRow& row : Rows) {
        row.Slider->setEnabled(on);
        row.Box->setEnabled(on);
    }
}

void ColorPicker::FillUserSwatch(int bottom, std::int32_t rgb) {
    QPainter(&PicUserColor->Image()).fillRect(QRect(QPoint(0, 0), QPoint(22, bottom)), ToQColor(rgb));
    PicUserColor->update();
}

void ColorPicker::PicPicker_Paint() {
    QImage& image = PicPicker->Image();
    if (palette_.size() != image.size() || palette_.devicePixelRatio() != image.devicePixelRatio())
        palette_ = MakePalette(image);
    image = palette_.copy();
    {
        QPainter painter(&image);
        for (int row = 0; row < PickerRows; ++row)
            for (int col = 0; col < UserColumns; ++col)
                painter.fillRect(CellInside(PaletteColumns + col, row),
                                 ToQColor(userColors_[static_cast<std::size_t>(col + UserColumns * row)]));
    }
    if (UserCellX >= 0) OutlineCell(image, (PaletteColumns + UserCellX) * CellWidth, UserCellY * CellHeight);
    PicPicker->update();
}

void ColorPicker::PicPicker_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
    UserCellX = -1;
    PicPicker_Paint();
    const PickerHit hit = PickerCellAt(x, y);
    if (!hit.Valid) return;
    OutlineCell(PicPicker->Image(), hit.Col * CellWidth, hit.Row * CellHeight);
    const QColor sampled = PicPicker->PixelAt(hit.X, hit.Y);
    const std::int32_t p = PackColor(sampled.red(), sampled.green(), sampled.blue(), 0);
    const int slot = PickedSlot(button, shift);
    if (slot >= 0 && ColorPicked) ColorPicked(slot, p);
    FillUserSwatch(44, p);
    const int channels[3] = {sampled.red(), sampled.green(), sampled.blue()};
    if (hit.Col < PaletteColumns) {
        Frame1->setTitle(tr("色情報"));
        EnableSliders(false);
        for (int i = 0; i < 3; ++i) {
            Rows[i].Box->setText(QString::number(channels[i]));
            Text1_Change(i);
        }
    } else {
        Frame1->setTitle(tr("色情報（ユーザー）"));
        UserCellX = hit.Col - PaletteColumns;
        UserCellY = hit.Row;
        EnableSliders(true);
        for (int i = 0; i < 3; ++i) Rows[i].Slider->setValue(channels[i]);
    }
}

void ColorPicker::HScroll2_Change(int i) {
    Rows[i].Box->setText(QString::number(Rows[i].Slider->value()));
    if (UserCellX < 0) return;
    const std::int32_t rgb = PackColor(Rows[0].Slider->value(), Rows[1].Slider->value(), Rows[2].Slider->value(), 0);
    userColors_[static_cast<std::size_t>(UserCellX + UserColumns * UserCellY)] = rgb;
    FillUserSwatch(22, rgb);
    PicPicker_Paint();
}

void ColorPicker::Text1_Change(int i) {
    const int value = ChannelFromText(Rows[i].Box->text().toStdString());
    Rows[i].Box->setText(QString::number(value));
    Rows[i].Slider->setValue(value);
}

void ColorPicker::PicUserColor_MouseDown(int x, int y) {
    const QColor c = PicUserColor->PixelAt(x, y);
    const int channels[3] = {c.red(), c.green(), c.blue()};
    for (int i = 0; i < 3; ++i) Rows[i].Slider->setValue(channels[i]);
}
