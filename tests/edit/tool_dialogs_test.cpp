#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include "core/DocumentFile.h"
#include "core/History.h"
#include "edit/DialogPlacement.h"
#include "edit/FontList.h"
#include "edit/OptimizeGUI.h"
#include "edit/PolygonGUI.h"
#include "edit/TextFontGUI.h"
#include "tests/FakePreviewHost.h"
#include "tests/TestPaths.h"

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

// A document of a straight 21-anchor stroke between two other paths.
struct DialogFixture {
    DrawCore doc;
    DragSnapshot snap;
    FakePreviewHost host;
    OptimizeGUI dialog{doc, snap, host};
    std::vector<std::int32_t> edges;

    DialogFixture() {
        doc.AppendPath(MakePath({{0, 0}, {5000, 5000}}));
        PathShape stroke;
        for (int i = 0; i <= 20; ++i) stroke.Anchors.push_back(AnchorPoint{i * 25, (i % 2) * 10, 1});
        stroke.AnchorMax = 20;
        doc.AppendPath(stroke);
        doc.AppendPath(MakePath({{7, 7}, {8, 8}, {9, 9}}));
        doc.Setup.OptimizePoint = 0;
        doc.Setup.OptimizeLine = 0;
        SnapshotHistory(doc);
        dialog.DrawPathEdge = [this](std::int32_t p) { edges.push_back(p); };
    }
    std::string Saved() const { return FormatDocument(doc.Setup, doc.Paths); }
    QSlider* Slider(const char* name) { return dialog.findChild<QSlider*>(QString::fromLatin1(name)); }
    QPushButton* Button(const char* name) { return dialog.findChild<QPushButton*>(QString::fromLatin1(name)); }
};
}  // namespace

TEST(ToolDialogs, PlacementPullsBackRightAndBottomOnly) {
    const struct { QPoint pointer, expected; } cases[] = {
        {{100, 100}, {100, 100}}, {{1000, 700}, {824, 668}}, {{-50, -20}, {-50, -20}}, {{900, 10}, {824, 10}}};
    for (const auto& c : cases) EXPECT_EQ(PlaceAtPointer(c.pointer, QSize(200, 100), kScreen), c.expected);
}

TEST(ToolDialogs, PolygonControlsSpinStarPreviewOkAndCancel) {
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
    EXPECT_LT(qGray(image.pixel(60, 10)), 128);
    EXPECT_LT(qGray(image.pixel(10, 60)), 128);
    EXPECT_EQ(qGray(image.pixel(30, 30)), 255);
    text->setText("2.4");  // too few corners for a figure: the tool opens it with 5
    WhenOpen([&] {
        EXPECT_EQ(text->text(), "5");
        star->click();
        text->setText("1000000");
        QTest::keyClick(text, Qt::Key_Return);
    });
    EXPECT_EQ(dialog.RunForTool({1000, 760}, kScreen), QStringLiteral("10000角形(星型)"));  // the count used
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
    const struct { bool chooseFont; Qt::Key key; QString hint, textAfter; } cases[] = {
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
    EXPECT_EQ(std::make_tuple(canvas.Family, canvas.Bold, canvas.Italic, canvas.SizePt),
              std::make_tuple("DejaVu Sans", true, false, 64.0f));
}

TEST(OptimizeGUI, OpensWithClampedSettingsPreviewsAndCancelRestoresExactly) {
    DialogFixture f;
    f.doc.Setup.OptimizePoint = 1000;
    f.doc.Setup.OptimizeLine = 30;
    const std::string before = f.Saved();
    ASSERT_TRUE(f.dialog.ShowFor(2, QPoint(40, 300)));
    EXPECT_EQ(std::make_tuple(f.dialog.isVisible(), f.dialog.pos(), f.Slider("HScroll1")->value(),
                              f.dialog.findChild<QLabel*>("Label1")->text(), f.Slider("HScroll2")->value()),
              std::make_tuple(true, QPoint(40, 300), 400, QStringLiteral("400"), 30));
    f.Slider("HScroll2")->triggerAction(QAbstractSlider::SliderPageStepAdd);  // a click in the trough
    // 400 twips apart at most: only the ends stay.
    EXPECT_EQ(std::make_pair(f.Slider("HScroll2")->value(), f.doc.Paths[2].AnchorMax), std::make_pair(31, 1));
    EXPECT_TRUE(f.host.Rebuilds >= 1 && f.host.Modes.back() == 1 && f.edges.back() == 2);
    f.Slider("HScroll1")->setValue(0);  // each preview starts from the drawing as it was
    f.Slider("HScroll2")->setValue(0);
    EXPECT_EQ(f.doc.Paths[2].AnchorMax, 20);
    f.Slider("HScroll1")->setValue(60);
    f.Slider("HScroll2")->setValue(25);
    EXPECT_LT(f.doc.Paths[2].AnchorMax, 20);
    f.Button("Command2")->click();
    // Hidden, not destroyed: the sliders keep their values for the next use.
    EXPECT_EQ(std::make_tuple(f.dialog.isVisible(), f.Saved(), f.doc.HistoryPos, f.doc.IsModified(), f.Slider("HScroll1")->value()),
              std::make_tuple(false, before, 0, false, 60));
    // Closing the window cancels as well.
    ASSERT_TRUE(f.dialog.ShowFor(2, QPoint()));
    f.Slider("HScroll1")->setValue(200);
    f.dialog.close();
    EXPECT_EQ(std::make_pair(f.Saved(), f.doc.HistoryPos), std::make_pair(before, 0));
    EXPECT_FALSE(f.dialog.ShowFor(9, QPoint()) || f.dialog.isVisible());
}

TEST(OptimizeGUI, ModalOkRecordsThePreviewAsOneHistoryStep) {
    DialogFixture f;
    std::string previewed;
    QTimer::singleShot(0, [&] {
        f.Slider("HScroll1")->setValue(100);
        f.Slider("HScroll1")->setValue(60);
        f.Slider("HScroll2")->setValue(20);
        previewed = f.Saved();
        f.Button("Command1")->click();
    });
    EXPECT_EQ(f.dialog.ExecFor(2, QPoint(10, 10)), QDialog::Accepted);
    EXPECT_TRUE(f.doc.HistoryPos == 1 && f.doc.IsModified());
    EXPECT_EQ(std::make_pair(f.doc.History[1].Shapes[2].Anchors, f.Saved()), std::make_pair(f.doc.Paths[2].Anchors, previewed));
    QTimer::singleShot(0, [&f] { f.Button("Command2")->click(); });
    EXPECT_EQ(f.dialog.ExecFor(2, QPoint(10, 10)), QDialog::Rejected);
    EXPECT_EQ(f.doc.HistoryPos, 1);
    EXPECT_EQ(f.dialog.ExecFor(0, QPoint(10, 10)), QDialog::Rejected);  // no path: not opened
    UndoHistory(f.doc);
    EXPECT_EQ(f.doc.Paths[2].AnchorMax, 20);
}
