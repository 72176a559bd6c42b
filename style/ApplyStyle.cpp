#include "style/ApplyStyle.h"

#include "core/History.h"
#include "edit/ChangeSelected.h"
#include "edit/Geometry.h"

void ApplyColors(DrawCore& doc, const std::int32_t colours[3], bool line, bool fill, bool second) {
    const bool any = ChangeSelectedPaths(doc, [&](PathShape& path) {
        if (line) path.LineColor = colours[0];
        if (fill) path.FillColor = colours[1];
        if (second) path.FillColor2 = colours[2];
    });
    if (any) PushHistory(doc);
}

void ApplyLineWidth(DrawCore& doc, float points) {
    const std::int32_t twips = RoundHalfEven(static_cast<double>(points) * 20.0);
    if (ChangeSelectedPaths(doc, [&](PathShape& path) { path.LineWidth = twips; })) PushHistory(doc);
}
