// The select tool: clicks select paths, dragging a path moves the selection,
// dragging a handle scales it about the opposite handle (Shift: rotates it
// about the box centre). The shape tools create their shape at the press and
// hand the rest of the gesture to the select tool as a handle drag.
#include <QCoreApplication>
#include <cmath>

#include "edit/CanvasGestures.h"
#include "edit/Selection.h"
#include "edit/ShapeCreate.h"
#include "edit/Transform.h"

namespace {
// "[", "+" for a positive angle, the whole degrees (floor) and "ﾟ]".
QString RotationReadout(float degrees) {
    const auto whole = static_cast<long long>(std::floor(degrees));
    return QString("[") + (degrees > 0 ? "+" : "") + QString::number(whole) + QCoreApplication::translate("Readouts", "ﾟ]");
}
// A scale or rotation step.
void SelectHandleDrag(GestureContext& c, const MouseArgs& e, std::int32_t tx, std::int32_t ty) {
    DrawCore& d = c.Doc;
    EditState& s = c.Edit;
    // Every step starts again from the snapshot of the press.
    RestoreDragSnapshot(d, s.Drag);
    CalcSelectedRect(d, s.Box);
    if (s.DragKind == 2) {
        const float degrees = RotateSelection(d, s.Box, s.DragX, s.DragY, tx, ty);
        QString status = c.Host.StatusText();
        OverwriteAt(status, 12, RotationReadout(degrees));
        c.Host.SetStatusText(status);
        if (degrees != 0) s.DragChanged = true;
        c.DragRedraw(2, 3);
        return;
    }
    const ScaleFactors f = ScaleSelection(d, s.Box, d.HitPart, s.DragX, s.DragY, tx, ty, e.CtrlKey());
    if (f.sx != 1.0f || f.sy != 1.0f) s.DragChanged = true;
    c.DragRedraw(1, 3);
}

}  // namespace

void SelectDown(GestureContext& c, const MouseArgs& e, std::int32_t tx, std::int32_t ty) {
    DrawCore& d = c.Doc;
    EditState& s = c.Edit;
    s.DragKind = 0;
    s.MouseDownFlag = true;
    s.DragChanged = false;
    s.DragX = tx;
    s.DragY = ty;
    d.HitPart = HitHandle(s.Box, d.ZoomRate, tx, ty);
    if (d.HitPart > 0) {
        TakeDragSnapshot(d, s.Drag);
        d.SelPath = 9 - d.HitPart;  // index of the opposite handle, fixed while scaling
        s.DragKind = e.ShiftKey() ? 2 : 1;
    }
    if (!e.CtrlKey() && d.SelPath == 0 && d.HitPart == 0) d.DeselectAll();
}

void SelectMove(GestureContext& c, const MouseArgs& e, std::int32_t tx, std::int32_t ty) {
    if (!c.Edit.MouseDownFlag) {
        return c.HoverMark(
            tx, ty, [](CanvasSurface& s, int x, int y) { s.InvertBox(x - 3, y - 3, x + 3, y + 3); },
            [](const PathShape&) { return true; });
    }
    DrawCore& d = c.Doc;
    EditState& s = c.Edit;
    if (d.HitPart >= 1) return SelectHandleDrag(c, e, tx, ty);
    if (d.SelPath < 1) {
        // A Ctrl drag over empty canvas adds every path it crosses.
        if (!e.CtrlKey()) return;
        const std::int32_t p = HitSegment(d, tx, ty).Path;
        if (p > 0) {
            SetPathSelected(d, p, true);
            c.Host.DispShape(1);
        }
        return;
    }
    s.DragKind = 1;
    if (!e.CtrlKey() && !c.Selected(d.SelPath)) d.DeselectAll();
    if (!c.Selected(d.SelPath)) SetPathSelected(d, d.SelPath, true);
    const std::int32_t dx = tx - s.DragX, dy = ty - s.DragY;
    MoveSelection(d, dx, dy);
    if (dx != 0 || dy != 0) s.DragChanged = true;
    s.DragX = tx;
    s.DragY = ty;
    c.DragRedraw(1, 3);
}

void SelectUp(GestureContext& c, const MouseArgs& e, std::int32_t tx, std::int32_t ty) {
    DrawCore& d = c.Doc;
    EditState& s = c.Edit;
    if (s.DragKind != 0) {
        c.FinishDrag();
    } else if (d.SelPath <= 0) {
        if (e.RightButton()) {
            c.Host.ShowCanvasMenu(CanvasMenu::Canvas, e.X, e.Y);
            c.Host.RebuildPreview();
        } else {
            CalcSelectedRect(d, s.Box);
        }
        c.Host.DispShape(0);
    } else {
        // A plain click selects the path alone, or keeps the selection it is
        // part of; a Ctrl click toggles it.
        const bool selected = c.Selected(d.SelPath);
        if (!e.CtrlKey() && !selected) d.DeselectAll();
        if (e.CtrlKey() || !selected) SetPathSelected(d, d.SelPath, !selected);
        c.Host.DispShape(0);
        if (e.RightButton()) {
            s.DragX = tx;
            s.DragY = ty;
            c.Host.ShowCanvasMenu(CanvasMenu::Path, e.X, e.Y);
            c.Host.RebuildPreview();
            c.Host.DispShape(0);
        }
    }
    s.DragChanged = false;
    s.MouseDownFlag = false;
}

void ShapeClickDown(GestureContext& c, std::int32_t tx, std::int32_t ty,
                    const std::function<std::int32_t(std::int32_t, std::int32_t)>& create) {
    DrawCore& d = c.Doc;
    EditState& s = c.Edit;
    c.Host.PressTool(2);
    d.DeselectAll();
    d.SelPath = create(tx, ty);
    CalcSelectedRect(d, s.Box);
    if (d.SelPath <= 0) return;
    // Continue as a drag of the new shape's bottom-right handle.
    s.DragX = s.Box.SelRect[8].X;
    s.DragY = s.Box.SelRect[8].Y;
    s.MouseDownFlag = true;
    TakeDragSnapshot(d, s.Drag);
    d.HitPart = 9;
    d.SelPath = 0;  // the fixed handle: top-left
    s.DragKind = 1;
    s.DragChanged = true;
}

void RectangleDown(GestureContext& c, std::int32_t tx, std::int32_t ty) {
    ShapeClickDown(c, tx, ty, [&c](std::int32_t x, std::int32_t y) { return CreateRectangle(c.Doc, x, y, c.Edit.Style); });
}

void EllipseDown(GestureContext& c, std::int32_t tx, std::int32_t ty) {
    ShapeClickDown(c, tx, ty, [&c](std::int32_t x, std::int32_t y) { return CreateEllipse(c.Doc, x, y, c.Edit.Style); });
}
