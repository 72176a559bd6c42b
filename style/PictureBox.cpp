#include "style/PictureBox.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace {
QImage DeviceImage(QSize logical, qreal ratio) {
    QImage image(static_cast<int>(std::ceil(logical.width() * ratio)), static_cast<int>(std::ceil(logical.height() * ratio)),
                 QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    return image;
}
}  // namespace

PictureBox::PictureBox(QWidget* parent, const char* name, int width, int height) : QFrame(parent) {
    setObjectName(name);
    setFixedSize(width, height);
    image_ = DeviceImage(size(), devicePixelRatio());
    image_.fill(palette().color(QPalette::Window));
}

QColor PictureBox::PixelAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= width() || y >= height()) return QColor(Qt::black);
    const qreal ratio = image_.devicePixelRatio();
    const QPoint device(static_cast<int>(std::floor(x * ratio + 0.5)), static_cast<int>(std::floor(y * ratio + 0.5)));
    return image_.valid(device) ? image_.pixelColor(device) : QColor(Qt::black);
}

void PictureBox::paintEvent(QPaintEvent*) {
    if (image_.devicePixelRatio() != devicePixelRatio()) {
        // Moved to a screen of another density.
        QImage old = image_;
        image_ = DeviceImage(size(), devicePixelRatio());
        QPainter(&image_).drawImage(rect(), old);
        if (Repaint) Repaint();
    }
    QPainter painter(this);
    painter.drawImage(0, 0, image_);
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    if (!MouseDown) return;
    const QPointF p = event->position();
    MouseDown(event->button(), event->modifiers(), static_cast<int>(std::floor(p.x())),
              static_cast<int>(std::floor(p.y())));
}
