#include "view/CanvasWidget.h"

#include <QPaintEvent>
#include <QPainter>

CanvasWidget::CanvasWidget(QWidget* parent) : QWidget(parent), image_(1, 1, QImage::Format_RGB32) {
    image_.fill(Qt::white);
    setObjectName("Picture1");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

void CanvasWidget::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const QRect r = event->rect();
    p.drawImage(r, image_, r);
}

void CanvasWidget::resizeEvent(QResizeEvent*) {
    if (image_.size() != size()) {
        image_ = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
        image_.fill(Qt::white);
    }
}
