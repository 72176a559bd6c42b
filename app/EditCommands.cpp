// The Edit menu's history commands.
#include "app/DrawGUI.h"
#include "core/History.h"

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
