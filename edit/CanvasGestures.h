#pragma once
#include <QString>
#include <cstdint>
#include <functional>

#include "core/DrawCore.h"
#include "core/PreviewHost.h"
#include "edit/EditState.h"
#include "view/Overlays.h"
#include "view/ViewMapping.h"

// The mouse gestures of the editing canvas, one small state machine per tool
// over the document, the editing state and the view mapping. The window only
// forwards the canvas' mouse events here.

// One mouse event as the handlers see it.
struct MouseArgs {
    int Button = 1;  // bit 1 left, bit 2 right, bit 3 middle
    int Shift = 0;   // bit 1 Shift key, bit 2 Ctrl key, bit 3 Alt key
    float X = 0;     // canvas pixels
    float Y = 0;
    bool ShiftKey() const { return (Shift & 1) != 0; }
    bool CtrlKey() const { return (Shift & 2) != 0; }
    bool RightButton() const { return (Button & 2) != 0; }
};

// The canvas pop-up menus opened at a release.
enum class CanvasMenu { Modify, Path, Canvas };

// What the gestures need from the window beyond rebuilding and redrawing.
class CanvasHost : public PreviewHost {
public:
    // The mapping's inputs, read afresh from the controls.
    virtual ViewGeometry Geometry() const = 0;
    virtual QString StatusText() const = 0;
    virtual void SetStatusText(const QString& text) = 0;
    // Runs `draw` on the canvas pixels as they are now, then shows them.
    virtual void DrawOverlay(const std::function<void(const OverlayContext&)>& draw) = 0;
    // Presses tool button `index` as the user would (the tool switch).
    virtual void PressTool(int index) = 0;
    // Opens pop-up menu `which` at canvas pixel (x, y) and returns when it has
    // closed; the hit state and selection tell it what its items act on. Its
    // commands change the document, record their own history step and clear
    // DragChanged; the caller rebuilds and redraws afterwards. A window
    // without the menus opens nothing.
    virtual void ShowCanvasMenu(CanvasMenu /*which*/, float /*x*/, float /*y*/) {}
};

// Nothing is under the pointer: no path, anchor, segment or handle is hit.
void ClearHitState(DrawCore& doc);

// The part of the tool switch that concerns the canvas: no hit state, no
// gesture, nothing selected, the canvas redrawn, `index` the current tool.
void ResetForTool(DrawCore& doc, EditState& edit, PreviewHost& host, int index);

// The select tool's overlay in redraw mode `mode`: nothing in mode 3 or with
// nothing selected; mode 2 keeps the box and the readout as they are, other
// modes work the box out afresh.
void DrawSelectOverlay(const OverlayContext& c, int mode, SelectionBox& box, QString& statusText);

// What every tool's handlers work on. Each tool has a Down, a Move (with the
// button held or hovering: they test MouseDownFlag themselves) and an Up
// handler in edit/*Gesture.cpp, called from the dispatch in CanvasGestures.cpp.
struct GestureContext {
    DrawCore& Doc;
    EditState& Edit;
    CanvasHost& Host;
    // The canvas' current drawing position, where the stroke mark continues.
    float CurrentX = 0;
    float CurrentY = 0;
    // The path a pencil or line gesture is building. An undo during the
    // gesture can take it away; the gesture then ends without touching the
    // path that has become the newest.
    std::int32_t StrokePath = 0;
    bool OwnStroke() const { return StrokePath >= 1 && StrokePath == Doc.GetPathCount(); }

    // After a drag step: with the live preview the movie is rebuilt and shown
    // with `liveMode`, otherwise the last image is shown with `mode`.
    void DragRedraw(int mode, int liveMode);
    // At a drag's release: the exact movie is rebuilt and shown, and a drag
    // that changed something becomes one history step.
    void FinishDrag();
    // The select and gradient tools' hover, marked on a freshly redrawn
    // canvas: HitPart becomes the selection box's handle at (tx, ty), marked
    // by `handleMark` at its canvas pixel; failing that, the path whose control
    // polygon is there becomes SelPath, its polygon drawn 2 pixels wide, when
    // `takesPath` accepts it; otherwise an earlier mark is taken away.
    void HoverMark(std::int32_t tx, std::int32_t ty,
                   const std::function<void(CanvasSurface&, int x, int y)>& handleMark,
                   const std::function<bool(const PathShape&)>& takesPath);
    // Takes an earlier hover mark away.
    void ClearHoverMark();
    bool Selected(std::int32_t path) const;
    float Zoom() const { return Doc.ZoomRate; }
};

class CanvasGestures {
public:
    CanvasGestures(DrawCore& doc, EditState& edit, CanvasHost& host) : c_{doc, edit, host} {}

    void Picture1_MouseDown(const MouseArgs& e);
    void Picture1_MouseMove(const MouseArgs& e);
    void Picture1_MouseUp(const MouseArgs& e);
    // After a key or menu command: the hit state describes what is under the
    // pointer now, found again as a hover there, or nothing when the pointer
    // is off the canvas. A gesture in progress keeps its own.
    void RefreshHover();

    // What the polygon and text tools create at a press: top-left in twips
    // to the last new path's index, 0 when nothing was made.
    std::function<std::int32_t(std::int32_t, std::int32_t)> CreatePolygonAt;
    std::function<std::int32_t(std::int32_t, std::int32_t)> CreateTextAt;

private:
    void PointerReadout(std::int32_t tx, std::int32_t ty);
    GestureContext c_;
};

// Per-tool handlers; (tx, ty) is the pointer in twips.
void PencilDown(GestureContext& c, const MouseArgs& e, std::int32_t tx, std::int32_t ty);
void PencilMove(GestureContext& c, const MouseArgs& e, std::int32_t tx, std::int32_t ty);
void PencilUp(GestureContext& c, std::int32_t tx, std::int32_t ty);
void LineDown(GestureContext& c, const MouseArgs& e, std::int32_t tx, std::int32_t ty);
void LineMove(GestureContext& c, const MouseArgs& e, std::int32_t tx, std::int32_t ty);
void LineUp(GestureContext& c, std::int32_t tx, std::int32_t ty);
void ModifyDown(GestureContext& c, std::int32_t tx, std::int32_t ty);
void ModifyMove(GestureContext& c, std::int32_t tx, std::int32_t ty);
void ModifyUp(GestureContext& c, const MouseArgs& e);
void SelectDown(GestureContext& c, const MouseArgs& e, std::int32_t tx, std::int32_t ty);
void SelectMove(GestureContext& c, const MouseArgs& e, std::int32_t tx, std::int32_t ty);
void SelectUp(GestureContext& c, const MouseArgs& e, std::int32_t tx, std::int32_t ty);
void GradientDown(GestureContext& c, std::int32_t tx, std::int32_t ty);
void GradientMove(GestureContext& c, std::int32_t tx, std::int32_t ty);
void GradientUp(GestureContext& c);
// The shape tools' press: `create` appends the shape with its top-left at
// (tx, ty) and returns its index, or 0 when it made none. The gesture goes on
// as a select-tool scale drag of the new shape's bottom-right handle.
void ShapeClickDown(GestureContext& c, std::int32_t tx, std::int32_t ty,
                    const std::function<std::int32_t(std::int32_t, std::int32_t)>& create);
void RectangleDown(GestureContext& c, std::int32_t tx, std::int32_t ty);
void EllipseDown(GestureContext& c, std::int32_t tx, std::int32_t ty);
