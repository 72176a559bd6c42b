#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyleOptionSlider>

#include "core/History.h"
#include "style/ColorRow.h"
#include "tests/TestPaths.h"
#include "tests/app/TestWindow.h"

namespace {
// A window with two paths, the second one selected.
struct RowWindow : TestWindow {
    ColorRow& row = gui.Colors();
    RowWindow() {
        gui.Core().AppendPath(Square(0, 0, 400, 2));
        gui.Core().AppendPath(Square(500, 0, 400, 2));
        gui.Core().Paths[2].Selected = VbTrue;
        PushHistory(gui.Core());
    }
    const PathShape& Selected() { return gui.Core().Paths[2]; }
    const PathShape& Other() { return gui.Core().Paths[1]; }
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

TEST(ColorRow, PickerClicksSetTheCurrentColoursAndTheSelectedPaths) {
    RowWindow w;
    const std::int32_t before = w.gui.Core().HistoryPos;
    w.Pick(5, 5, Qt::RightButton);  // pure red
    w.Pick(30, 5, Qt::LeftButton);  // pure blue
    w.Pick(0, 0, Qt::RightButton, Qt::ShiftModifier);  // white
    w.Pick(2, 0, Qt::LeftButton, Qt::ShiftModifier);   // picks nothing, shows the colour
    EXPECT_EQ(w.Selected().FillColor, PackColor(255, 0, 0, 255));
    EXPECT_EQ(w.Selected().LineColor, PackColor(0, 0, 255, 255));
    EXPECT_EQ(w.Selected().FillColor2, PackColor(255, 255, 255, 255));
    EXPECT_EQ(w.Other().FillColor, Square(0, 0, 400, 2).FillColor);
    EXPECT_EQ(w.gui.Core().HistoryPos, before + 3);
    EXPECT_EQ(w.row.Picker.Rows[2].Box->text(), "153");
    EXPECT_FALSE(w.row.Picker.Rows[2].Slider->isEnabled());
    EXPECT_EQ(w.row.PicColor->PixelAt(10, 10), QColor(0, 0, 255));  // the line swatch on top

    // The fill opacity slider: a click left of its thumb steps 255 down by 51.
    w.row.Frame2->show();
    QScrollBar* fillOpacity = w.row.Rows[1].Slider;
    QStyleOptionSlider option;
    option.initFrom(fillOpacity);
    option.orientation = Qt::Horizontal;
    option.minimum = 0, option.maximum = 255, option.sliderPosition = option.sliderValue = 255, option.pageStep = 51;
    const QRect page = fillOpacity->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSubPage,
                                                            fillOpacity);
    QTest::mouseClick(fillOpacity, Qt::LeftButton, {}, page.center());
    EXPECT_EQ(w.Selected().FillColor, PackColor(255, 0, 0, 204));
    EXPECT_EQ(w.Selected().LineColor, PackColor(0, 0, 255, 255));
    EXPECT_EQ(w.row.Rows[1].Box->text(), "204");
    RowWindow::Type(w.row.Rows[1].Box, "300");
    EXPECT_EQ(w.row.Rows[1].Box->text(), "255");
    EXPECT_EQ(w.Selected().FillColor, PackColor(255, 0, 0, 255));

    // The swatches apply all three current colours.
    w.gui.Core().Paths[1].Selected = VbTrue;
    QTest::mouseClick(w.row.PicColor, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(w.Other().LineColor, PackColor(0, 0, 255, 255));
    EXPECT_EQ(w.Other().FillColor2, PackColor(255, 255, 255, 255));
}

TEST(ColorRow, UserCellsAreEditedWithTheColourSliders) {
    RowWindow w;
    ColorPicker& picker = w.row.Picker;
    w.Pick(37, 2, Qt::LeftButton);  // user cell (1, 2)
    EXPECT_EQ(picker.Frame1->title(), "色情報（ユーザー）");
    EXPECT_TRUE(picker.Rows[0].Slider->isEnabled());
    RowWindow::Type(picker.Rows[0].Box, "-4");
    RowWindow::Type(picker.Rows[1].Box, "128");
    EXPECT_EQ(picker.Rows[0].Box->text(), "0");
    EXPECT_EQ(w.gui.Edit().UserColors[1 + 6 * 2], PackColor(0, 128, 0, 0));
    EXPECT_EQ(picker.PicPicker->PixelAt(37 * 8 + 3, 2 * 11 + 3), QColor(0, 128, 0));
    QTest::mouseClick(picker.PicUserColor, Qt::LeftButton, {}, QPoint(5, 40));  // the cell's old colour
    EXPECT_EQ(w.gui.Edit().UserColors[1 + 6 * 2], PackColor(0, 0, 0, 0));
    w.Pick(0, 0, Qt::LeftButton);
    EXPECT_EQ(picker.Frame1->title(), "色情報");
    EXPECT_FALSE(picker.Rows[0].Slider->isEnabled());
    EXPECT_EQ(picker.PicPicker->PixelAt(0, 3), QColor(255, 0, 0));  // the picked cell's outline
}

TEST(ColorRow, WidthBoxAppliesOnEnter) {
    RowWindow w;
    RowWindow::Type(w.gui.Combo1->lineEdit(), "0.75");
    EXPECT_EQ(w.gui.Combo1->currentText(), "0.75 pt");
    EXPECT_EQ(w.Selected().LineWidth, 15);
}
