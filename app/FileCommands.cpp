// The File menu: new, open, save, save as, clip files, and asking to save.
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "app/DrawGUI.h"
#include "app/SettingsFiles.h"
#include "view/BusyCursor.h"
#include "core/DocumentFile.h"
#include "core/FileBytes.h"
#include "core/History.h"
#include "core/PathNames.h"
#include "import/DrawingFile.h"
#include "edit/Selection.h"
#include "swf/Preview.h"

namespace {
const char* const kDocumentFilter = QT_TRANSLATE_NOOP("DrawGUI", "Lumivane ﾌｧｲﾙ (*.lvd)");
const char* const kSvgFilter = QT_TRANSLATE_NOOP("DrawGUI", "SVG ファイル (*.svg *.svgz)");
const char* const kSwfFilter = QT_TRANSLATE_NOOP("DrawGUI", "SWF ムービー (*.swf)");
const char* const kProjectFilter = QT_TRANSLATE_NOOP("DrawGUI", "Lumivane ﾌﾟﾛｼﾞｪｸﾄﾌｧｲﾙ (*.lvd)");
const char* const kClipFilter = QT_TRANSLATE_NOOP("DrawGUI", "Lumivane ｸﾘｯﾌﾟﾌｧｲﾙ (*.lvclip)");

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

int DrawGUI::ConfirmModify() {
    if (!core_.IsModified()) return 0;
    const auto answer = dialogs_->MessageBox(this, QMessageBox::Warning, "Lumivane",
                                             tr("ファイルは更新されています。上書き保存しますか？"),
                                             QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Cancel) return 1;
    // A save that fails keeps the drawing: said in a box (the status line is
    // about to go with the window), then the operation that asked stops.
    // A cancelled Save As dialog goes on, as No does.
    if (answer == QMessageBox::Yes && SaveFile() == SaveResult::Failed) {
        dialogs_->MessageBox(this, QMessageBox::Critical, tr("ファイル保存エラー"), StatusText(), QMessageBox::Ok);
        return 1;
    }
    return 0;
}

FileDialogRequest DrawGUI::DialogRequest(const QString& filter, const QString& suffix,
                                         const QString& fileName) const {
    // A document never saved starts in the user's documents folder, or beside the file it came from.
    QString folder = Q(GetDirName(core_.DocFileName));
    if (core_.DocFileName.empty() && QFileInfo(fileName).isAbsolute())
        folder = QFileInfo(fileName).absolutePath();
    else if (core_.DocFileName.empty() || folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return {filter, suffix, folder, fileName};
}

void DrawGUI::mnuNewCanvas_Click() {
    if (ConfirmModify() == 1) return;
    edit_.MouseDownFlag = false;
    core_.ZoomRate = 1.0f;
    Combo2->setCurrentText("100%");
    core_.Setup.UnderlayShow = 0;
    core_.ResetDocument();
    foreignFile_.clear();
    RebuildPreview();
    Form_Resize();  // the zoom went back to 100 %: new scroll ranges, then the redraw
    mnuPropertyCanvas_Click();
}

void DrawGUI::mnuOpenFile_Click() {
    if (ConfirmModify() == 1) return;
    const auto path = dialogs_->ShowOpenDialog(this, DialogRequest(tr(kDocumentFilter) + ";;" + tr(kSvgFilter) + ";;" + tr(kSwfFilter), "lvd", {}));
    if (path) LoadDocument(*path);
}

void DrawGUI::mnuSaveFile_Click() { SaveFile(); }

void DrawGUI::mnuSaveFileAs_Click() { SaveFileAs(); }

DrawGUI::SaveResult DrawGUI::SaveFile() {
    if (core_.DocFileName.empty()) return SaveFileAs();
    return SaveDocument(Q(core_.DocFileName)) ? SaveResult::Saved : SaveResult::Failed;
}

DrawGUI::SaveResult DrawGUI::SaveFileAs() {
    const QString proposal = core_.DocFileName.empty() ? ForeignDocumentName() : Q(core_.DocFileName);
    const auto path = dialogs_->ShowSaveDialog(this, DialogRequest(tr(kProjectFilter), "lvd", proposal));
    if (!path) return SaveResult::Cancelled;
    if (!SaveDocument(*path)) return SaveResult::Failed;
    core_.DocFileName = path->toStdString();
    core_.SetCaption(DrawCore::FileCaption(GetFileName(core_.DocFileName)));
    return SaveResult::Saved;
}

bool DrawGUI::SaveDocument(const QString& path) {
    if (!SaveFileBytes(path, FormatDocument(core_.Setup, core_.Paths))) {
        SetStatusText(tr("ファイル [%1] を保存できませんでした。").arg(path));
        return false;
    }
    SetStatusText(tr("ファイルを保存しました。"));
    core_.SetModified(false);
    return true;
}

void DrawGUI::ShowInvalidFile(const QString& path, const std::string& message) {
    const QString text = message.empty() ? tr("ファイル [%1] は不正なLumivaneファイルです。").arg(path)
                                         : QString::fromStdString(message);
    dialogs_->MessageBox(this, QMessageBox::Critical, tr("ファイルオープンエラー"), text, QMessageBox::Ok);
}

void DrawGUI::LoadDocument(const QString& path) {
    const BusyCursor busy;  // a large drawing takes a moment to read and draw
    CanvasSetup setup = core_.Setup;
    std::vector<PathShape> paths(1);
    DrawingFileResult read = ReadDrawingFile(path.toStdString(), setup, paths);
    if (read.Ok && read.Frames > 1)
        if (const int frame = AskMovieFrame(read.Frames); frame > 1) {
            setup = core_.Setup;
            paths.assign(1, PathShape{});
            read = ReadDrawingFile(path.toStdString(), setup, paths, frame);
        }
    if (read.Foreign && !read.Ok) {  // an SVG that cannot be read leaves the drawing as it was
        ShowInvalidFile(path, read.Error);
        return;
    }
    core_.ResetDocument();
    core_.SetCaption(DrawCore::FileCaption(GetFileName(path.toStdString())));
    core_.Setup = setup;
    core_.Paths = std::move(paths);
    // A drawing read from an SVG has no document file yet: Save asks for one.
    core_.DocFileName = read.Foreign ? std::string() : path.toStdString();
    foreignFile_ = read.Ok && read.Foreign ? path : QString();
    const bool good = read.Ok;
    if (read.Foreign && good) SetStatusText(ImportedStatus(read.Missing, read.Format));
    if (!good) {
        ShowInvalidFile(path, read.Error);
        core_.ResetDocument();
        ResetCanvasDefaults(core_.Setup);
    }
    SnapshotHistory(core_);
    InvalidateUnderlay(mk_);
    RebuildPreview();
    Form_Resize();  // the canvas size may differ: new scroll ranges, then the redraw
    if (good) PushHistory(core_);
    core_.SetModified(false);
}

void DrawGUI::CopySelectionToClip() {
    // The reference point is the selection frame's top-left corner.
    CalcSelectedRect(core_, edit_.Box);
    core_.CopyToClip(edit_.Box.SelRect[0].X, edit_.Box.SelRect[0].Y);
}

void DrawGUI::mnuClipWrite_Click() {
    if (core_.GetSelectedCount() >= 1 && edit_.ToolMode == 2) CopySelectionToClip();
    const auto path = dialogs_->ShowSaveDialog(this, DialogRequest(tr(kClipFilter), "lvclip", {}));
    if (!path) return;
    DispShape(0);
    WriteClipFile(*path);
}

void DrawGUI::WriteClipFile(const QString& path) {
    if (core_.GetClipCount() == 0) {
        SetStatusText(tr("クリップを保存できません。"));
        return;
    }
    const ClipData clip{core_.ClipPaths, core_.ClipOriginX, core_.ClipOriginY};
    if (!SaveFileBytes(path, FormatClip(clip))) {
        SetStatusText(tr("クリップを [ %1] に保存できませんでした。").arg(path));
        return;
    }
    SetStatusText(tr("クリップを [ %1] に保存しました。").arg(path));
}

void DrawGUI::mnuClipRead_Click() {
    const auto path = dialogs_->ShowOpenDialog(this, DialogRequest(tr(kClipFilter), "lvclip", {}));
    if (!path) return;
    DispShape(0);
    ReadClipFile(*path);
}

void DrawGUI::ReadClipFile(const QString& path) {
    core_.ClearClip();
    std::string bytes;
    ClipData clip;
    if (!ReadFileBytes(path.toStdString(), bytes) || !ParseClip(bytes, clip)) {
        SetStatusText(tr("ファイル [%1] は不正なLumivaneクリップファイルです。").arg(path));
        return;
    }
    core_.ClipPaths = std::move(clip.Paths);
    core_.ClipOriginX = clip.OriginX;
    core_.ClipOriginY = clip.OriginY;
    SetStatusText(tr("ファイル [%1] をクリップボードに読み込みました。").arg(path));
}
