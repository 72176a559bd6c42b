#pragma once
#include <QString>
#include <array>
#include <cstdint>

#include "core/DrawCore.h"
#include "core/PreviewHost.h"
#include "core/Twips.h"
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

// The nine points of a selection box, index = row * 3 + column.
using BoxPoints = std::array<TwipPoint, 9>;

// The select tool's overlay for the box its caller worked out: control
// polygons of the selected paths, the box with its eight handles and, when
// `readout`, the box's position and size in `statusText`.
void DrawSelection(const OverlayContext& c, const BoxPoints& box, bool readout, QString& statusText);
void DrawPathEdge(const OverlayContext& c, std::int32_t pathIndex, bool noRefresh, bool allAnchors, int lineWidth = 1);
void DrawAnchorMark(const OverlayContext& c, std::int32_t path1, std::int32_t anchor1, std::int32_t path2,
                    std::int32_t anchor2, bool emphasise);
