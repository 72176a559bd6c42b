#pragma once
#include <QImage>
#include <QWidget>

// The editing canvas `Picture1`: its pixels persist in an image between
// events, so invert-mode overlays drawn into it stay until redrawn. Painting
// the widget only copies that image to the screen.
class CanvasWidget : public QWidget {
    Q_OBJECT
public:
    explicit CanvasWidget(QWidget* parent = nullptr);
    QImage& Image() { return image_; }
    const QImage& Image() const { return image_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QImage image_;
};
