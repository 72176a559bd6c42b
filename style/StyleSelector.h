#pragma once
#include <QFrame>
#include <cstdint>

#include "core/DrawCore.h"
#include "edit/DrawStyle.h"

// Applies a line/fill choice to every selected path; one history step when
// at least one path was selected. Returns whether any path was changed.
bool ApplyLineStyle(DrawCore& doc, std::int16_t line, std::int16_t fill);

// The choice a left click at height y (pixels) of the selector makes: the
// upper rows pick outline, fill or both, the lower rows the fill kind.
// Returns false, leaving `style` as it was, for a click between or outside the rows.
bool StyleSelectorClick(double y, DrawStyle& style);

// The style selector `PicStatus`: highlight bars behind the current outline
// row and fill kind, with fixed sample figures. Coordinates are those of its
// area inside the frame.
class StyleSelector : public QFrame {
    Q_OBJECT
public:
    static constexpr int AreaWidth = 44, AreaHeight = 151;
    StyleSelector(const DrawStyle& style, QWidget* parent = nullptr);

signals:
    void MouseDown(Qt::MouseButton button, double x, double y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    const DrawStyle& style_;
};
