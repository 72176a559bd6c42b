#include "edit/Transform.h"

#include "edit/Geometry.h"

namespace {
std::int32_t ScaleCoord(std::int32_t v, float factor, std::int32_t fixed) {
    return RoundHalfEven(static_cast<double>(factor) * (static_cast<double>(v) - fixed) + fixed);
}

float SignedFactor(std::int32_t to, std::int32_t from, std::int32_t fixed) {
    if (from == fixed) return 1.0f;
    return static_cast<float>((static_cast<double>(to) - fixed) / (static_cast<double>(from) - fixed));
}
}  // namespace

void TakeDragSnapshot(const DrawCore& doc, DragSnapshot& snap) {
    snap.DragCopy.clear();
    if (doc.GetPathCount() > 0) snap.DragCopy = doc.Paths;
}

namespace {
// Every field of `from` but its anchors, which `to` holds already.
void CopyAllButAnchors(PathShape& to, const PathShape& from) {
    to.AnchorMax = from.AnchorMax;
    to.Closed = from.Closed;
    to.LineWidth = from.LineWidth;
    to.LineOn = from.LineOn;
    to.LineColor = from.LineColor;
    to.FillType = from.FillType;
    to.FillColor = from.FillColor;
    to.GradX = from.GradX;
    to.GradY = from.GradY;
    to.GradAngle = from.GradAngle;
    to.GradScale = from.GradScale;
    to.FillColor2 = from.FillColor2;
    to.ShapeCache = from.ShapeCache;
    to.Selected = from.Selected;
    to.Grouped = from.Grouped;
    to.GroupNo = from.GroupNo;
}
}  // namespace

void RestoreDragSnapshot(DrawCore& doc, const DragSnapshot& snap) {
    const auto count = doc.GetPathCount();
    if (count < 1 || static_cast<std::int32_t>(snap.DragCopy.size()) - 1 != count) return;
    // Cached shape bits travel with the copy: they describe exactly the restored
    // data. A path still holding the snapshot's own bits has its anchors, as
    // every change of them empties the cache: those are not copied again, so
    // that a step costs nothing for the paths the drag leaves alone.
    for (std::size_t i = 1; i < doc.Paths.size(); ++i) {
        PathShape& p = doc.Paths[i];
        const PathShape& from = snap.DragCopy[i];
        if (p.ShapeCache && p.ShapeCache == from.ShapeCache && p.Anchors.size() == from.Anchors.size())
            CopyAllButAnchors(p, from);
        else
            p = from;
    }
}

void MoveSelection(DrawCore& doc, std::int32_t dx, std::int32_t dy) {
    for (std::size_t i = 1; i < doc.Paths.size(); ++i) {
        PathShape& p = doc.Paths[i];
        if (!p.Selected) continue;
        p.GradX += dx;
        p.GradY += dy;
        for (AnchorPoint& a : p.Anchors) {
            a.X += dx;
            a.Y += dy;
        }
        p.ShapeCache.reset();
    }
}

ScaleFactors ScaleSelection(DrawCore& doc, const SelectionBox& box, int handle, std::int32_t dragX,
                            std::int32_t dragY, std::int32_t tx, std::int32_t ty, bool keepProportions) {
    ScaleFactors f;
    if (handle < 1 || handle > 9) return f;
    const TwipPoint fixed = box.SelRect[static_cast<std::size_t>(9 - handle)];
    f.sx = SignedFactor(tx, dragX, fixed.X);
    f.sy = SignedFactor(ty, dragY, fixed.Y);
    if (handle == 2 || handle == 8) {
        f.sx = 1.0f;
    } else if (handle == 4 || handle == 6) {
        f.sy = 1.0f;
    } else if (keepProportions) {
        if (f.sx <= f.sy)
            f.sx = f.sy;
        else
            f.sy = f.sx;
    }
    for (std::size_t i = 1; i < doc.Paths.size(); ++i) {
        PathShape& p = doc.Paths[i];
        if (!p.Selected) continue;
        for (AnchorPoint& a : p.Anchors) {
            a.X = ScaleCoord(a.X, f.sx, fixed.X);
            a.Y = ScaleCoord(a.Y, f.sy, fixed.Y);
        }
        p.GradX = ScaleCoord(p.GradX, f.sx, fixed.X);
        p.GradY = ScaleCoord(p.GradY, f.sy, fixed.Y);
        p.ShapeCache.reset();
    }
    return f;
}

float RotateSelection(DrawCore& doc, SelectionBox& box, std::int32_t dragX, std::int32_t dragY, std::int32_t tx,
                      std::int32_t ty) {
    const TwipPoint m = box.SelRect[4];
    const float degrees = PointAngle(m.X, m.Y, tx, ty) - PointAngle(m.X, m.Y, dragX, dragY);
    const auto theta = static_cast<float>(static_cast<double>(degrees) * Pi / 180.0);
    for (std::size_t i = 1; i < doc.Paths.size(); ++i) {
        PathShape& p = doc.Paths[i];
        if (!p.Selected) continue;
        for (AnchorPoint& a : p.Anchors) RotatePoint(a.X, a.Y, m.X, m.Y, theta);
        RotatePoint(p.GradX, p.GradY, m.X, m.Y, theta);
        p.GradAngle = static_cast<float>(static_cast<double>(p.GradAngle) + static_cast<double>(theta) * 180.0 / Pi);
        p.ShapeCache.reset();
    }
    for (std::size_t k = 0; k < box.SelRect.size(); ++k)
        if (k != 4) RotatePoint(box.SelRect[k].X, box.SelRect[k].Y, m.X, m.Y, theta);
    return degrees;
}
