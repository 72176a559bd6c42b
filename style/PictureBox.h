#pragma once
#include <QFrame>
#include <QImage>
#include <functional>

// A fixed-size picture whose pixels persist between events: what is drawn
// into Image() stays until drawn over, and painting the widget only shows it.
// Presses are handed on with the button, the modifiers and the pixel.
// The image has the screen's device pixels (its device pixel ratio set), so
// a painter on it draws sharp in logical coordinates.
class PictureBox : public QFrame {
    Q_OBJECT
public:
    PictureBox(QWidget* parent, const char* name, int width, int height);
    QImage& Image() { return image_; }
    // The colour of logical pixel (x, y), or black outside the picture.
    QColor PixelAt(int x, int y) const;

    std::function<void(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y)> MouseDown;
    // Draws the picture again after the screen's ratio changed; without it
    // the old pixels are kept, scaled.
    std::function<void()> Repaint;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage image_;
};
