// The pencil (freehand curve anchors) and the line tool (corner anchors
// placed by clicks, with freehand runs while the button is held).
#include <algorithm>

#include "edit/CanvasGestures.h"
#include "edit/Geometry.h"
#include "edit/ShapeCreate.h"

namespace {
// A press or release this close (twips, at any zoom) to the line's last
// point lands on it.
constexpr float kSamePoint = 10.0f;
// Before the first click there is no last point any press could be near.
constexpr std::int32_t kNoPoint = -16777215;

bool CloseEnough(const GestureContext& c, std::int64_t dx, std::int64_t dy) {
    return PointDistance(dx, dy) < 80.0f / c.Zoom();
}

// The live preview of the growing stroke, or else the stroke mark: a line
// in the outline colour from the canvas' current position to the pointer.
void ShowStrokeStep(GestureContext& c, const MouseArgs& e) {
    if (c.Edit.RealTimePreview) {
        c.Host.RebuildPreview();
        c.Host.DispShape(1);
        return;
    }
    const DrawStyle& style = c.Edit.Style;
    const std::int32_t line = style.CurColors[0];
    const int width = std::max(1, static_cast<int>(RoundHalfEven(static_cast<double>(c.Zoom()) * style.LineWidthPt)));
    const QPoint from(static_cast<int>(c.CurrentX), static_cast<int>(c.CurrentY));
    const QPoint to(static_cast<int>(e.X), static_cast<int>(e.Y));
    c.Host.DrawOverlay([&](const OverlayContext& o) {
        o.Surface.SolidLine(from.x(), from.y(), to.x(), to.y(), QColor(ColorByte(line, 0), ColorByte(line, 1), ColorByte(line, 2)), width);
    });
    c.CurrentX = e.X;
    c.CurrentY = e.Y;
}

// Ends a stroke gesture whose path is gone.
void DropStroke(GestureContext& c) {
    c.Edit.MouseDownFlag = false;
    c.Edit.DragKind = 0;
    c.Host.DispShape(0);
}
}  // namespace

void PencilDown(GestureContext& c, const MouseArgs& e, std::int32_t tx, std::int32_t ty) {
    c.StrokePath = BeginPath(c.Doc, tx, ty, c.Edit.Style, 1);
    c.CurrentX = e.X;
    c.CurrentY = e.Y;
    c.Edit.DragX = tx;
    c.Edit.DragY = ty;
    c.Edit.MouseDownFlag = true;
}

void PencilMove(GestureContext& c, const MouseArgs& e, std::int32_t tx, std::int32_t ty) {
    if (!c.Edit.MouseDownFlag) return;
    if (!c.OwnStroke()) return DropStroke(c);
    AppendAnchor(c.Doc, tx, ty, 1);
    ShowStrokeStep(c, e);
}

void PencilUp(GestureContext& c, std::int32_t tx, std::int32_t ty) {
    if (!c.OwnStroke()) return DropStroke(c);
    // A stroke ending near its start closes, when it has a fill to show.
    const bool close = CloseEnough(c, std::int64_t{tx} - c.Edit.DragX, std::int64_t{ty} - c.Edit.DragY) &&
                       c.Edit.Style.CurFillType >= 1;
    FinishStroke(c.Doc, c.Host, close);
    c.Host.DispShape(0);
    c.Edit.MouseDownFlag = false;
}

void LineDown(GestureContext& c, const MouseArgs& e, std::int32_t tx, std::int32_t ty) {
    EditState& s = c.Edit;
    c.CurrentX = e.X;
    c.CurrentY = e.Y;
    if (s.DragKind == 1 && !c.OwnStroke()) s.DragKind = 0;  // start afresh
    if (s.DragKind == 0) {
        c.StrokePath = BeginPath(c.Doc, tx, ty, s.Style, 0);
        s.DragKind = 1;
        s.DragX = s.DragY = kNoPoint;
        s.MouseDownFlag = true;
        return;
    }
    if (PointDistance(std::int64_t{tx} - s.DragX, std::int64_t{ty} - s.DragY) >= kSamePoint) {
        AppendAnchor(c.Doc, tx, ty, 0);
        s.MouseDownFlag = true;
        return;
    }
    // A press on the last point finishes the line, closed when it ends near
    // its first anchor and has a fill.
    const PathShape& path = c.Doc.Paths.back();
    const AnchorPoint& first = path.Anchors.front();
    const bool close =
        CloseEnough(c, std::int64_t{tx} - first.X, std::int64_t{ty} - first.Y) && s.Style.CurFillType > 0;
    FinishStroke(c.Doc, c.Host, close);
    c.Host.DispShape(0);
    s.MouseDownFlag = false;
    s.DragKind = 0;
    c.Host.PressTool(2);
}

void LineMove(GestureContext& c, const MouseArgs& e, std::int32_t tx, std::int32_t ty) {
    EditState& s = c.Edit;
    if (s.DragKind == 1 && !c.OwnStroke()) return DropStroke(c);
    if (s.MouseDownFlag) {
        AppendAnchor(c.Doc, tx, ty, 0);
        ShowStrokeStep(c, e);
    } else if (s.DragKind == 1) {
        c.Host.DispShape(1);
        c.Host.DrawOverlay([&](const OverlayContext& o) {
            std::int32_t sx = 0, sy = 0;
            o.ToScreen(s.DragX, s.DragY, sx, sy);
            o.Surface.InvertLine(sx, sy, static_cast<int>(e.X), static_cast<int>(e.Y));
        });
    }
}

void LineUp(GestureContext& c, std::int32_t tx, std::int32_t ty) {
    EditState& s = c.Edit;
    if (!c.OwnStroke()) return DropStroke(c);
    // A release where the last click was released keeps the gesture open.
    if (PointDistance(std::int64_t{tx} - s.DragX, std::int64_t{ty} - s.DragY) < kSamePoint) return;
    s.DragX = tx;
    s.DragY = ty;
    c.Host.RebuildPreview();
    c.Host.DispShape(1);
    s.MouseDownFlag = false;
}
