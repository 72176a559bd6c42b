#pragma once
#include <QImage>
#include <QWidget>

// The editing canvas `Picture1`: its pixels persist in an image between
// events, so invert-mode overlays drawn into it stay until redrawn. Painting
// the widget only copies that image to the screen. The image has the
// screen's device pixels and carries its device pixel ratio, so it is shown
// 1:1 on high-density screens.
class CanvasWidget : public QWidget {
    Q_OBJECT
public:
    explicit CanvasWidget(QWidget* parent = nullptr);
    QImage& Image() { return image_; }
    const QImage& Image() const { return image_; }
    // The device pixels drawn over since the movie was last painted: the
    // part a redraw of the same movie paints again.
    QRect& Damage() { return damage_; }
    // Notes device pixels drawn into the image.
    void Touched(const QRect& device) {
        damage_ |= device;
        unshown_ |= device;
    }
    // Schedules a paint of the pixels drawn since the last call, and of no others.
    void ShowChanges();

signals:
    // The image was made anew for another device pixel ratio: draw it again.
    void DevicePixelRatioChanged();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Makes the image fit the widget's size and ratio; true when it was made anew.
    bool FitImage();
    QImage image_;
    QRect damage_;
    QRect unshown_;
};
