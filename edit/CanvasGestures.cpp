// The canvas mouse handlers: the pointer readout, then the current tool's
// handler.
#include "edit/CanvasGestures.h"

#include "core/History.h"
#include "edit/Selection.h"

void ClearHitState(DrawCore& doc) { doc.SelPath = doc.SelAnchor = doc.HitPart = doc.SelAnchor2 = 0; }

void ResetForTool(DrawCore& doc, EditState& edit, PreviewHost& host, int index) {
    ClearHitState(doc);
    edit.MouseDownFlag = false;
    edit.DragChanged = false;
    doc.DeselectAll();
    CalcSelectedRect(doc, edit.Box);
    host.DispShape(0);
    edit.DragKind = 0;
    edit.ToolMode = static_cast<std::int16_t>(index);
}

void DrawSelectOverlay(const OverlayContext& c, int mode, SelectionBox& box, QString& statusText) {
    if (mode == 3 || c.Doc.GetSelectedCount() == 0) return;
    if (mode != 2) CalcSelectedRect(c.Doc, box);
    DrawSelection(c, box.SelRect, mode != 2, statusText);
}

void GestureContext::DragRedraw(int mode, int liveMode) {
    if (Edit.RealTimePreview) {
        Host.RebuildPreview();
        Host.DispShape(liveMode);
    } else {
        Host.DispShape(mode);
    }
}

void GestureContext::FinishDrag() {
    Host.RebuildPreview();
    Host.DispShape(0);
    if (Edit.DragChanged) PushHistory(Doc);
}

void GestureContext::HoverMark(std::int32_t tx, std::int32_t ty,
                               const std::function<void(CanvasSurface&, int x, int y)>& handleMark,
                               const std::function<bool(const PathShape&)>& takesPath) {
    Doc.SelPath = 0;
    Doc.HitPart = HitHandle(Edit.Box, Doc.ZoomRate, tx, ty);
    // Paths are found by their control polygon, not by their filled area.
    const std::int32_t p = Doc.HitPart > 0 ? 0 : HitSegment(Doc, tx, ty).Path;
    if (Doc.HitPart <= 0 && (p <= 0 || !takesPath(Doc.Paths[static_cast<std::size_t>(p)]))) return ClearHoverMark();
    Host.DispShape(1);
    Host.DrawOverlay([&](const OverlayContext& o) {
        if (p > 0) return DrawPathEdge(o, p, true, false, 2);
        const TwipPoint h = Edit.Box.SelRect[static_cast<std::size_t>(Doc.HitPart - 1)];
        std::int32_t sx = 0, sy = 0;
        o.ToScreen(h.X, h.Y, sx, sy);
        handleMark(o.Surface, sx, sy);
    });
    Edit.HoverMarked = true;
    Doc.SelPath = p;
}

void GestureContext::ClearHoverMark() {
    if (!Edit.HoverMarked) return;
    Host.DispShape(1);
    Edit.HoverMarked = false;
}

bool GestureContext::Selected(std::int32_t path) const {
    return path >= 1 && path <= Doc.GetPathCount() && Doc.Paths[static_cast<std::size_t>(path)].Selected;
}

void CanvasGestures::Picture1_MouseDown(const MouseArgs& e) {
    std::int32_t tx = 0, ty = 0;
    PosScrToTwip(c_.Host.Geometry(), e.X, e.Y, tx, ty);
    // A second button pressed during a gesture would start another one over
    // it and lose the first one's history step; only the line tool, whose
    // gesture spans several clicks, takes further presses.
    if (c_.Edit.MouseDownFlag && c_.Edit.ToolMode != 6) return;
    switch (c_.Edit.ToolMode) {
    case 0: PencilDown(c_, e, tx, ty); break;
    case 1: ModifyDown(c_, tx, ty); break;
    case 2: SelectDown(c_, e, tx, ty); break;
    case 3: GradientDown(c_, tx, ty); break;
    case 4: RectangleDown(c_, tx, ty); break;
    case 5: EllipseDown(c_, tx, ty); break;
    case 6: LineDown(c_, e, tx, ty); break;
    case 7:
        if (CreatePolygonAt) ShapeClickDown(c_, tx, ty, CreatePolygonAt);
        break;
    case 8:
        if (CreateTextAt) ShapeClickDown(c_, tx, ty, CreateTextAt);
        break;
    default: break;
    }
}

void CanvasGestures::Picture1_MouseMove(const MouseArgs& e) {
    std::int32_t tx = 0, ty = 0;
    PosScrToTwip(c_.Host.Geometry(), e.X, e.Y, tx, ty);
    PointerReadout(tx, ty);
    switch (c_.Edit.ToolMode) {
    case 0: PencilMove(c_, e, tx, ty); break;
    case 1: ModifyMove(c_, tx, ty); break;
    case 2: SelectMove(c_, e, tx, ty); break;
    case 3: GradientMove(c_, tx, ty); break;
    case 6: LineMove(c_, e, tx, ty); break;
    default: break;  // the shape tools act only at the press
    }
}

void CanvasGestures::Picture1_MouseUp(const MouseArgs& e) {
    std::int32_t tx = 0, ty = 0;
    PosScrToTwip(c_.Host.Geometry(), e.X, e.Y, tx, ty);
    if (!c_.Edit.MouseDownFlag) return;
    switch (c_.Edit.ToolMode) {
    case 0: PencilUp(c_, tx, ty); break;
    case 1: ModifyUp(c_, e); break;
    case 2: SelectUp(c_, e, tx, ty); break;
    case 3: GradientUp(c_); break;
    case 6: LineUp(c_, tx, ty); break;
    default: break;
    }
    // A pop-up menu opened at the release took the pointer away, and its
    // command may have renumbered paths or anchors.
    if (!c_.Edit.PointerOnCanvas) RefreshHover();
}

void CanvasGestures::RefreshHover() {
    if (c_.Edit.MouseDownFlag) return;
    ClearHitState(c_.Doc);
    if (!c_.Edit.PointerOnCanvas) return;
    MouseArgs e;
    e.Button = 0;
    e.X = c_.Edit.PointerX;
    e.Y = c_.Edit.PointerY;
    std::int32_t tx = 0, ty = 0;
    PosScrToTwip(c_.Host.Geometry(), e.X, e.Y, tx, ty);
    // Without a gesture these handlers only hover.
    switch (c_.Edit.ToolMode) {
    case 1: ModifyMove(c_, tx, ty); break;
    case 2: SelectMove(c_, e, tx, ty); break;
    case 3: GradientMove(c_, tx, ty); break;
    default: break;  // the other tools hit nothing
    }
}

void CanvasGestures::PointerReadout(std::int32_t tx, std::int32_t ty) {
    // A tool's hint stays for four moves; the fifth shows the pointer.
    const QString status = c_.Host.StatusText();
    std::int32_t& delay = c_.Edit.ReadoutDelay;
    if (!status.startsWith('(') && delay == 0) delay = 5;
    if (delay > 0) --delay;
    if (delay != 0) return;
    QString text(80, ' ');
    OverwriteAt(text, 1, "(" + QString::number(tx / 20) + "," + QString::number(ty / 20) + ")");
    c_.Host.SetStatusText(text);
}
