#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>

#include "edit/Selection.h"
#include "tests/TestPaths.h"
#include "tests/app/TestWindow.h"

namespace {
struct Window : TestWindow {
    Window() {
        // The polygon and text dialogs would wait for the user; they answer at once here.
        gui.Panel().PolygonPart = [] { return QString("5角形"); };
        gui.Panel().TextPart = [] { return QString("'x'"); };
        gui.Core().AppendPath(MakePath({{0, 0}, {1000, 0}, {1000, 1000}}, true));
        gui.Core().SetPath(1, [&] { PathShape p = gui.Core().GetPath(1); p.Selected = true; return p; }());
    }
    // Keys arrive at the canvas, as when it has the focus.
    void Key(Qt::Key key) { QTest::keyRelease(gui.View().Picture1, key); }
    void ClickStatus(int y) {
        QTest::mouseClick(gui.PicStatus, Qt::LeftButton, {}, gui.PicStatus->contentsRect().topLeft() + QPoint(20, y));
    }
    bool Selected() { return gui.Core().GetPath(1).Selected; }
};
}  // namespace

TEST(ToolPanel, DigitKeysSwitchByPanelOrderExceptDuringAGestureOrForTheCurrentTool) {
    Window w;
    w.gui.SetStatusText("mark");
    w.Key(Qt::Key_1);  // the select tool is already on: nothing reruns
    EXPECT_TRUE(w.Selected());
    EXPECT_EQ(w.gui.StatusText(), "mark");
    w.gui.Edit().MouseDownFlag = true;
    w.Key(Qt::Key_4);
    EXPECT_EQ(w.gui.Edit().ToolMode, 2);
    EXPECT_TRUE(w.Selected());
    w.gui.Edit().MouseDownFlag = false;
    const struct { Qt::Key Key; int Tool; } keys[] = {{Qt::Key_4, 0}, {Qt::Key_2, 1}, {Qt::Key_5, 6},
                                                      {Qt::Key_6, 4}, {Qt::Key_9, 8}, {Qt::Key_1, 2}};
    for (const auto& k : keys) {
        w.Key(k.Key);
        EXPECT_EQ(w.gui.Edit().ToolMode, k.Tool);
        EXPECT_TRUE(w.gui.Option1[k.Tool]->isChecked());
    }
    EXPECT_FALSE(w.Selected());
    EXPECT_EQ(w.gui.StatusText(), "[パスの選択]　SHIFT：制御点ドラッグで回転　CTRL：複数選択");
}

TEST(ToolPanel, LineToolHintsCarryTheAutomaticOptimisation) {
    const struct { int Flag; QString Hint; } cases[] = {
        {0, "[自由曲線の描画]　"},
        {1, "[自由曲線の描画]　自動適用：弱い最適化(60) "},
        {3, "[自由曲線の描画]　自動適用：弱い最適化(60) 強い最適化(30) "}};
    for (const auto& c : cases) {
        Window w;
        w.gui.Core().Setup.OptimizeFlag = static_cast<std::int16_t>(c.Flag);
        w.Key(Qt::Key_4);
        EXPECT_EQ(w.gui.StatusText(), c.Hint);
        w.Key(Qt::Key_5);
        EXPECT_EQ(w.gui.StatusText(), QString(c.Hint).replace("自由曲線", "直線"));
    }
}

TEST(ToolPanel, DialogToolsCompleteTheHintOrFallBackToSelect) {
    Window w;
    w.gui.Panel().PolygonPart = [] { return QString("5角形(星型)"); };
    w.gui.Panel().TextPart = [] { return QString(); };
    w.Key(Qt::Key_8);
    EXPECT_EQ(w.gui.StatusText(), "[多角形の描画]　5角形(星型)");
    w.Key(Qt::Key_9);  // cancelled
    EXPECT_EQ(w.gui.Edit().ToolMode, 2);
    EXPECT_TRUE(w.gui.Option1[2]->isChecked());
    EXPECT_TRUE(w.gui.StatusText().startsWith("[パスの選択]"));
}

TEST(ToolPanel, LetterKeysToggleTheChecksAndPageKeysStepTheZoom) {
    Window w;
    for (int round : {1, 2}) {
        const bool on = round == 1;
        w.Key(Qt::Key_R);
        w.Key(Qt::Key_B);
        w.Key(Qt::Key_F);
        EXPECT_EQ(w.gui.Check1->isChecked(), on);
        EXPECT_EQ(w.gui.Edit().RealTimePreview, on);
        EXPECT_EQ(w.gui.Movie().ShowUnderlay, on);
        EXPECT_EQ(w.gui.Movie().UnderlayInFront, on);
    }
    const struct { float From; Qt::Key Key; float To; const char* Text; } zooms[] = {
        {5.0f, Qt::Key_PageUp, 5.0f, "500%"}, {4.75f, Qt::Key_PageUp, 5.25f, "525%"},
        {0.5f, Qt::Key_PageDown, 0.5f, "50%"}, {1.0f, Qt::Key_PageDown, 0.5f, "50%"}};
    for (const auto& z : zooms) {
        w.gui.Core().ZoomRate = z.From;
        w.gui.Combo2->setCurrentText(QString::number(z.From * 100) + "%");
        w.Key(z.Key);
        EXPECT_FLOAT_EQ(w.gui.Core().ZoomRate, z.To);
        EXPECT_EQ(w.gui.Combo2->currentText(), z.Text);
    }
    CalcSelectedRect(w.gui.Core(), w.gui.Edit().Box);
    const TwipPoint corner = w.gui.Edit().Box.SelRect[8];
    w.Key(Qt::Key_Escape);
    EXPECT_FALSE(w.Selected());
    EXPECT_EQ(HitHandle(w.gui.Edit().Box, 1.0f, corner.X, corner.Y), 0);  // no stale handle left to press
}

TEST(ToolPanel, StyleSelectorRowsSetAndApplyTheStyle) {
    const struct { int Fill, Y; int Line, NewFill; bool Applied; } cases[] = {
        {3, 2, 1, 3, false}, {3, 52, 1, 3, false}, {3, 150, 1, 3, false}, {3, 20, 0, 3, true},
        {0, 20, 0, 1, true}, {2, 6, 1, 0, true}, {0, 40, 1, 1, true}, {1, 80, 1, 2, true}, {1, 104, 1, 2, true}};
    for (const auto& c : cases) {
        Window w;
        w.gui.Edit().Style.CurFillType = static_cast<std::int16_t>(c.Fill);
        const std::int32_t history = w.gui.Core().HistoryPos;
        w.ClickStatus(c.Y);
        SCOPED_TRACE(c.Y);
        EXPECT_EQ(w.gui.Edit().Style.CurLineOn, c.Line);
        EXPECT_EQ(w.gui.Edit().Style.CurFillType, c.NewFill);
        EXPECT_EQ(w.gui.Core().HistoryPos, history + (c.Applied ? 1 : 0));
        EXPECT_EQ(w.gui.Core().GetPath(1).FillType, c.Applied ? c.NewFill : 0);
    }
}

TEST(ToolPanel, OpacityBoxShowsTheFrameAndMovesThePickerBeside) {
    Window w;
    for (bool on : {true, false}) {
        w.gui.Check2->setChecked(on);
        EXPECT_EQ(w.gui.Frame2->isHidden(), !on);
        const QWidget* left = on ? static_cast<QWidget*>(w.gui.Frame2) : w.gui.PicColor;
        EXPECT_EQ(w.gui.PicPicker->x(), left->geometry().right() + 3);
        EXPECT_EQ(w.gui.Frame1->x(), w.gui.PicPicker->geometry().right() + 3);
    }
}

TEST(ToolPanel, CaptionsShowWholeAtALargeDesktopFont) {
    const QFont desktop = QApplication::font();
    QFont large = desktop;
    large.setPixelSize(17);
    QApplication::setFont(large);
    Window w;
    QApplication::setFont(desktop);
    QList<QAbstractButton*> buttons = w.gui.ToolPanel->findChildren<QAbstractButton*>();
    buttons << w.gui.Check2;
    for (const QAbstractButton* b : buttons) EXPECT_LE(b->sizeHint().width(), b->width()) << b->text().toStdString();
}
