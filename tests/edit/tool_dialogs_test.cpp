#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include "edit/DialogPlacement.h"
#include "edit/FontList.h"
#include "edit/PolygonGUI.h"
#include "edit/TextFontGUI.h"

namespace {
template <typename T>
T* Child(QWidget& w, const char* name) {
    T* child = w.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

// Runs `action` once the modal loop of the next dialog has started.
void WhenOpen(std::function<void()> action) { QTimer::singleShot(0, std::move(action)); }

const QRect kScreen(0, 0, 1024, 768);
}  // namespace

TEST(ToolDialogs, PlacementPullsBackRightAndBottomOnly) {
    const struct {
        QPoint pointer, expected;
    } cases[] = {{{100, 100}, {100, 100}}, {{1000, 700}, {824, 668}}, {{-50, -20}, {-50, -20}}, {{900, 10}, {824, 10}}};
    for (const auto& c : cases) EXPECT_EQ(PlaceAtPointer(c.pointer, QSize(200, 100), kScreen), c.expected);
}

TEST(ToolDialogs, PolygonControlsSpinStarAndPreview) {
    PolygonGUI dialog;
    auto* text = Child<QLineEdit>(dialog, "Text1");
    auto* spin = Child<QScrollBar>(dialog, "VScroll1");
    auto* star = Child<QCheckBox>(dialog, "Check1");
    auto* depth = Child<QSlider>(dialog, "HScroll1");
    EXPECT_EQ(text->text(), "5");
    spin->setValue(-1);
    EXPECT_EQ(text->text(), "6");
    EXPECT_EQ(spin->value(), 0);
    depth->setValue(30);
    EXPECT_EQ(Child<QLabel>(dialog, "Label2")->text(), "30%");

    star->click();
    EXPECT_TRUE(Child<QGroupBox>(dialog, "Frame1")->isVisibleTo(&dialog));
    Child<QCheckBox>(dialog, "Check2")->setChecked(true);
    Child<QCheckBox>(dialog, "Check3")->setChecked(true);
    EXPECT_EQ(dialog.Settings().Mode, 7);
    star->click();
    EXPECT_EQ(dialog.Settings().Mode, 0);
    EXPECT_FALSE(Child<QGroupBox>(dialog, "Frame1")->isVisibleTo(&dialog));

    // The preview of a diamond: its top point drawn, the box's corner blank.
    text->setText("4");
    const QImage image = Child<QWidget>(dialog, "Picture1")->grab().toImage();
    EXPECT_EQ(image.size(), QSize(121, 121));
    EXPECT_LT(qGray(image.pixel(60, 10)), 128);
    EXPECT_LT(qGray(image.pixel(10, 60)), 128);
    EXPECT_EQ(qGray(image.pixel(30, 30)), 255);
}

TEST(ToolDialogs, PolygonToolPartOkAndCancel) {
    PolygonGUI dialog;
    auto* text = Child<QLineEdit>(dialog, "Text1");
    text->setText("2.4");  // too few corners for a figure: opens with 5
    WhenOpen([&] {
        EXPECT_EQ(text->text(), "5");
        Child<QCheckBox>(dialog, "Check1")->click();
        QTest::keyClick(text, Qt::Key_Return);
    });
    EXPECT_EQ(dialog.RunForTool({1000, 760}, kScreen), QStringLiteral("5角形(星型)"));
    EXPECT_LT(dialog.pos().x(), 1000);
    EXPECT_LT(dialog.pos().y(), 760);
    WhenOpen([&] { QTest::keyClick(&dialog, Qt::Key_Escape); });
    EXPECT_EQ(dialog.RunForTool({10, 10}, kScreen), QString());
    EXPECT_EQ(text->text(), "");
    EXPECT_EQ(dialog.pos(), QPoint(10, 10));
}

TEST(ToolDialogs, TextDialogFocusEnterAndCancel) {
    TextFont canvas;
    TextFontGUI dialog(canvas);
    dialog.EnumTrueTypeFont();
    auto* fonts = Child<QComboBox>(dialog, "Combo1");
    EXPECT_GT(fonts->count(), 1);
    EXPECT_EQ(dialog.FontName().toStdString(), DefaultFontFamily());
    const struct {
        bool chooseFont;
        Qt::Key key;
        QString hint;
        QString textAfter;
    } cases[] = {
        {false, Qt::Key_Return, "", "Lu"},  // no font: the tool falls back
        {true, Qt::Key_Return, "'Lu'", "Lu"},
        {true, Qt::Key_Escape, "", ""},
    };
    for (const auto& c : cases) {
        WhenOpen([&] {
            auto* text = Child<QLineEdit>(dialog, "Text1");
            EXPECT_EQ(dialog.focusWidget(), text);
            text->setText("Lu");
            fonts->setCurrentIndex(c.chooseFont ? fonts->findText("DejaVu Sans") : -1);
            Child<QCheckBox>(dialog, "Check1")->setChecked(true);
            QTest::keyClick(text, c.key);
        });
        EXPECT_EQ(dialog.RunForTool({0, 0}, kScreen), c.hint);
        EXPECT_EQ(dialog.Text(), c.textAfter);
    }
    EXPECT_EQ(canvas.Family, "DejaVu Sans");
    EXPECT_TRUE(canvas.Bold);
    EXPECT_FALSE(canvas.Italic);
    EXPECT_EQ(canvas.SizePt, 64.0f);
}
