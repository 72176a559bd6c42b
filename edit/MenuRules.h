#pragma once
#include <cstdint>

#include "core/DrawCore.h"
#include "edit/Geometry.h"

// Which items of the editing menus are shown and enabled, computed from the
// document and the hit variables just before a menu opens.

struct ItemRule {
    bool Visible = true;
    bool Enabled = false;
    bool operator==(const ItemRule&) const = default;
};

// The modify tool's menu for the anchor or edge under the mouse; `mouse` is
// the release point in twips.
struct ModifyMenuRules {
    ItemRule AnchorAdd, AnchorDelete, AnchorLine, AnchorCurve, AnchorKeen, AnchorRound;
    ItemRule OptimizeAnchor, OpenPathSel, ClosePathSel, DevidePath, JointPath;
};
ModifyMenuRules ModifyMenuState(const DrawCore& doc, TwipPoint mouse);

// The select tool's menu for a right click on a path; selCount is the
// number of selected paths counted by the selection box.
struct PathMenuRules {
    ItemRule CopyPath, CutPath, DeletePath;
    ItemRule OpenPath, ClosePath, FrontPath, BackPath, GroupMake, GroupClear, GroupAgain;
};
PathMenuRules PathMenuState(const DrawCore& doc, std::int32_t selCount);

// The select tool's menu for a right click on empty canvas.
struct CanvasMenuRules {
    ItemRule PastePath, SelectAll, PropertyCanvas;
};
CanvasMenuRules CanvasMenuState(const DrawCore& doc, bool canvasDialogAvailable);

// The Edit menu's clipboard and selection items; toolMode 2 is the select tool.
struct EditMenuRules {
    bool Copy = false, Cut = false, Delete = false, Paste = false, SelectAll = false;
};
EditMenuRules EditMenuState(const DrawCore& doc, std::int16_t toolMode);
