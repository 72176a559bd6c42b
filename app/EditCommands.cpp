// The Edit menu's commands: history, clipboard and selection. Each checks
// its own conditions, since a shortcut runs it while the menu is closed.
#include <functional>

#include "app/DrawGUI.h"
#include "core/History.h"
#include "edit/Clipboard.h"
#include "edit/MenuRules.h"
#include "edit/Selection.h"

void DrawGUI::mnuUnDo_Click() {
    if (!CanUndo(core_)) return;
    UndoHistory(core_);
    RebuildPreview();
    DispShape(0);
}

void DrawGUI::mnuReDo_Click() {
    if (!CanRedo(core_)) return;
    RedoHistory(core_);
    RebuildPreview();
    DispShape(0);
}

void DrawGUI::mnuCopyPathEdit_Click() {
    if (!EditMenuState(core_, edit_.ToolMode).Copy) return;
    CopySelectionToClip();
}

namespace {
// The road of an Edit-menu change: the change, rebuild, redraw, one history step.
void ChangeAndRecord(DrawGUI& gui, bool allowed, const std::function<void()>& change) {
    if (!allowed) return;
    change();
    // The box follows the selection even when nothing stays selected, so no
    // handle of a removed path is left to catch a click.
    CalcSelectedRect(gui.Core(), gui.Edit().Box);
    gui.RebuildPreview();
    gui.DispShape(0);
    PushHistory(gui.Core());
}
}  // namespace

void DrawGUI::mnuCutPathEdit_Click() {
    ChangeAndRecord(*this, EditMenuState(core_, edit_.ToolMode).Cut, [this] {
        CalcSelectedRect(core_, edit_.Box);
        CutToClip(core_, edit_.Box.SelRect[0].X, edit_.Box.SelRect[0].Y);
    });
}

void DrawGUI::mnuDeletePathEdit_Click() {
    ChangeAndRecord(*this, EditMenuState(core_, edit_.ToolMode).Delete, [this] { core_.DeleteSelected(); });
}

void DrawGUI::mnuPastePathEdit_Click() {
    ChangeAndRecord(*this, EditMenuState(core_, edit_.ToolMode).Paste, [this] { PasteClip(core_, 0, 0, true); });
}

void DrawGUI::mnuSelectAllEdit_Click() {
    if (!EditMenuState(core_, edit_.ToolMode).SelectAll) return;
    core_.SelectAll();
    DispShape(0);
}
