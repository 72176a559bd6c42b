#pragma once
#include <QString>
#include <cstdint>

#include "core/DrawCore.h"
#include "core/PreviewHost.h"
#include "edit/SelectionBox.h"
#include "view/CanvasSurface.h"
#include "view/ViewMapping.h"

// What the overlay routines draw on and read: the canvas pixels, the view
// mapping as read from the controls for this redraw, and the document.
struct OverlayContext {
    OverlayContext(CanvasSurface& surface, const ViewGeometry& geometry, const DrawCore& doc, PreviewHost& host)
        : Surface(surface), Geometry(geometry), Doc(doc), Host(host), ToScreen(geometry) {}
    CanvasSurface& Surface;
    const ViewGeometry& Geometry;
    const DrawCore& Doc;
    PreviewHost& Host;  // DispShape(1) for the routines that refresh first
    TwipToScreen ToScreen;
};

// Overwrites `text` in place from 1-based character `position`: it never grows,
// characters past its end are dropped, an insert starting past the end is skipped.
void OverwriteAt(QString& text, int position, const QString& insert);

// The select tool's overlay: control polygons of the selected paths, the box
// with its eight handles and (unless mode 2) the readout in `statusText`.
void DrawSelection(const OverlayContext& c, int mode, SelectionBox& box, QString& statusText);
void DrawPathEdge(const OverlayContext& c, std::int32_t pathIndex, bool noRefresh, bool allAnchors, int lineWidth = 1);
void DrawAnchorMark(const OverlayContext& c, std::int32_t path1, std::int32_t anchor1, std::int32_t path2,
                    std::int32_t anchor2, bool emphasise);
