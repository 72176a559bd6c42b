#include <gtest/gtest.h>

#include <QDir>
#include <QDragEnterEvent>
#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <functional>

#include "app/CommandLine.h"
#include "app/SettingsFiles.h"
#include "core/DocumentFile.h"
#include "core/FileBytes.h"
#include "core/History.h"
#include "dialogs/CanvasGUI.h"
#include "style/ColorRow.h"
#include "tests/TestPaths.h"
#include "tests/swf/TestMovie.h"
#include "tests/app/TestWindow.h"

namespace {
struct Window : TestWindow {
    using TestWindow::TestWindow;

    void AddSquare(int x) {
        gui.Core().AppendPath(MakePath({{x, 0}, {x, 100}, {x + 100, 100}}, true));
        PushHistory(gui.Core());
    }
    // Opens a menu as the user would, so its items compute their state.
    static void Open(QMenu* menu) { emit menu->aboutToShow(); }
    static void Close(QMenu* menu) { emit menu->aboutToHide(); }
    QString Title() const { return gui.windowHandle()->title(); }  // as shown
    // Saves a one-square drawing at `path` with a window of its own.
    static void SaveDrawing(const QString& path) {
        Window source;
        source.AddSquare(0);
        source.dialogs->Paths.push_back(path);
        source.gui.mnuSaveFileAs->trigger();
    }
};

// Makes a folder refuse new files. Where permissions do not bind (a privileged
// user) the folder is taken away instead, which fails a save the same way.
void MakeUnwritable(const QString& folder) {
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    if (QFile probe(folder + "/probe"); probe.open(QIODevice::WriteOnly)) QDir(folder).removeRecursively();
}

void WriteConfig(const std::string& ini, const std::string& colors) {
    QDir().mkpath(ConfigFolder());
    ASSERT_TRUE(WriteFileReplacing(SettingsFilePath().toStdString(), ini));
    ASSERT_TRUE(WriteFileReplacing(UserColorFilePath().toStdString(), colors));
}
}  // namespace

TEST(DrawGUI, NewEditSaveAsOpenUndoThroughTheMenus) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/drawing one.lvd";
    Window w;
    w.gui.mnuNewCanvas->trigger();
    w.AddSquare(0);
    w.AddSquare(500);
    EXPECT_EQ(w.Title(), "(新規) - Lumivane *");
    w.dialogs->Paths.push_back(path);
    w.gui.mnuSaveFile->trigger();  // never saved: runs Save As
    EXPECT_EQ(std::make_tuple(w.Title(), w.gui.StatusText(), w.dialogs->Requests.back().DefaultSuffix),
              std::make_tuple("[ drawing one.lvd ] - Lumivane", "ファイルを保存しました。", "lvd"));

    w.gui.mnuNewCanvas->trigger();
    EXPECT_EQ(w.gui.Core().GetPathCount(), 0);
    w.dialogs->Paths.push_back(path);
    w.gui.mnuOpenFile->trigger();
    EXPECT_EQ(std::make_pair(w.gui.Core().GetPathCount(), w.Title()), std::make_pair(2, QString("[ drawing one.lvd ] - Lumivane")));
    w.dialogs->Paths.push_back(QString());
    w.gui.mnuSaveFileAs->trigger();
    EXPECT_EQ(std::make_pair(w.dialogs->Requests.back().Folder, w.dialogs->Requests.back().FileName),
              std::make_pair(dir.path(), path));

    Window::Open(w.gui.mnuEdit);
    EXPECT_TRUE(w.gui.mnuUnDo->isEnabled() && !w.gui.mnuReDo->isEnabled());
    Window::Close(w.gui.mnuEdit);
    w.gui.mnuUnDo->trigger();
    EXPECT_EQ(w.gui.Core().GetPathCount(), 2);  // entry 0 holds the loaded drawing too
    w.gui.mnuUnDo->trigger();
    EXPECT_EQ(w.gui.Core().HistoryPos, 0);
    Window::Open(w.gui.mnuEdit);
    EXPECT_TRUE(!w.gui.mnuUnDo->isEnabled() && w.gui.mnuReDo->isEnabled());
    EXPECT_EQ(w.Title(), "[ drawing one.lvd ] - Lumivane");
}

TEST(DrawGUI, ConfirmModifyAsksOnlyWhenModifiedAndHonoursTheAnswer) {
    QTemporaryDir dir;
    Window w;
    w.gui.mnuNewCanvas->trigger();
    EXPECT_TRUE(w.dialogs->Boxes.empty());
    w.AddSquare(0);
    w.dialogs->Answers.push_back(QMessageBox::Cancel);
    EXPECT_FALSE(w.gui.close());
    EXPECT_EQ(w.gui.Core().GetPathCount(), 1);
    const struct { QMessageBox::StandardButton answer; QString saveAs; int paths; } cases[] = {
        {QMessageBox::Cancel, "", 1},
        {QMessageBox::Yes, dir.path() + "/kept.lvd", 0},  // saves through Save As, then goes on
        {QMessageBox::No, "", 0},
        {QMessageBox::Yes, "", 0},  // a cancelled Save As still goes on
    };
    for (const auto& c : cases) {
        if (w.gui.Core().GetPathCount() == 0) w.AddSquare(0);
        w.dialogs->Answers.push_back(c.answer);
        if (!c.saveAs.isEmpty()) w.dialogs->Paths.push_back(c.saveAs);
        w.gui.mnuNewCanvas->trigger();
        EXPECT_EQ(w.gui.Core().GetPathCount(), c.paths) << c.answer;
    }
    EXPECT_TRUE(QFile::exists(dir.path() + "/kept.lvd"));
    ASSERT_EQ(w.dialogs->Boxes.size(), 5u);
    EXPECT_EQ(std::make_pair(w.dialogs->Boxes[0].Text, w.dialogs->Boxes[0].Buttons),
              std::make_pair(QString("ファイルは更新されています。上書き保存しますか？"), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel));
}

TEST(DrawGUI, CommandLineDocumentInPairedQuotesAndABadOrMissingOneGivesTheMessage) {
    QTemporaryDir dir;
    const QString bad = dir.path() + "/bad.lvd";
    ASSERT_TRUE(WriteFileReplacing(bad.toStdString(), "LVD010\r\n640,480,0,0,0,1,60,30,2\r\n0,\"\",0,0,1,128\r\n3\r\n"));
    for (const QString& path : {bad, dir.path() + "/missing file.lvd"}) {
        Window w({"\"" + path.toStdString() + "\""});
        ASSERT_EQ(w.dialogs->Boxes.size(), 1u);
        EXPECT_EQ(w.dialogs->Boxes[0].Text, "ファイル [" + path + "] は不正なLumivaneファイルです。");
        EXPECT_EQ(std::make_tuple(w.Title(), w.gui.Core().Setup.CanvasWidth, w.gui.Core().DocFileName, CanUndo(w.gui.Core())),
                  std::make_tuple("(新規) - Lumivane", 320, "", false));
    }
    // A name that is not UTF-8 is refused rather than opening its look-alike.
    const std::string folder = dir.path().toStdString();
    ASSERT_TRUE(WriteFileReplacing(folder + "/x\xEF\xBF\xBD.lvd", FormatDocument(CanvasSetup{}, {PathShape{}})));
    Window w({folder + "/x\xff.lvd"});
    EXPECT_EQ(w.dialogs->Boxes.size(), 1u);
    EXPECT_TRUE(w.gui.Core().DocFileName.empty());
    // Quotes around the words of a name go only in pairs.
    for (const auto& [args, name] : {std::pair<std::vector<std::string>, std::string>{{"\"/a/b", "c.lvd\""}, "/a/b c.lvd"},
                                     {{"\"/a/b"}, "\"/a/b"}, {{}, ""}, {{"/x.lvd"}, "/x.lvd"}})
        EXPECT_EQ(CommandLineDocument(args), name);
}

// Each document is named relative to the start folder, with Qt's title placeholder in its name.
TEST(DrawGUI, SaveFailingSaysSoAndKeepsTheDrawing) {
    QTemporaryDir dir;
    const QString other = dir.path() + "/other.lvd", startFolder = QDir::currentPath();
    Window::SaveDrawing(other);
    const std::function<void(Window&)> operations[] = {
        [](Window& w) { EXPECT_FALSE(w.gui.close()); },
        [](Window& w) { w.gui.mnuNewCanvas->trigger(); },
        [&](Window& w) { w.dialogs->Paths.push_back(other), w.gui.mnuOpenFile->trigger(); },
        [&](Window& w) { w.gui.Picture1_OLEDragDrop({QUrl::fromLocalFile(other)}); },
    };
    QDir::setCurrent(dir.path());
    for (int i = 0; i < 4; ++i) {
        const QString folder = "doc" + QString::number(i), path = dir.path() + "/" + folder + "/a[*]b.lvd";
        ASSERT_TRUE(QDir().mkpath(folder));
        Window::SaveDrawing(path);
        Window w({(folder + "/a[*]b.lvd").toStdString()});
        MakeUnwritable(folder);
        w.AddSquare(500);
        w.dialogs->Answers.push_back(QMessageBox::Yes);
        operations[i](w);
        ASSERT_EQ(w.dialogs->Boxes.size(), 2u) << i;  // asking to save, then the failure
        EXPECT_EQ(w.dialogs->Boxes[1].Title + w.dialogs->Boxes[1].Text,
                  "ファイル保存エラー" "ファイル [" + path + "] を保存できませんでした。");
        EXPECT_EQ(std::make_tuple(w.dialogs->Requests.size(), w.Title(), w.gui.Core().GetPathCount()),  // no Open dialog
                  std::make_tuple(0u, "[ a[*]b.lvd ] - Lumivane *", 2)) << i;
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QDir::setCurrent(startFolder);
    // Save As on its own says it in the status line.
    Window w;
    w.AddSquare(0);
    w.dialogs->Paths.push_back(dir.path() + "/no such folder/x.lvd");
    w.gui.mnuSaveFileAs->trigger();
    EXPECT_EQ(std::make_pair(w.Title(), w.gui.Core().DocFileName), std::make_pair(QString("(新規) - Lumivane *"), std::string()));
    EXPECT_TRUE(w.gui.StatusText().contains("保存できませんでした"));
}

TEST(DrawGUI, ClipFilesCarryTheSelection) {
    QTemporaryDir dir;
    const QString clip = dir.path() + "/sel.lvclip";
    Window w;
    w.dialogs->Paths.push_back(clip);
    w.gui.mnuClipWrite->trigger();
    EXPECT_TRUE(w.gui.StatusText() == "クリップを保存できません。" && !QFile::exists(clip));

    w.AddSquare(300);
    w.AddSquare(700);
    w.gui.Core().Paths[2].Selected = VbTrue;
    Window::Open(w.gui.mnuFile);
    EXPECT_TRUE(w.gui.mnuClipWrite->isEnabled());
    Window::Close(w.gui.mnuFile);
    w.dialogs->Paths.push_back(clip);
    w.gui.mnuClipWrite->trigger();
    EXPECT_EQ(w.gui.StatusText(), "クリップを [ " + clip + "] に保存しました。");

    w.gui.Core().ClearClip();
    w.dialogs->Paths.push_back(clip);
    w.gui.mnuClipRead->trigger();
    EXPECT_EQ(w.gui.StatusText(), "ファイル [" + clip + "] をクリップボードに読み込みました。");
    EXPECT_EQ(std::make_tuple(w.gui.Core().GetClipCount(), w.gui.Core().ClipOriginX, w.gui.Core().PasteOffsetX, w.gui.Core().Caption),
              std::make_tuple(1, 700, 0, "(新規) - Lumivane *"));

    const QString notClip = dir.path() + "/x.lvd";
    w.dialogs->Paths.push_back(notClip);
    w.gui.mnuClipRead->trigger();
    EXPECT_EQ(std::make_pair(w.gui.StatusText(), w.gui.Core().GetClipCount()),
              std::make_pair("ファイル [" + notClip + "] は不正なLumivaneクリップファイルです。", 0));
}

TEST(DrawGUI, OnlyLocalFilesDroppedOnTheCanvasOpenAfterAsking) {
    QTemporaryDir dir;
    const QUrl link("https://example.com/x.lvd"), local = QUrl::fromLocalFile(dir.path() + "/dropped.lvd");
    Window::SaveDrawing(local.toLocalFile());
    Window w;
    w.AddSquare(100);
    EXPECT_FALSE(w.gui.acceptDrops());
    auto drag = [&](const QList<QUrl>& urls) {  // enters the canvas and drops: was it taken, as a copy?
        QMimeData mime;
        mime.setUrls(urls);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, {});
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(w.gui.View().Picture1, &enter);
        QApplication::sendEvent(w.gui.View().Picture1, &drop);
        return enter.isAccepted() && enter.dropAction() == Qt::CopyAction;
    };
    for (const QList<QUrl>& refused : {QList<QUrl>{link}, QList<QUrl>{local, link}, QList<QUrl>{}})
        EXPECT_FALSE(drag(refused));
    EXPECT_TRUE(w.dialogs->Boxes.empty());
    w.dialogs->Answers = {QMessageBox::Cancel, QMessageBox::No};
    EXPECT_TRUE(drag({local, QUrl::fromLocalFile("/ignored.lvd")}));
    EXPECT_EQ(w.gui.Core().Paths[1].Anchors[0].X, 100);
    drag({local});
    EXPECT_EQ(std::make_pair(w.Title(), w.gui.Core().Paths[1].Anchors[0].X), std::make_pair(QString("[ dropped.lvd ] - Lumivane"), 0));
}

TEST(SettingsWindow, StartUpReadsBothFilesAndCloseWritesTheLastCanvas) {
    ASSERT_TRUE(ConfigFolder().startsWith(qEnvironmentVariable("XDG_CONFIG_HOME")));
    WriteConfig("[Lumivane]\nWindowState=0\nLeft=-9000000\nTop=-9000000\nWidth=9000\nHeight=8000\nHistoryMax=-3\nLanguage=EN\n"
                "[Canvas]\nWidth=640\nBackColorG=300\n",
                "0000FF,00FF00\r\n");
    {
        Window w;
        const CanvasSetup& s = w.gui.Core().Setup;
        const PictureBox* picker = w.gui.Colors().Picker.PicPicker;  // user cell (1, 0) shown from the start
        EXPECT_EQ(std::make_tuple(s.CanvasWidth, s.BackColor[1], s.HistoryMax, picker->PixelAt(37 * 8 + 4, 5)),
                  std::make_tuple(640, 255, 20, QColor(0, 255, 0)));
        // A placement on no screen comes back onto the primary one.
        EXPECT_TRUE(QGuiApplication::primaryScreen()->availableGeometry().intersects(w.gui.frameGeometry()));
        w.gui.Core().Setup.CanvasHeight = 200;
        w.gui.Edit().UserColors[35] = PackColor(1, 2, 3, 255);
        w.gui.mnuQuit->trigger();
    }
    // The language key goes back cleaned; it is read at start-up, not by the window.
    EXPECT_EQ(IniFileLookup(SettingsFilePath())("Lumivane", "Language"), "en");
    Window next;
    EXPECT_EQ(std::make_pair(next.gui.Core().Setup.CanvasHeight, next.gui.Edit().UserColors[35]), std::make_pair(200, PackColor(1, 2, 3, 0)));
    next.gui.close();
    WriteConfig("[Lumivane]\nWindowState=2\n", "");
    Window maximised;
    EXPECT_TRUE(maximised.gui.isMaximized());
}

TEST(SettingsWindow, CanvasDialogFromTheMenuAndAfterNewIsNoEdit) {
    Window w;
    w.dialogs->OnModal = [](QDialog* dialog) {
        auto* canvas = static_cast<CanvasGUI*>(dialog);
        canvas->Text1->setText("100");
        canvas->Command1->click();
    };
    const auto steps = w.gui.Core().History.size();
    w.gui.mnuPropertyCanvasFile->trigger();
    EXPECT_EQ(std::make_tuple(w.gui.Core().Setup.CanvasWidth, w.gui.Core().History.size(), w.gui.Core().IsModified()),
              std::make_tuple(100, steps, false));
    w.dialogs->OnModal = nullptr;
    w.gui.mnuNewCanvas->trigger();
    w.gui.mnuVersion->trigger();
    EXPECT_EQ(w.dialogs->Modals, 3);
}

// An SVG opens as a new drawing that Save never writes back into, and one
// imported into a drawing arrives selected, grouped, and goes with one undo.
TEST(DrawGUI, SvgOpensAsANewDrawingAndImportsAsOneStep) {
    QTemporaryDir dir;
    const QString svg = dir.path() + "/logo.svg";
    const std::string svgText = R"~(<svg xmlns="http://www.w3.org/2000/svg" width="64" height="48">
        <g><rect width="10" height="10" fill="red"/><circle cx="30" cy="30" r="8"/></g>
        <image width="5" height="5"/></svg>)~";
    ASSERT_TRUE(WriteFileReplacing(svg.toStdString(), svgText));
    Window w({svg.toStdString()});
    DrawCore& core = w.gui.Core();
    EXPECT_EQ(std::make_tuple(w.Title(), core.GetPathCount(), core.Setup.CanvasWidth, w.gui.StatusText()),
              std::make_tuple("[ logo.svg ] - Lumivane", 2, 64, "SVG を読み込みました。 svg: 1 image was left out"));
    w.AddSquare(0);
    w.dialogs->Paths.push_back(QString());  // Save asks for a document name first; cancelled
    w.gui.mnuSaveFile->trigger();
    ASSERT_EQ(w.dialogs->Requests.size(), 1u);
    EXPECT_EQ(std::make_pair(w.dialogs->Requests[0].FileName, w.dialogs->Requests[0].Folder),
              std::make_pair(dir.path() + "/logo.lvd", dir.path()));

    w.gui.mnuSelectAllEdit->trigger();
    w.dialogs->Paths.push_back(svg);
    w.gui.mnuImport->trigger();
    ASSERT_EQ(core.GetPathCount(), 5);
    EXPECT_EQ(core.GetSelectedCount(), 2);
    EXPECT_TRUE(core.Paths[4].Selected && core.Paths[5].Selected && core.Paths[5].Grouped);
    EXPECT_TRUE(core.Paths[4].GroupNo == core.Paths[5].GroupNo && core.Paths[4].GroupNo != core.Paths[1].GroupNo);
    w.gui.mnuUnDo->trigger();
    EXPECT_EQ(core.GetPathCount(), 3);
    // A broken SVG, opened or imported, says why and leaves the drawing as it was.
    ASSERT_TRUE(WriteFileReplacing((dir.path() + "/bad.svg").toStdString(), "<svg><g>"));
    w.dialogs->Paths = {dir.path() + "/bad.svg", dir.path() + "/bad.svg"};
    w.gui.mnuOpenFile->trigger();
    w.gui.mnuImport->trigger();
    EXPECT_EQ(std::make_pair(core.GetPathCount(), w.Title()), std::make_pair(3, QString("[ logo.svg ] - Lumivane *")));
    const auto& boxes = w.dialogs->Boxes;  // after the question to save the changes
    ASSERT_GE(boxes.size(), 2u);
    EXPECT_TRUE(boxes[boxes.size() - 2].Text.contains("well-formed") && boxes.back().Text.contains("well-formed"));
}

// A movie of two frames asks which frame to take, on open as on import
// (cancelled there: the first). Import as one step is the SVG test's road.
TEST(DrawGUI, MovieOpensAndImportsAtTheChosenFrame) {
    QTemporaryDir dir;
    const QString swf = dir.path() + "/anim.swf";
    ASSERT_TRUE(WriteFileReplacing(swf.toStdString(), testmovie::TwoFrameMovie()));
    Window w;
    w.dialogs->OnModal = [](QDialog* d) {
        d->findChild<QSpinBox*>("frame")->setValue(2);
        d->setResult(QDialog::Accepted);
    };
    w.gui.LoadDocument(swf);
    w.dialogs->OnModal = nullptr;
    w.dialogs->Paths.push_back(swf);
    w.gui.mnuImport->trigger();
    const DrawCore& core = w.gui.Core();
    ASSERT_EQ(core.GetPathCount(), 2);
    EXPECT_EQ(std::make_tuple(core.Paths[1].FillColor, core.Paths[2].FillColor, core.Paths[2].Selected),
              std::make_tuple(PackColor(0, 0, 255, 255), PackColor(255, 0, 0, 255), VbTrue));
}
