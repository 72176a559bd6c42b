// File > 読み込み: adding an SVG's or movie's paths to the drawing, and the
// document name offered for a drawing that was opened from one.
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/DrawGUI.h"
#include "core/History.h"
#include "edit/Selection.h"
#include "import/DrawingFile.h"
#include "view/BusyCursor.h"

// "SVG を読み込みました。" (or SWF) and, when something was left out, the importer's count of it.
QString DrawGUI::ImportedStatus(const LeftOut& missing, const std::string& format) const {
    const QString line = QString::fromStdString(LeftOutLine(missing, format));
    return tr("%1 を読み込みました。").arg(QString::fromStdString(format).toUpper()) +
           (line.isEmpty() ? QString() : " " + line);
}

QString DrawGUI::ForeignDocumentName() const {
    if (foreignFile_.isEmpty()) return {};
    const QFileInfo svg(foreignFile_);
    return svg.absoluteDir().filePath(svg.completeBaseName() + ".lvd");
}

void DrawGUI::mnuImport_Click() {
    const auto path = dialogs_->ShowOpenDialog(
        this, DialogRequest(tr("SVG ファイル (*.svg *.svgz)") + ";;" + tr("SWF ムービー (*.swf)"), "svg", {}));
    if (path) ImportDrawing(*path);
}

int DrawGUI::AskMovieFrame(int frames) {
    QDialog dialog(this);
    dialog.setWindowTitle(tr("フレームの選択"));
    auto* spin = new QSpinBox(&dialog);
    spin->setObjectName("frame");
    spin->setRange(1, frames);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(tr("このムービーには %1 フレームあります。読み込むフレーム (1〜%1):").arg(frames), &dialog));
    layout->addWidget(spin);
    layout->addWidget(buttons);
    return dialogs_->ExecModal(&dialog) == QDialog::Accepted ? spin->value() : 1;
}

void DrawGUI::ImportDrawing(const QString& path) {
    const BusyCursor busy;
    Drawing drawing;
    DrawingFileResult read = ReadForeignFile(path.toStdString(), drawing);
    if (read.Ok && read.Frames > 1)
        if (const int frame = AskMovieFrame(read.Frames); frame > 1) {
            drawing = {};
            read = ReadForeignFile(path.toStdString(), drawing, frame);
        }
    if (!read.Ok) {
        ShowInvalidFile(path, read.Error);
        return;
    }
    // A movie comes in as one group, as a whole.
    if (read.Format == "swf" && drawing.Paths.size() > 1)
        for (PathShape& p : drawing.Paths) {
            p.Grouped = VbTrue;
            p.GroupNo = 1;
        }
    // The new paths arrive selected in the select tool, so that they move at once.
    if (edit_.ToolMode != 2) PressTool(2);
    AddImportedPaths(core_, std::move(drawing.Paths));
    CalcSelectedRect(core_, edit_.Box);
    RebuildPreview();
    DispShape(0);
    PushHistory(core_);
    SetStatusText(ImportedStatus(read.Missing, read.Format));
}
