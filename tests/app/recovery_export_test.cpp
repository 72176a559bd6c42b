#include <QDir>
#include <QFile>
#include <QImage>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <functional>

#include "app/CrashRecovery.h"
#include "core/FileBytes.h"
#include "core/History.h"
#include "swf/Preview.h"
#include "tests/TestPaths.h"
#include "tests/app/TestWindow.h"

namespace {

QString Folder() { return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + "/recovery"; }
QStringList Copies() { return QDir(Folder()).entryList({"*.lvr"}); }

// What a crashed editor leaves behind: its copy, and a lock naming a process that is gone.
void LeaveOrphan(const QByteArray& bytes, const QString& name,
                 const QByteArray& lockText = "2147483646\nlumivane\n" + QSysInfo::machineHostName().toUtf8() + "\n") {
    QFile copy(Folder() + "/" + name + ".lvr"), lock(Folder() + "/" + name + ".lock");
    ASSERT_TRUE(copy.open(QIODevice::WriteOnly) && lock.open(QIODevice::WriteOnly));
    copy.write(bytes);
    lock.write(lockText);
}

struct Recovery : ::testing::Test {
    void SetUp() override {
        QDir(Folder()).removeRecursively();
        QDir().mkpath(Folder());
    }
};

}  // namespace

TEST_F(Recovery, ACrashedEditorsDrawingComesBackModifiedWithoutHistory) {
    auto first = std::make_unique<TestWindow>();
    first->gui.Core().DocFileName = "/home/u/a b.lvd";
    first->gui.Core().AppendPath(Square(100, 200, 300));
    PushHistory(first->gui.Core());
    QTRY_COMPARE_WITH_TIMEOUT(Copies().size(), 1, 5000);
    QFile written(Folder() + "/" + Copies().first());
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    LeaveOrphan(written.readAll(), "crashed");

    // The second editor, started on the same file, is offered only the orphan,
    // not the first editor's live copy, and keeps it instead of opening the file.
    auto second = std::make_unique<TestWindow>(std::vector<std::string>{"/home/u/a b.lvd"},
                                               std::deque{QMessageBox::Yes});
    ASSERT_EQ(second->dialogs->Boxes.size(), 1u);
    EXPECT_EQ(second->dialogs->Boxes[0].Title, "Lumivane");
    EXPECT_EQ(second->dialogs->Boxes[0].Text, "前回保存されずに終了した図形があります。復元しますか？");
    DrawCore& doc = second->gui.Core();
    ASSERT_EQ(doc.GetPathCount(), 1);
    EXPECT_TRUE(SameShape(doc.Paths[1], Square(100, 200, 300)));
    EXPECT_EQ(doc.DocFileName, "/home/u/a b.lvd");
    EXPECT_EQ(second->gui.windowTitle(), "[ a b.lvd ] - Lumivane *");
    EXPECT_FALSE(CanUndo(doc));
    EXPECT_FALSE(QFile::exists(Folder() + "/crashed.lvr"));  // taken over by the second editor's own copy
    EXPECT_EQ(Copies().size(), 2);

    first.reset();  // clean exits remove their copies
    second.reset();
    EXPECT_TRUE(Copies().isEmpty());
}

TEST_F(Recovery, NoDeletesTheCopyEvenWithAnUnreadableLockAndABadOneIsMovedAsideFor30Days) {
    const QByteArray empty = QByteArray::fromStdString(
        CrashRecovery::FormatCopy({"", true, "LVD010\r\n320,320,255,255,255,1,60,30,2\r\n0,\"\",0,0,1,128\r\n0\r\n"}));
    for (const QByteArray& lock : {QByteArray("2147483646\nlumivane\n"), QByteArray(), QByteArray("\x01garbage")}) {
        LeaveOrphan(empty, "declined", lock);
        TestWindow declined({}, {QMessageBox::No});
        EXPECT_EQ(declined.dialogs->Boxes.size(), 1u) << lock.size();
        EXPECT_FALSE(QFile::exists(Folder() + "/declined.lvr") || QFile::exists(Folder() + "/declined.lock"));
    }

    // Set-aside copies older than 30 days go at the next start; a copy's age counts from being set aside.
    LeaveOrphan("LVRECOVER1\r\n\r\n1\r\nLVD010\r\n320,320", "bad");
    for (const auto& [name, days] : {std::pair{"old.lvr.bad", 31}, {"young.lvr.bad", 29}, {"bad.lvr", 40}}) {
        QFile f(Folder() + "/" + name);
        ASSERT_TRUE(f.open(QIODevice::Append) &&
                    f.setFileTime(QDateTime::currentDateTime().addDays(-days), QFileDevice::FileModificationTime));
    }
    TestWindow bad({}, {QMessageBox::Yes});
    ASSERT_EQ(bad.dialogs->Boxes.size(), 2u);
    EXPECT_EQ(bad.dialogs->Boxes[1].Icon, QMessageBox::Critical);
    EXPECT_EQ(bad.gui.Core().GetPathCount(), 0);
    EXPECT_EQ(bad.gui.windowTitle(), "(新規) - Lumivane");
    EXPECT_EQ(QDir(Folder()).entryList({"*.bad"}), QStringList({"bad.lvr.bad", "young.lvr.bad"}));
    EXPECT_LT(QFileInfo(Folder() + "/bad.lvr.bad").lastModified().secsTo(QDateTime::currentDateTime()), 60);
}

TEST(Export, WritesSvgPngAtTheZoomAndTheMovieOrSaysItCouldNot) {
    QTemporaryDir dir;
    TestWindow w;
    w.gui.Core().AppendPath(Square(100, 200, 3000));
    w.gui.Core().ZoomRate = 2.0f;
    w.gui.Core().DocFileName = dir.filePath("a.lvd").toStdString();
    ASSERT_TRUE(WriteFileReplacing(w.gui.Core().DocFileName, "drawing"));
    w.gui.RebuildPreview();
    const std::string movie = [&] {
        SWFMakeCore mk;
        return BuildPreviewMovie(mk, w.gui.Core());
    }();
    struct Case {
        const char* Name;
        std::function<bool(const QByteArray&)> Good;
    } cases[] = {
        {"a.svg", [](const QByteArray& b) { return b.startsWith("<?xml") && b.contains("<path d=\"M100 200L3100 200"); }},
        {"a.png", [](const QByteArray& b) { return QImage::fromData(b, "PNG").size() == QSize(640, 640); }},
        {"a.swf", [&](const QByteArray& b) { return b.toStdString() == movie; }},
    };
    for (const Case& c : cases) {
        w.dialogs->Paths.push_back(dir.filePath(c.Name));
        w.gui.mnuExport->trigger();
        QFile f(dir.filePath(c.Name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << c.Name;
        EXPECT_TRUE(c.Good(f.readAll())) << c.Name;
    }
    EXPECT_EQ(w.dialogs->Requests.back().Filter, "SVG ファイル (*.svg);;PNG 画像 (*.png);;SWF ムービー (*.swf)");
    EXPECT_TRUE(w.dialogs->Boxes.empty());
    // A missing folder, and the drawing's own file, which stays whole.
    for (const char* name : {"missing/a.svg", "a.lvd"}) {
        w.dialogs->Paths.push_back(dir.filePath(name));
        w.gui.mnuExport->trigger();
    }
    ASSERT_EQ(w.dialogs->Boxes.size(), 2u);
    EXPECT_EQ(w.dialogs->Boxes[0].Text, "ファイル [" + dir.filePath("missing/a.svg") + "] を書き出せませんでした。");
    EXPECT_EQ(w.dialogs->Boxes[1].Text, "ファイル [" + dir.filePath("a.lvd") + "] を書き出せませんでした。\ncannot write " +
                                            dir.filePath("a.lvd") + ": it is the input file");
    std::string drawing;
    EXPECT_TRUE(ReadFileBytes(w.gui.Core().DocFileName, drawing) && drawing == "drawing");
}
