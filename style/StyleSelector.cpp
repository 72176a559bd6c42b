#include "style/StyleSelector.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "core/History.h"

bool ApplyLineStyle(DrawCore& doc, std::int16_t line, std::int16_t fill) {
    bool changed = false;
    for (std::int32_t i = 1; i <= doc.GetPathCount(); ++i) {
        PathShape path = doc.GetPath(i);
        if (!path.Selected) continue;
        path.LineOn = line;
        path.FillType = fill;
        doc.SetPath(i, path);
        changed = true;
    }
    if (changed) PushHistory(doc);
    return changed;
}

bool StyleSelectorClick(double y, DrawStyle& style) {
    if (y < 48) {
        switch (static_cast<int>(std::floor((y - 4) / 16))) {
            case 0: style.CurLineOn = 1; style.CurFillType = 0; return true;
            case 1: style.CurLineOn = 0; break;
            case 2: style.CurLineOn = 1; break;
            default: return false;  // above the first row
        }
        if (style.CurFillType == 0) style.CurFillType = 1;
        return true;
    }
    if (y <= 57 || y >= 150) return false;
    // Rows centred at 68, 92, 116 and 140; halves go to the even kind.
    style.CurFillType = static_cast<std::int16_t>(std::nearbyint((y - 68) / 24 + 1));
    return true;
}

StyleSelector::StyleSelector(const DrawStyle& style, QWidget* parent) : QFrame(parent), style_(style) {
    setObjectName("PicStatus");
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    resize(AreaWidth + 2 * frameWidth(), AreaHeight + 2 * frameWidth());
}

void StyleSelector::mousePressEvent(QMouseEvent* event) {
    const QPointF p = event->position() - contentsRect().topLeft();
    emit MouseDown(event->button(), p.x(), p.y());
}

namespace {
void Ramp(QPainter& p, const QRect& r, QGradient& g, int stops) {
    g.setColorAt(0, Qt::white);
    if (stops == 3) g.setColorAt(0.5, Qt::black);
    g.setColorAt(1, stops == 3 ? Qt::white : Qt::black);
    p.fillRect(r, g);
}

void RadialSample(QPainter& p, const QRect& r) {
    // Concentric filled circles from black outside to white at the centre.
    const QPointF centre = QRectF(r).center();
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 5; ++i) {
        const int level = 255 * i / 4;
        p.setBrush(QColor(level, level, level));
        const double radius = r.height() / 2.0 * (5 - i) / 5;
        p.drawEllipse(centre, radius, radius);
    }
}
}  // namespace

void StyleSelector::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter p(this);
    p.translate(contentsRect().topLeft());
    p.fillRect(0, 0, AreaWidth, AreaHeight, palette().color(QPalette::Window));
    const QColor bar = palette().color(QPalette::Highlight);
    const int sign = style_.CurFillType > 0 ? 1 : (style_.CurFillType < 0 ? -1 : 0);
    const int row = 2 * sign + style_.CurLineOn - 1;
    p.fillRect(0, 16 * row + 1, 44, 16, bar);
    if (style_.CurFillType >= 1) p.fillRect(0, 24 * (style_.CurFillType - 1) + 57, 44, 22, bar);

    // Upper rows: outline only, fill only, fill with outline.
    const QColor text = palette().color(QPalette::ButtonText), shadow = palette().color(QPalette::Dark);
    for (int r = 0; r < 3; ++r) {
        const QRect box(13, 16 * r + 4, 18, 10);
        if (r >= 1) p.fillRect(box, shadow);
        if (r != 1) {
            p.setPen(text);
            p.setBrush(Qt::NoBrush);
            p.drawRect(box.adjusted(0, 0, -1, -1));
        }
    }
    // Lower rows: solid, linear ramp, three-stop ramp, radial.
    for (int k = 1; k <= 4; ++k) {
        const QRect sample(19, 24 * (k - 1) + 60, 21, 16);
        QLinearGradient linear(sample.topLeft(), sample.topRight());
        switch (k) {
            case 1: p.fillRect(sample, text); break;
            case 2: Ramp(p, sample, linear, 2); break;
            case 3: Ramp(p, sample, linear, 3); break;
            default: RadialSample(p, sample); break;
        }
    }
}
