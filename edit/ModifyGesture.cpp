// The modify tool: the anchor or segment under the pointer is marked while
// hovering and dragged with the button held; Shift or Ctrl at the release
// makes its anchors corners or curve points.
#include "edit/AnchorCommands.h"
#include "edit/CanvasGestures.h"
#include "edit/Selection.h"

namespace {
void ModifyHover(GestureContext& c, std::int32_t tx, std::int32_t ty) {
    DrawCore& d = c.Doc;
    d.SelPath = 0;
    d.HitPart = 0;
    // Anchors take priority over segments.
    const PathHit anchor = HitAnchor(d, tx, ty);
    const PathHit segment = anchor.Path ? PathHit{} : HitSegment(d, tx, ty);
    if (anchor.Path || segment.Path) {
        const PathHit hit = anchor.Path ? anchor : segment;
        d.SelPath = hit.Path;
        d.SelAnchor = hit.Index;
        if (segment.Path) {
            d.HitPart = hit.Path;
            d.SelAnchor2 = (hit.Index + 1) % (d.Paths[static_cast<std::size_t>(hit.Path)].AnchorMax + 1);
        }
        c.Host.DispShape(1);
        c.Host.DrawOverlay([&](const OverlayContext& o) {
            DrawPathEdge(o, hit.Path, true, true);
            DrawAnchorMark(o, hit.Path, hit.Index, segment.Path, hit.Index + 1, true);
        });
        c.Edit.HoverMarked = true;
    } else {
        c.ClearHoverMark();
    }
}
}  // namespace

void ModifyDown(GestureContext& c, std::int32_t tx, std::int32_t ty) {
    if (c.Doc.SelPath <= 0) return;  // the hover found nothing to drag
    c.Edit.MouseDownFlag = true;
    c.Edit.DragChanged = false;
    c.Edit.DragX = tx;
    c.Edit.DragY = ty;
}

void ModifyMove(GestureContext& c, std::int32_t tx, std::int32_t ty) {
    if (!c.Edit.MouseDownFlag) return ModifyHover(c, tx, ty);
    DrawCore& d = c.Doc;
    EditState& s = c.Edit;
    const std::int32_t dx = tx - s.DragX, dy = ty - s.DragY;
    if (d.SelPath >= 1) MoveAnchor(d, dx, dy, d.SelPath, d.SelAnchor);
    // Dragging a segment translates both its ends.
    if (d.HitPart > 0) MoveAnchor(d, dx, dy, d.HitPart, d.SelAnchor2);
    if (dx != 0 || dy != 0) s.DragChanged = true;
    s.DragX = tx;
    s.DragY = ty;
    if (s.RealTimePreview) {
        c.Host.RebuildPreview();
        c.Host.DispShape(1);
    } else {
        // Redraws the old image first, then marks the moved anchor or segment.
        c.Host.DrawOverlay([&](const OverlayContext& o) {
            DrawAnchorMark(o, d.SelPath, d.SelAnchor, d.HitPart, d.SelAnchor2, false);
        });
    }
}

void ModifyUp(GestureContext& c, const MouseArgs& e) {
    DrawCore& d = c.Doc;
    EditState& s = c.Edit;
    if (e.Shift == 1 || e.Shift == 2) {
        const std::int16_t kind = e.Shift == 1 ? 0 : 1;  // Shift: corner, Ctrl: curve
        if (d.SelPath > 0) SetAnchorKind(d, d.SelPath, d.SelAnchor, kind);
        if (d.HitPart > 0) SetAnchorKind(d, d.HitPart, d.SelAnchor2, kind);
        s.DragChanged = true;
    }
    if (e.RightButton()) c.Host.ShowCanvasMenu(CanvasMenu::Modify, e.X, e.Y);
    c.FinishDrag();
    s.DragChanged = false;
    s.MouseDownFlag = false;
}
