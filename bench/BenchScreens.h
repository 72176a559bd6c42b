#pragma once
#include <QWidget>

// Offscreen screens of device pixel ratios 1, 1.5 and 2 side by side, so one
// run measures the canvas at each. Call before the QApplication is made.
void UseScreensOfSeveralRatios();
// Shows `window` on the screen of `ratio`; false when there is none.
bool ShowOnScreenOfRatio(QWidget& window, qreal ratio);
