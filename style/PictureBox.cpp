#include "style/PictureBox.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

PictureBox::PictureBox(QWidget* parent, const char* name, int width, int height)
    : QFrame(parent), image_(width, height, QImage::Format_RGB32) {
    setObjectName(name);
    setFixedSize(width, height);
    image_.fill(palette().color(QPalette::Window));
}

QColor PictureBox::PixelAt(int x, int y) const {
    return image_.valid(x, y) ? image_.pixelColor(x, y) : QColor(Qt::black);
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, image_);
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    if (!MouseDown) return;
    const QPointF p = event->position();
    MouseDown(event->button(), event->modifiers(), static_cast<int>(std::floor(p.x())),
              static_cast<int>(std::floor(p.y())));
}
