// The gradient tool: dragging a handle moves, turns or sizes the gradient of
// every selected path; a click selects one gradient-filled path, or on empty
// canvas ends the tool.
#include "edit/CanvasGestures.h"
#include "edit/GradientDrag.h"
#include "edit/Selection.h"
#include "edit/Transform.h"

void GradientDown(GestureContext& c, std::int32_t tx, std::int32_t ty) {
    EditState& s = c.Edit;
    s.MouseDownFlag = true;
    s.DragChanged = false;
    s.DragX = tx;
    s.DragY = ty;
    c.Doc.HitPart = HitHandle(s.Box, c.Doc.ZoomRate, tx, ty);
    if (c.Doc.HitPart > 0) TakeDragSnapshot(c.Doc, s.Drag);
}

void GradientMove(GestureContext& c, std::int32_t tx, std::int32_t ty) {
    if (!c.Edit.MouseDownFlag) {
        // Only gradient fills are this tool's.
        return c.HoverMark(
            tx, ty, [](CanvasSurface& s, int x, int y) { s.InvertCircle(x, y, 4); },
            [](const PathShape& p) { return p.Closed && p.FillType >= 2; });
    }
    EditState& s = c.Edit;
    if (GradientDragStep(c.Doc, s.Box, s.Drag, c.Doc.HitPart, tx, ty, s.DragX, s.DragY)) s.DragChanged = true;
    c.DragRedraw(1, 1);
}

void GradientUp(GestureContext& c) {
    DrawCore& d = c.Doc;
    EditState& s = c.Edit;
    if (d.HitPart != 0) {
        c.FinishDrag();
    } else if (d.SelPath <= 0) {
        d.DeselectAll();
        CalcGradientControl(d, s.Box);
        c.Host.DispShape(0);
        c.Host.PressTool(2);
    } else {
        d.DeselectAll();
        d.Paths[static_cast<std::size_t>(d.SelPath)].Selected = VbTrue;  // this path alone, not its group
        c.Host.DispShape(0);
    }
    s.DragChanged = false;
    s.MouseDownFlag = false;
}
