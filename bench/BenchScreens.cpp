#include "bench/BenchScreens.h"

#include <QApplication>
#include <QScreen>
#include <QWindow>

void UseScreensOfSeveralRatios() { qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" LV_BENCH_SCREENS); }

bool ShowOnScreenOfRatio(QWidget& window, qreal ratio) {
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen->devicePixelRatio() != ratio) continue;
        window.show();
        window.windowHandle()->setScreen(screen);
        window.move(screen->geometry().topLeft());
        QApplication::processEvents();
        return window.devicePixelRatio() == ratio;
    }
    return false;
}
