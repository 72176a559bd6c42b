#include "edit/GradientDrag.h"

#include <cmath>

#include "edit/ChangeSelected.h"
#include "edit/Geometry.h"

namespace {
// Rounds v into `coord`, leaving it as it was when v does not fit 32 bits.
void Place(std::int32_t& coord, double v) {
    if (v >= -2147483648.5 && v < 2147483647.5) coord = RoundHalfEven(v);
}

void PlaceHandle(TwipPoint& point, double x, double y) {
    Place(point.X, x);
    Place(point.Y, y);
}
}  // namespace

std::int32_t CalcGradientControl(const DrawCore& doc, SelectionBox& box) {
    for (TwipPoint& p : box.SelRect) p = {NoHandle, NoHandle};
    std::int32_t shown = 0;
    for (std::int32_t i = 1; i <= doc.GetPathCount(); ++i) {
        const PathShape& path = doc.Paths[static_cast<std::size_t>(i)];
        if (!path.Selected) continue;
        const double a = static_cast<double>(path.GradAngle) * Pi / 180.0;
        const double s = path.GradScale;
        const double x = path.GradX, y = path.GradY;
        PlaceHandle(box.SelRect[0], x, y);
        PlaceHandle(box.SelRect[1], x + 400.0 * std::sin(a), y - 400.0 * std::cos(a));
        PlaceHandle(box.SelRect[2], x + 16380.0 * s * std::cos(a), y + 16380.0 * s * std::sin(a));
        PlaceHandle(box.SelRect[3], x + 16380.0 * s * std::cos(a + Pi), y + 16380.0 * s * std::sin(a + Pi));
        shown = i;
    }
    return shown;
}

bool GradientDragStep(DrawCore& doc, SelectionBox& box, const DragSnapshot& snapshot, int hitPart, std::int32_t tx,
                      std::int32_t ty, std::int32_t& dragX, std::int32_t& dragY) {
    bool changed = false;
    if (hitPart == 1) {
        CalcGradientControl(doc, box);
        const double dx = static_cast<double>(tx) - dragX, dy = static_cast<double>(ty) - dragY;
        ChangeSelectedPaths(doc, [&](PathShape& p) {
            p.GradX = RoundHalfEven(p.GradX + dx);
            p.GradY = RoundHalfEven(p.GradY + dy);
        });
        changed = dx != 0 || dy != 0;
        dragX = tx;
        dragY = ty;
    } else if (hitPart == 2 || hitPart == 3 || hitPart == 4) {
        // Turning and sizing start again from each path's drag-start values
        // (its current ones once the snapshot no longer fits the document).
        // Only the selected paths are touched, so a step costs what they do;
        // the centre stays put meanwhile, so the current handles give it.
        const bool fromStart = snapshot.DragCopy.size() == doc.Paths.size();
        CalcGradientControl(doc, box);
        const TwipPoint g = box.SelRect[0];
        // The turn is carried as single-precision radians.
        const auto turn = static_cast<float>(
            (static_cast<double>(PointAngle(g.X, g.Y, tx, ty)) - PointAngle(g.X, g.Y, dragX, dragY)) * Pi / 180.0);
        // The dragged end lands on the edge of the 32768-unit gradient square.
        const float scale = PointDistance(std::int64_t{tx} - g.X, std::int64_t{ty} - g.Y) / 16384.0f;
        for (std::size_t i = 1; i < doc.Paths.size(); ++i) {
            PathShape& p = doc.Paths[i];
            if (!p.Selected) continue;
            const PathShape& begin = fromStart ? snapshot.DragCopy[i] : p;
            if (hitPart == 2) {
                p.GradAngle = static_cast<float>(begin.GradAngle + static_cast<double>(turn) * 180.0 / Pi);
                changed = turn != 0;
            } else {
                changed = changed || begin.GradScale != scale;
                p.GradScale = scale;
            }
            p.ShapeCache.reset();
        }
    }
    CalcGradientControl(doc, box);
    return changed;
}
