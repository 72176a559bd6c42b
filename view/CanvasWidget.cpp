#include "view/CanvasWidget.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <cmath>

CanvasWidget::CanvasWidget(QWidget* parent) : QWidget(parent), image_(1, 1, QImage::Format_RGB32) {
    image_.fill(Qt::white);
    setObjectName("Picture1");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

bool CanvasWidget::FitImage() {
    const qreal ratio = devicePixelRatio();
    const QSize device(static_cast<int>(std::ceil(width() * ratio)), static_cast<int>(std::ceil(height() * ratio)));
    if (image_.size() == device.expandedTo(QSize(1, 1)) && image_.devicePixelRatio() == ratio) return false;
    image_ = QImage(device.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image_.setDevicePixelRatio(ratio);
    image_.fill(Qt::white);
    damage_ = unshown_ = image_.rect();
    return true;
}

bool CanvasWidget::event(QEvent* event) {
    // Moving to a screen of another density changes the ratio.
    const bool screenChange = event->type() == QEvent::ScreenChangeInternal
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
                              || event->type() == QEvent::DevicePixelRatioChange
#endif
        ;
    if (screenChange && image_.devicePixelRatio() != devicePixelRatio() && FitImage()) emit DevicePixelRatioChanged();
    return QWidget::event(event);
}

void CanvasWidget::paintEvent(QPaintEvent* event) {
    // A ratio change that came without its event is caught here, before
    // the stale image would be shown scaled.
    if (image_.devicePixelRatio() != devicePixelRatio() && FitImage()) emit DevicePixelRatioChanged();
    QPainter p(this);
    p.setClipRect(event->rect());
    p.drawImage(QPoint(0, 0), image_);
}

void CanvasWidget::resizeEvent(QResizeEvent*) { FitImage(); }

void CanvasWidget::ShowChanges() {
    if (unshown_.isEmpty()) return;
    const qreal ratio = image_.devicePixelRatio();
    const QRectF device(unshown_);
    update(QRectF(device.topLeft() / ratio, device.size() / ratio).toAlignedRect());
    unshown_ = QRect();
}
