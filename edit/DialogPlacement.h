#pragma once
#include <QPoint>
#include <QRect>
#include <QSize>

// Where a dialog of `size` opened at the mouse pointer goes: its top-left at
// the pointer, moved left and up just enough that its right and bottom edges
// stay inside `available` (the screen less its panels). The left and top
// edges are not corrected.
inline QPoint PlaceAtPointer(QPoint pointer, QSize size, const QRect& available) {
    QPoint topLeft = pointer;
    const int right = available.x() + available.width();
    const int bottom = available.y() + available.height();
    if (topLeft.x() + size.width() > right) topLeft.setX(right - size.width());
    if (topLeft.y() + size.height() > bottom) topLeft.setY(bottom - size.height());
    return topLeft;
}
