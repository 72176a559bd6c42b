#pragma once
#include <cstdint>

#include "edit/DragSnapshot.h"
#include "edit/DrawStyle.h"
#include "edit/SelectionBox.h"
#include "edit/TextFont.h"
#include "core/UserColors.h"

// The main window's editing state: current tool, the gesture in progress,
// the style of new shapes, the selection box and the drag snapshot.
struct EditState {
    std::int16_t ToolMode = 2;       // index of the tool button; 2 = select
    bool MouseDownFlag = false;      // a gesture is in progress
    bool DragChanged = false;        // the gesture changed the document
    std::int16_t DragKind = 0;       // select: 1 move/scale, 2 rotate; line: 1 drawing
    std::int32_t DragX = 0;          // reference point of the gesture, twips
    std::int32_t DragY = 0;
    bool RealTimePreview = false;    // rebuild the movie on every drag step
    bool HoverMarked = false;        // a hover mark is on the canvas
    bool ButtonHeld = false;         // a mouse button is down on the canvas
    bool PointerOnCanvas = false;    // the pointer is over the canvas, at PointerX, PointerY
    float PointerX = 0;              // canvas pixels
    float PointerY = 0;
    std::int32_t ReadoutDelay = 0;   // moves left before the pointer readout
    DrawStyle Style;
    SelectionBox Box;
    DragSnapshot Drag;
    UserColorTable UserColors{};
    TextFont CanvasFont;             // the font the text tool outlines with
};
