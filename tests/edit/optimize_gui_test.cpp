#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

#include "core/DocumentFile.h"
#include "core/History.h"
#include "edit/OptimizeGUI.h"
#include "tests/FakePreviewHost.h"
#include "tests/TestPaths.h"

namespace {
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

TEST(OptimizeGUI, OpensWithClampedSettingsAndPreviews) {
    DialogFixture f;
    EXPECT_EQ(f.dialog.windowTitle(), QStringLiteral("パスの最適化"));
    EXPECT_EQ(f.Button("Command1")->text(), QStringLiteral("適用(&A)"));
    EXPECT_EQ(f.Button("Command2")->text(), QStringLiteral("ｷｬﾝｾﾙ(&C)"));
    EXPECT_EQ(f.dialog.findChild<QLabel*>("Label3")->text(), QStringLiteral("弱"));
    EXPECT_EQ(f.dialog.findChild<QLabel*>("Label4")->text(), QStringLiteral("強"));
    f.doc.Setup.OptimizePoint = 1000;
    f.doc.Setup.OptimizeLine = 30;
    ASSERT_TRUE(f.dialog.ShowFor(2, QPoint(40, 300)));
    EXPECT_TRUE(f.dialog.isVisible());
    EXPECT_EQ(f.dialog.pos(), QPoint(40, 300));
    EXPECT_EQ(f.Slider("HScroll1")->value(), 400);
    EXPECT_EQ(f.dialog.findChild<QLabel*>("Label1")->text(), QStringLiteral("400"));
    EXPECT_EQ(f.Slider("HScroll2")->value(), 30);
    f.Slider("HScroll2")->triggerAction(QAbstractSlider::SliderPageStepAdd);  // a click in the trough
    EXPECT_EQ(f.Slider("HScroll2")->value(), 31);
    EXPECT_EQ(f.doc.Paths[2].AnchorMax, 1);  // 400 twips apart at most: only the ends stay
    EXPECT_GE(f.host.Rebuilds, 1);
    EXPECT_EQ(f.host.Modes.back(), 1);
    EXPECT_EQ(f.edges.back(), 2);
    f.dialog.reject();
    EXPECT_FALSE(f.dialog.ShowFor(9, QPoint()));
    EXPECT_FALSE(f.dialog.isVisible());
}

TEST(OptimizeGUI, SliderPreviewsAndCancelRestoresExactly) {
    DialogFixture f;
    const std::string before = f.Saved();
    ASSERT_TRUE(f.dialog.ShowFor(2, QPoint()));
    EXPECT_EQ(f.Saved(), before);  // both thresholds 0
    const int rebuilds = f.host.Rebuilds;
    f.Slider("HScroll1")->setValue(60);
    EXPECT_EQ(f.dialog.findChild<QLabel*>("Label1")->text(), QStringLiteral("60"));
    EXPECT_GT(f.host.Rebuilds, rebuilds);
    EXPECT_LT(f.doc.Paths[2].AnchorMax, 20);
    EXPECT_NE(f.Saved(), before);
    f.Slider("HScroll2")->setValue(25);
    f.Button("Command2")->click();
    EXPECT_FALSE(f.dialog.isVisible());
    EXPECT_EQ(f.Saved(), before);
    EXPECT_EQ(f.doc.HistoryPos, 0);
    EXPECT_FALSE(f.doc.IsModified());
    // Hidden, not destroyed: the sliders keep their values for the next use.
    EXPECT_EQ(f.Slider("HScroll1")->value(), 60);
    // Closing the window cancels as well.
    ASSERT_TRUE(f.dialog.ShowFor(2, QPoint()));
    f.Slider("HScroll1")->setValue(200);
    f.dialog.close();
    EXPECT_EQ(f.Saved(), before);
    EXPECT_EQ(f.doc.HistoryPos, 0);
}

TEST(OptimizeGUI, ApplyRecordsOneHistoryStep) {
    DialogFixture f;
    ASSERT_TRUE(f.dialog.ShowFor(2, QPoint()));
    f.Slider("HScroll1")->setValue(100);
    f.Slider("HScroll1")->setValue(60);
    f.Slider("HScroll2")->setValue(20);
    const std::string previewed = f.Saved();
    f.Button("Command1")->click();
    EXPECT_FALSE(f.dialog.isVisible());
    EXPECT_EQ(f.doc.HistoryPos, 1);
    EXPECT_TRUE(f.doc.IsModified());
    EXPECT_EQ(f.Saved(), previewed);
    EXPECT_EQ(f.doc.History[1].Shapes[2].Anchors, f.doc.Paths[2].Anchors);
    UndoHistory(f.doc);
    EXPECT_EQ(f.doc.Paths[2].AnchorMax, 20);
}

TEST(OptimizeGUI, ModalRunReportsTheButton) {
    DialogFixture f;
    QTimer::singleShot(0, [&f] { f.Button("Command1")->click(); });
    EXPECT_EQ(f.dialog.ExecFor(2, QPoint(10, 10)), QDialog::Accepted);
    EXPECT_EQ(f.doc.HistoryPos, 1);
    QTimer::singleShot(0, [&f] { f.Button("Command2")->click(); });
    EXPECT_EQ(f.dialog.ExecFor(2, QPoint(10, 10)), QDialog::Rejected);
    EXPECT_EQ(f.doc.HistoryPos, 1);
    EXPECT_EQ(f.dialog.ExecFor(0, QPoint(10, 10)), QDialog::Rejected);  // no path: not opened
}
