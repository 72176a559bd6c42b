#include "style/PanelCaptions.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontInfo>
#include <QToolButton>

namespace {
constexpr int kSmallestPixelSize = 8;

// A tool button's caption is centred inside its one-pixel frame; its size
// hint adds margins the fixed-size buttons never show, so only the text counts.
int NeededWidth(const QAbstractButton* b) {
    if (qobject_cast<const QToolButton*>(b)) return b->fontMetrics().horizontalAdvance(b->text()) + 6;
    return b->sizeHint().width();
}

bool AllFit(const QList<QAbstractButton*>& buttons) {
    for (const QAbstractButton* b : buttons)
        if (NeededWidth(b) > b->width() || b->fontMetrics().height() > b->height()) return false;
    return true;
}
}  // namespace

void FitCaptions(const QList<QAbstractButton*>& buttons) {
    if (buttons.isEmpty()) return;
    for (QAbstractButton* b : buttons)
        if (qobject_cast<QCheckBox*>(b))
            b->setStyleSheet("QCheckBox { spacing: 2px; } QCheckBox::indicator { width: 10px; height: 10px; }");
    QFont font = buttons.first()->font();
    for (int size = QFontInfo(font).pixelSize(); size > kSmallestPixelSize && !AllFit(buttons);) {
        font.setPixelSize(--size);
        for (QAbstractButton* b : buttons) b->setFont(font);
    }
}

void HighlightDownButton(const QList<QAbstractButton*>& buttons) {
    for (QAbstractButton* b : buttons)
        b->setStyleSheet(
            "QToolButton { border: 1px solid palette(mid); border-radius: 2px; background: palette(button); }"
            "QToolButton:hover { background: palette(light); }"
            "QToolButton:checked { background: palette(highlight); color: palette(highlighted-text);"
            " border-color: palette(dark); }");
}
