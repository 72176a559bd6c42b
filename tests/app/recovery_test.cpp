#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTest>
#include <gtest/gtest.h>

#include "app/CrashRecovery.h"
#include "app/DrawGUI.h"
#include "core/History.h"
#include "tests/TestPaths.h"
#include "tests/app/FakeDialogs.h"

namespace {

QString Folder() { return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + "/recovery"; }
QStringList Copies() { return QDir(Folder()).entryList({"*.lvr"}); }

struct Window {
    FakeDialogs* dialogs = new FakeDialogs;
    std::unique_ptr<DrawGUI> gui = std::make_unique<DrawGUI>(std::unique_ptr<AppDialogs>(dialogs));
    explicit Window(std::deque<QMessageBox::StandardButton> answers = {}) {
        dialogs->Answers = std::move(answers);
        gui->Form_Load({});
    }
};

// What a crashed editor leaves behind: its copy, and a lock naming a process that is gone.
void LeaveOrphan(const QByteArray& bytes, const QString& name) {
    QFile copy(Folder() + "/" + name + ".lvr"), lock(Folder() + "/" + name + ".lock");
    ASSERT_TRUE(copy.open(QIODevice::WriteOnly) && lock.open(QIODevice::WriteOnly));
    copy.write(bytes);
    lock.write("2147483646\nlumivane\n" + QSysInfo::machineHostName().toUtf8() + "\n");
}

struct Recovery : ::testing::Test {
    void SetUp() override {
        QDir(Folder()).removeRecursively();
        QDir().mkpath(Folder());
    }
};

}  // namespace

TEST_F(Recovery, ACrashedEditorsDrawingComesBackModifiedWithoutHistory) {
    Window first;
    first.gui->Core().DocFileName = "/home/u/a b.lvd";
    first.gui->Core().AppendPath(Square(100, 200, 300));
    PushHistory(first.gui->Core());
    QTRY_COMPARE_WITH_TIMEOUT(Copies().size(), 1, 5000);
    QFile written(Folder() + "/" + Copies().first());
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    LeaveOrphan(written.readAll(), "crashed");

    // The second editor is offered only the orphan, not the first editor's live copy.
    Window second({QMessageBox::Yes});
    ASSERT_EQ(second.dialogs->Boxes.size(), 1u);
    EXPECT_EQ(second.dialogs->Boxes[0].Title, "Lumivane");
    EXPECT_EQ(second.dialogs->Boxes[0].Text, "前回保存されずに終了した図形があります。復元しますか？");
    DrawCore& doc = second.gui->Core();
    ASSERT_EQ(doc.GetPathCount(), 1);
    EXPECT_TRUE(SameShape(doc.Paths[1], Square(100, 200, 300)));
    EXPECT_EQ(doc.DocFileName, "/home/u/a b.lvd");
    EXPECT_EQ(second.gui->windowTitle(), "[ a b.lvd ] - Lumivane *");
    EXPECT_FALSE(CanUndo(doc));
    EXPECT_FALSE(QFile::exists(Folder() + "/crashed.lvr"));  // taken over by the second editor's own copy
    EXPECT_EQ(Copies().size(), 2);

    first.gui.reset();  // clean exits remove their copies
    second.gui.reset();
    EXPECT_TRUE(Copies().isEmpty());
}

TEST_F(Recovery, NoDeletesTheCopyAndABadOneIsReportedAndMovedAside) {
    LeaveOrphan(QByteArray::fromStdString(CrashRecovery::FormatCopy({"", true, "LVD010\r\n320,320,255,255,255,1,60,30,2\r\n"
                                                                              "0,\"\",0,0,1,128\r\n0\r\n"})),
                "declined");
    Window declined({QMessageBox::No});
    EXPECT_EQ(declined.dialogs->Boxes.size(), 1u);
    EXPECT_FALSE(QFile::exists(Folder() + "/declined.lvr"));

    LeaveOrphan("LVRECOVER1\r\n\r\n1\r\nLVD010\r\n320,320", "bad");
    Window bad({QMessageBox::Yes});
    ASSERT_EQ(bad.dialogs->Boxes.size(), 2u);
    EXPECT_EQ(bad.dialogs->Boxes[1].Icon, QMessageBox::Critical);
    EXPECT_EQ(bad.gui->Core().GetPathCount(), 0);
    EXPECT_EQ(bad.gui->windowTitle(), "(新規) - Lumivane");
    EXPECT_TRUE(QFile::exists(Folder() + "/bad.lvr.bad"));
}
