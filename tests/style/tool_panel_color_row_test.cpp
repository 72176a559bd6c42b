#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

#include "core/History.h"
#include "edit/Selection.h"
#include "style/ColorRow.h"
#include "tests/TestPaths.h"
#include "tests/app/TestWindow.h"

namespace {
// The window with two squares, the second one selected. The polygon and text
// dialogs would wait for the user; they answer at once here.
struct Window : TestWindow {
    ColorRow& row = gui.Colors();
    Window() {
        gui.Panel().PolygonPart = [] { return QString("5角形"); };
        gui.Panel().TextPart = [] { return QString("'x'"); };
        gui.Core().AppendPath(Square(0, 0, 400, 2));
        gui.Core().AppendPath(Square(500, 0, 400, 0));
        gui.Core().Paths[2].Selected = VbTrue;
        PushHistory(gui.Core());
    }
    const PathShape& Path(int i) { return gui.Core().Paths.at(static_cast<std::size_t>(i)); }
    // Keys arrive at the canvas, as when it has the focus.
    void Key(Qt::Key key) { QTest::keyRelease(gui.View().Picture1, key); }
    void ClickStatus(int y) {
        QTest::mouseClick(gui.PicStatus, Qt::LeftButton, {}, gui.PicStatus->contentsRect().topLeft() + QPoint(20, y));
    }
    // Presses the picker's palette cell (col, row) in its middle.
    void Pick(int col, int r, Qt::MouseButton button, Qt::KeyboardModifiers keys = {}) {
        QTest::mouseClick(row.Picker.PicPicker, button, keys, QPoint(col * 8 + 4, r * 11 + 5));
    }
    static void Type(QLineEdit* box, const QString& text) {
        box->selectAll();
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return);
    }
};
}  // namespace

TEST(ToolPanel, DigitKeysSwitchByPanelOrderExceptDuringAGestureOrForTheCurrentTool) {
    Window w;
    w.gui.SetStatusText("mark");
    w.Key(Qt::Key_1);  // the select tool is already on: nothing reruns
    EXPECT_TRUE(w.Path(2).Selected && w.gui.StatusText() == "mark");
    w.gui.Edit().MouseDownFlag = true;
    w.Key(Qt::Key_4);
    EXPECT_TRUE(w.gui.Edit().ToolMode == 2 && w.Path(2).Selected);
    w.gui.Edit().MouseDownFlag = false;
    const struct { Qt::Key Key; int Tool; } keys[] = {{Qt::Key_4, 0}, {Qt::Key_2, 1}, {Qt::Key_5, 6},
                                                      {Qt::Key_6, 4}, {Qt::Key_9, 8}, {Qt::Key_1, 2}};
    for (const auto& k : keys) {
        w.Key(k.Key);
        EXPECT_EQ(w.gui.Edit().ToolMode, k.Tool);
        EXPECT_TRUE(w.gui.Option1[k.Tool]->isChecked());
    }
    EXPECT_FALSE(w.Path(2).Selected);
    EXPECT_EQ(w.gui.StatusText(), "[パスの選択]　SHIFT：制御点ドラッグで回転　CTRL：複数選択");
}

TEST(ToolPanel, HintsCarryTheAutomaticOptimisationOrTheDialogsAnswer) {
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
    Window w;
    w.gui.Panel().PolygonPart = [] { return QString("5角形(星型)"); };
    w.gui.Panel().TextPart = [] { return QString(); };
    w.Key(Qt::Key_8);
    EXPECT_EQ(w.gui.StatusText(), "[多角形の描画]　5角形(星型)");
    w.Key(Qt::Key_9);  // cancelled: back to the select tool
    EXPECT_TRUE(w.gui.Edit().ToolMode == 2 && w.gui.Option1[2]->isChecked() && w.gui.StatusText().startsWith("[パスの選択]"));
}

TEST(ToolPanel, LetterKeysToggleTheChecksAndPageKeysStepTheZoom) {
    Window w;
    for (int round : {1, 2}) {
        const bool on = round == 1;
        w.Key(Qt::Key_R);
        w.Key(Qt::Key_B);
        w.Key(Qt::Key_F);
        EXPECT_EQ(std::make_tuple(w.gui.Check1->isChecked(), w.gui.Edit().RealTimePreview, w.gui.Movie().ShowUnderlay, w.gui.Movie().UnderlayInFront),
                  std::make_tuple(on, on, on, on));
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
    EXPECT_FALSE(w.Path(2).Selected);
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
        EXPECT_EQ(std::make_tuple(w.gui.Edit().Style.CurLineOn, w.gui.Edit().Style.CurFillType, w.gui.Core().HistoryPos, w.Path(2).FillType),
                  std::make_tuple(c.Line, c.NewFill, history + (c.Applied ? 1 : 0), c.Applied ? c.NewFill : 0));
    }
}

TEST(ToolPanel, EveryControlIsWholeAtALargeDesktopFontAndAtTheSmallestWindowWithTheOpacityFrame) {
    const QFont desktop = QApplication::font();
    QFont large = desktop;
    large.setPixelSize(17);
    QApplication::setFont(large);
    Window w;
    QApplication::setFont(desktop);
    QList<QAbstractButton*> buttons = w.gui.ToolPanel->findChildren<QAbstractButton*>();
    for (const QAbstractButton* b : buttons << w.gui.Check2) EXPECT_LE(b->sizeHint().width(), b->width()) << b->text().toStdString();

    w.gui.resize(1, 1);  // held at the window's minimum size
    for (bool on : {true, false}) {
        QTest::mouseClick(w.gui.Check2, Qt::LeftButton, {}, QPoint(6, w.gui.Check2->height() / 2));
        QApplication::processEvents();
        EXPECT_EQ(w.gui.Frame2->isHidden(), !on);
        const QWidget* left = on ? static_cast<QWidget*>(w.gui.Frame2) : w.gui.PicColor;
        EXPECT_EQ(w.gui.PicPicker->x(), left->geometry().right() + 3);
        EXPECT_EQ(w.gui.Frame1->x(), w.gui.PicPicker->geometry().right() + 3);
        EXPECT_TRUE(w.gui.centralWidget()->rect().contains(w.gui.Frame1->geometry()));  // the row's last frame whole
    }
}

TEST(ColorRow, PickerClicksSlidersSwatchesTheWidthBoxAndUserCells) {
    Window w;
    const std::int32_t before = w.gui.Core().HistoryPos;
    w.Pick(5, 5, Qt::RightButton);  // pure red
    w.Pick(30, 5, Qt::LeftButton);  // pure blue
    w.Pick(0, 0, Qt::RightButton, Qt::ShiftModifier);  // white
    w.Pick(2, 0, Qt::LeftButton, Qt::ShiftModifier);   // picks nothing, shows the colour
    EXPECT_EQ(std::make_tuple(w.Path(2).FillColor, w.Path(2).LineColor, w.Path(2).FillColor2, w.Path(1).FillColor,
                              w.gui.Core().HistoryPos, w.row.Picker.Rows[2].Box->text(), w.row.Picker.Rows[2].Slider->isEnabled()),
              std::make_tuple(PackColor(255, 0, 0, 255), PackColor(0, 0, 255, 255), PackColor(255, 255, 255, 255),
                              Square(0, 0, 400, 2).FillColor, before + 3, "153", false));
    EXPECT_EQ(w.row.PicColor->PixelAt(10, 10), QColor(0, 0, 255));  // the line swatch on top

    // The fill opacity slider: a click left of its thumb steps 255 down by 51.
    w.row.Frame2->show();
    QScrollBar* fillOpacity = w.row.Rows[1].Slider;
    QTest::mouseClick(fillOpacity, Qt::LeftButton, {}, QPoint(fillOpacity->width() / 3, fillOpacity->height() / 2));
    EXPECT_EQ(std::make_tuple(w.Path(2).FillColor, w.Path(2).LineColor, w.row.Rows[1].Box->text()),
              std::make_tuple(PackColor(255, 0, 0, 204), PackColor(0, 0, 255, 255), "204"));
    Window::Type(w.row.Rows[1].Box, "300");
    EXPECT_EQ(std::make_pair(w.row.Rows[1].Box->text(), w.Path(2).FillColor), std::make_pair(QString("255"), PackColor(255, 0, 0, 255)));

    // The swatches apply all three current colours.
    w.gui.Core().Paths[1].Selected = VbTrue;
    QTest::mouseClick(w.row.PicColor, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(std::make_pair(w.Path(1).LineColor, w.Path(1).FillColor2), std::make_pair(PackColor(0, 0, 255, 255), PackColor(255, 255, 255, 255)));
    // The width box: what was typed, never completed to a list entry, as one step.
    const struct { const char* Typed; const char* Shown; int Twips; } widths[] = {
        {"0", "1 pt", 20}, {"4", "4 pt", 80}, {"0.75", "0.75 pt", 15}, {"2 pt", "2 pt", 40}};
    for (const auto& c : widths) {
        const std::int32_t step = w.gui.Core().HistoryPos + 1;
        w.gui.Combo1->lineEdit()->selectAll();
        QTest::keyClicks(w.gui.Combo1, c.Typed);  // keys go to the box, which hands them to its line
        QTest::keyClick(w.gui.Combo1, Qt::Key_Return);
        EXPECT_EQ(std::make_tuple(w.gui.Combo1->currentText(), w.Path(2).LineWidth, w.gui.Core().HistoryPos),
                  std::make_tuple(QString(c.Shown), c.Twips, step)) << c.Typed;
    }

    // A user cell is edited with the colour sliders.
    ColorPicker& picker = w.row.Picker;
    w.Pick(37, 2, Qt::LeftButton);  // user cell (1, 2)
    EXPECT_EQ(std::make_pair(picker.Frame1->title(), picker.Rows[0].Slider->isEnabled()), std::make_pair(QString("色情報（ユーザー）"), true));
    Window::Type(picker.Rows[0].Box, "-4");
    Window::Type(picker.Rows[1].Box, "128");
    EXPECT_EQ(std::make_tuple(picker.Rows[0].Box->text(), w.gui.Edit().UserColors[1 + 6 * 2], picker.PicPicker->PixelAt(37 * 8 + 3, 2 * 11 + 3)),
              std::make_tuple("0", PackColor(0, 128, 0, 0), QColor(0, 128, 0)));
    QTest::mouseClick(picker.PicUserColor, Qt::LeftButton, {}, QPoint(5, 40));  // the cell's old colour
    EXPECT_EQ(w.gui.Edit().UserColors[1 + 6 * 2], PackColor(0, 0, 0, 0));
    w.Pick(0, 0, Qt::LeftButton);
    EXPECT_EQ(std::make_pair(picker.Frame1->title(), picker.Rows[0].Slider->isEnabled()), std::make_pair(QString("色情報"), false));
    EXPECT_EQ(picker.PicPicker->PixelAt(0, 3), QColor(255, 0, 0));  // the picked cell's outline
}

