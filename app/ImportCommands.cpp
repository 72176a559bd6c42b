// File > 読み込み: adding an SVG's or movie's paths to the drawing, and the
// document name offered for a drawing that was opened from one.
#include <QFileInfo>

#include "app/DrawGUI.h"
#include "core/History.h"
#include "edit/Selection.h"
#include "import/DrawingFile.h"
#include "view/BusyCursor.h"

namespace {
const QString kImportFilter = "SVG ファイル (*.svg *.svgz);;SWF ムービー (*.swf)";
}  // namespace

QString DrawGUI::ForeignDocumentName() const {
    if (foreignFile_.isEmpty()) return {};
    const QFileInfo svg(foreignFile_);
    return svg.absoluteDir().filePath(svg.completeBaseName() + ".lvd");
}

void DrawGUI::mnuImport_Click() {
    const auto path = dialogs_->ShowOpenDialog(this, DialogRequest(kImportFilter, "svg", {}));
    if (path) ImportDrawing(*path);
}

void DrawGUI::ImportDrawing(const QString& path) {
    const BusyCursor busy;
    Drawing drawing;
    const DrawingFileResult read = ReadForeignFile(path.toStdString(), drawing);
    if (!read.Ok) {
        ShowInvalidFile(path, read.Error);
        return;
    }
    // The new paths arrive selected in the select tool, so that they move at once.
    if (edit_.ToolMode != 2) PressTool(2);
    AddImportedPaths(core_, std::move(drawing.Paths));
    CalcSelectedRect(core_, edit_.Box);
    RebuildPreview();
    DispShape(0);
    PushHistory(core_);
    SetStatusText(QString::fromStdString(ImportStatusText(read.Missing, read.Format)));
}
