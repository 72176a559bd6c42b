#pragma once
// The main window as the window-level tests drive it.
#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

#include "app/DrawGUI.h"
#include "tests/app/FakeDialogs.h"

// The window with scripted dialogs, loaded as at start-up with `args`, the
// message boxes of the start-up answered by `answers`.
struct TestWindow {
    FakeDialogs* dialogs = new FakeDialogs;
    DrawGUI gui{std::unique_ptr<AppDialogs>(dialogs)};
    explicit TestWindow(std::vector<std::string> args = {}, std::deque<QMessageBox::StandardButton> answers = {}) {
        dialogs->Answers = std::move(answers);
        gui.Form_Load(args);
    }

    // Makes the window the active one: its shortcuts answer only then.
    void Activate() {
        gui.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&gui));
    }
    QWidget* Canvas() { return gui.View().Picture1; }
    // The canvas pixel of twip point (tx, ty).
    QPoint At(int tx, int ty) {
        std::int32_t sx = 0, sy = 0;
        PosTwipToScr(gui.Geometry(), tx, ty, sx, sy);
        return {sx, sy};
    }
    // The pointer moves over the canvas to (tx, ty) with `held` buttons down.
    void Move(int tx, int ty, Qt::MouseButtons held = Qt::NoButton, Qt::KeyboardModifiers keys = {}) {
        QMouseEvent e(QEvent::MouseMove, At(tx, ty), Canvas()->mapToGlobal(At(tx, ty)), Qt::NoButton, held, keys);
        QApplication::sendEvent(Canvas(), &e);
    }
};
