#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <set>

#include "core/FileBytes.h"
#include "core/History.h"
#include "tests/TestPaths.h"
#include "tests/app/TestWindow.h"

namespace {
// A window showing a 100 × 100 pixel canvas with a red square from
// (20, 20) to (60, 60) pixels on a blue background.
struct CanvasWindow : TestWindow {
    CanvasWindow() {
        Activate();
        gui.resize(900, 700);
        DrawCore& doc = gui.Core();
        std::tie(doc.Setup.CanvasWidth, doc.Setup.CanvasHeight) = std::tuple(100, 100);
        doc.Setup.BackColor[0] = doc.Setup.BackColor[1] = 0;
        doc.Setup.Quality = 0;
        doc.AppendPath(Box(400, 400, 1200, 1200, PackColor(255, 0, 0, 255)));
        PushHistory(doc);
        gui.RebuildPreview();
        gui.Form_Resize();
    }
    QColor Pixel(int x, int y) { return gui.View().Picture1->Image().pixelColor(x, y); }
    // Types into the zoom box with real keys, as the user does.
    void TypeZoom(const QString& text, bool enter = true) {
        QLineEdit* box = gui.Combo2->lineEdit();
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
        if (enter) QTest::keyClick(box, Qt::Key_Return);
    }
};

bool Near(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) <= 2 && std::abs(a.green() - b.green()) <= 2 &&
           std::abs(a.blue() - b.blue()) <= 2;
}
}  // namespace

TEST(Canvas, ZoomBoxAppliesWhatWasTypedOnEnterOrAListPickOnly) {
    CanvasWindow w;
    QComboBox* box = w.gui.Combo2;
    for (const char* typed : {"20", "5", "15", "57", "1", "1e2", "abc"}) {
        const QString shown = QString(typed) == "abc" ? "100%" : QString::number(QString(typed).toDouble()) + "%";
        w.TypeZoom(typed);
        QTest::keyClick(box->lineEdit(), Qt::Key_Return);  // a second Enter keeps the zoom shown
        EXPECT_EQ(box->currentText(), shown);
        EXPECT_FLOAT_EQ(w.gui.Core().ZoomRate, shown.chopped(1).toFloat() / 100) << typed;
    }
    w.TypeZoom("300%", false);
    w.gui.View().Picture1->setFocus();  // leaving the box does not apply it
    EXPECT_EQ(w.gui.Core().ZoomRate, 1.0f);
    box->showPopup();
    box->view()->setCurrentIndex(box->model()->index(5, 0));
    QTest::keyClick(box->view(), Qt::Key_Return);
    EXPECT_EQ(w.gui.Core().ZoomRate, 2.0f);
}

TEST(Canvas, EnterInTheZoomBoxFocusesTheCanvasAndOnlyTheTextKeysStayInABox) {
    CanvasWindow w;
    w.TypeZoom("110");  // digits of no other tool, so only Enter can move the focus
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
    EXPECT_EQ(w.gui.Combo2->currentText(), "60%");
    // With something to undo, redo, copy and paste, every shortcut but the
    // text keys reaches its item while the box has the focus.
    DrawCore& doc = w.gui.Core();
    PushHistory(doc);
    UndoHistory(doc);
    doc.SelectAll();
    doc.CopyToClip(0, 0);
    QLineEdit* box = w.gui.Combo2->lineEdit();
    box->setFocus();
    const std::set<QString> textKeys{"Ctrl+A", "Ctrl+C", "Ctrl+V", "Ctrl+X", "Del"};
    for (QAction* menu : w.gui.menuBar()->actions())
        for (QAction* item : menu->menu()->actions()) {
            const QKeySequence keys = item->shortcut();
            if (keys.isEmpty()) continue;
            QObject::disconnect(item, &QAction::triggered, nullptr, nullptr);  // only whether it is reached
            QSignalSpy triggered(item, &QAction::triggered);
            QTest::keyClick(box, keys[0].key(), keys[0].keyboardModifiers());
            EXPECT_EQ(triggered.count(), textKeys.count(keys.toString()) ? 0 : 1) << keys.toString().toStdString();
        }
    box->setText("60%");
    for (auto [key, text] : {std::pair{Qt::Key_A, "60%"}, {Qt::Key_C, "60%"}, {Qt::Key_X, ""}, {Qt::Key_V, "60%"}}) {
        QTest::keyClick(box, key, Qt::ControlModifier);
        EXPECT_EQ(box->text(), text);
    }
    EXPECT_EQ(doc.GetPathCount(), 1);
}

TEST(Canvas, ScrollBarsFollowTheMagnifiedCanvasAndDeepZoomDrawsOnlyTheVisiblePart) {
    CanvasWindow w;
    QScrollBar* h = w.gui.View().HScroll1;
    QScrollBar* v = w.gui.View().VScroll1;
    EXPECT_FALSE(h->isEnabled());
    w.TypeZoom("2000%");  // 2000 pixels wide: larger than the view
    ASSERT_TRUE(h->isEnabled());
    EXPECT_EQ(h->maximum(), -h->minimum());
    h->setValue(h->minimum());
    EXPECT_EQ(ComputeDrawingArea(w.gui.Geometry()).Left, 0);  // left edge at the view's left edge
    w.TypeZoom("100%");
    EXPECT_TRUE(!h->isEnabled() && h->value() == 0);
    w.TypeZoom("20000%");  // a 20000 × 20000 pixel drawing
    EXPECT_FLOAT_EQ(w.gui.Core().ZoomRate, 200.0f);
    const QImage& canvas = w.gui.View().Picture1->Image();
    EXPECT_TRUE(Near(w.Pixel(canvas.width() / 3, canvas.height() / 3), QColor(255, 0, 0)));  // inside the square
    h->setValue(h->minimum());
    v->setValue(v->minimum());
    EXPECT_TRUE(Near(w.Pixel(5, 5), QColor(0, 0, 255)));  // the drawing's top-left corner
    h->setValue(h->minimum() + 20 * 200);               // document pixel 20 at the view's left edge
    v->setValue(v->minimum() + 20 * 200);
    EXPECT_TRUE(Near(w.Pixel(5, 5), QColor(255, 0, 0)));
}

TEST(Canvas, RedrawsRenderTheMovieOnlyWhenItChanged) {
    CanvasWindow w;
    QTest::qWait(250);  // past the player's time-stamp resolution window
    w.gui.DispShape(0);
    const std::size_t renders = w.gui.View().ShockwaveFlash1.RenderCount();
    for (int i = 0; i < 5; ++i) w.gui.DispShape(1);
    w.gui.View().HScroll1->setValue(0);
    EXPECT_EQ(w.gui.View().ShockwaveFlash1.RenderCount(), renders);
    w.gui.Core().Paths[1].FillColor = PackColor(0, 255, 0, 255);
    w.gui.Core().Paths[1].ShapeCache.reset();
    PushHistory(w.gui.Core());
    w.gui.RebuildPreview();
    w.gui.DispShape(1);
    EXPECT_EQ(w.gui.View().ShockwaveFlash1.RenderCount(), renders + 1);
    const QPoint inside = w.At(800, 800), margin = w.At(0, 0) - QPoint(2, 2);
    EXPECT_TRUE(Near(w.Pixel(inside.x(), inside.y()), QColor(0, 255, 0)));
    EXPECT_EQ(w.Pixel(margin.x(), margin.y()), QColor(Qt::white));  // beside the drawing
    w.gui.mnuUnDo->trigger();  // undo shows the restored drawing
    EXPECT_TRUE(Near(w.Pixel(inside.x(), inside.y()), QColor(255, 0, 0)));
}

TEST(Canvas, AMovieThePlayerCannotShowIsSaidOnceInTheStatusLine) {
    CanvasWindow w;
    EXPECT_TRUE(w.gui.StatusText().startsWith("[パスの選択]"));  // the start-up hint, no player complaint
    ASSERT_TRUE(WriteFileReplacing(w.gui.Core().TempMoviePath, "FWS\x06 not a movie"));
    w.gui.DispShape(1);
    EXPECT_TRUE(w.gui.StatusText().startsWith("プレビューを表示できません")) << w.gui.StatusText().toStdString();
    w.gui.SetStatusText("x");
    w.gui.DispShape(1);  // said once
    EXPECT_EQ(w.gui.StatusText(), "x");
}
