// The gradient tool: dragging a handle moves, turns or sizes the gradient of
// every selected path; a click selects one gradient-filled path, or on empty
// canvas ends the tool.
#include "core/History.h"
#include "edit/CanvasGestures.h"
#include "edit/GradientDrag.h"
#include "edit/Selection.h"
#include "edit/Transform.h"

namespace {
void GradientHover(GestureContext& c, std::int32_t tx, std::int32_t ty) {
    DrawCore& d = c.Doc;
    d.SelPath = 0;
    d.HitPart = HitHandle(c.Edit.Box, d.ZoomRate, tx, ty);
    if (d.HitPart > 0) {
        c.MarkHandleHover(c.Edit.Box.SelRect[static_cast<std::size_t>(d.HitPart - 1)],
                          [](CanvasSurface& s, int x, int y) { s.InvertCircle(x, y, 4); });
        return;
    }
    const std::int32_t p = HitSegment(d, tx, ty).Path;
    if (p <= 0) return c.ClearHoverMark();
    const PathShape& path = d.Paths[static_cast<std::size_t>(p)];
    if (path.Closed && path.FillType >= 2) c.MarkPathHover(p);  // only gradient fills are this tool's
}
}  // namespace

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
    if (!c.Edit.MouseDownFlag) return GradientHover(c, tx, ty);
    EditState& s = c.Edit;
    if (GradientDragStep(c.Doc, s.Box, s.Drag, c.Doc.HitPart, tx, ty, s.DragX, s.DragY)) s.DragChanged = true;
    c.DragRedraw(1, 1);
}

void GradientUp(GestureContext& c) {
    DrawCore& d = c.Doc;
    EditState& s = c.Edit;
    if (d.HitPart != 0) {
        c.Host.RebuildPreview();
        c.Host.DispShape(0);
        if (s.DragChanged) PushHistory(d);
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
