// The canvas properties dialog and the about box, opened over the main window.
#include <QStandardPaths>

#include "app/DrawGUI.h"
#include "core/PathNames.h"
#include "dialogs/CanvasGUI.h"
#include "dialogs/VersionInfo.h"

void DrawGUI::mnuPropertyCanvas_Click() {
    if (!canvasGUI_) {
        canvasGUI_ = new CanvasGUI(this);
        canvasGUI_->Run = [this](QDialog* dialog) { return dialogs_->ExecModal(dialog); };
    }
    const QString docFolder = QString::fromStdString(GetDirName(core_.DocFileName));
    canvasGUI_->DefaultFolder =
        docFolder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::PicturesLocation) : docFolder;
    const std::int32_t width = core_.Setup.CanvasWidth, height = core_.Setup.CanvasHeight;
    canvasGUI_->Execute(core_.Setup, mk_, *this, frameGeometry().topLeft());
    // A new canvas size needs new scroll ranges; Form_Resize lays them out and redraws.
    if (core_.Setup.CanvasWidth != width || core_.Setup.CanvasHeight != height) Form_Resize();
}

void DrawGUI::mnuVersion_Click() {
    VersionInfo box(this);
    dialogs_->ExecModal(&box);
    update();
}
