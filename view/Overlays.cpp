#include "view/Overlays.h"

#include <cmath>

namespace {
QPoint ToScreen(const OverlayContext& c, std::int32_t tx, std::int32_t ty) {
    std::int32_t sx = 0, sy = 0;
    c.ToScreen(tx, ty, sx, sy);
    return {sx, sy};
}

double DotRadius(const OverlayContext& c, std::int32_t lineWidth) {
    return static_cast<double>(c.Geometry.ZoomRate) * lineWidth / 40.0 + 1.5;
}

QString Bracket(std::int64_t a, const char* separator, std::int64_t b) {
    return "[" + QString::number(a) + separator + QString::number(b) + "]";
}

void UpdateReadout(const BoxPoints& box, QString& statusText) {
    const TwipPoint& p0 = box[0];
    const TwipPoint& p8 = box[8];
    // Pixels at 100 %: twips / 20 truncated toward zero.
    OverwriteAt(statusText, 12, Bracket(p0.X / 20, ",", p0.Y / 20));
    OverwriteAt(statusText, 21,
                Bracket((std::int64_t{p8.X} - p0.X) / 20, "x", (std::int64_t{p8.Y} - p0.Y) / 20));
}
}  // namespace

void OverwriteAt(QString& text, int position, const QString& insert) {
    const int start = position - 1;
    if (start < 0 || start >= text.size()) return;
    const int count = std::min<int>(static_cast<int>(insert.size()), static_cast<int>(text.size()) - start);
    text.replace(start, count, insert.left(count));
}

void DrawSelection(const OverlayContext& c, const BoxPoints& box, bool readout, QString& statusText) {
    for (std::int32_t i = 1; i <= c.Doc.GetPathCount(); ++i)
        if (c.Doc.Paths[static_cast<std::size_t>(i)].Selected) DrawPathEdge(c, i, true, false);
    if (readout) UpdateReadout(box, statusText);
    QPoint corner[9];
    for (std::size_t k = 0; k < 9; ++k) corner[k] = ToScreen(c, box[k].X, box[k].Y);
    const int outline[] = {0, 2, 8, 6, 0};
    for (int i = 0; i < 4; ++i)
        c.Surface.InvertLine(corner[outline[i]].x(), corner[outline[i]].y(), corner[outline[i + 1]].x(),
                             corner[outline[i + 1]].y());
    for (int k = 0; k < 9; ++k)
        if (k != 4) c.Surface.HandleSquare(corner[k].x() - 2, corner[k].y() - 2, corner[k].x() + 2, corner[k].y() + 2);
}

void DrawPathEdge(const OverlayContext& c, std::int32_t pathIndex, bool noRefresh, bool allAnchors, int lineWidth) {
    if (pathIndex < 1 || pathIndex > c.Doc.GetPathCount()) return;
    const PathShape& path = c.Doc.Paths[static_cast<std::size_t>(pathIndex)];
    if (path.AnchorMax <= 0 || path.Anchors.empty()) return;
    if (!noRefresh) c.Host.DispShape(1);
    const double radius = DotRadius(c, path.LineWidth);
    QPoint previous;
    const auto last = static_cast<std::int32_t>(path.Anchors.size()) - 1;
    for (std::int32_t j = 0; j <= last; ++j) {
        const AnchorPoint& a = path.Anchors[static_cast<std::size_t>(j)];
        const QPoint s = ToScreen(c, a.X, a.Y);
        if (!allAnchors && j >= 1) c.Surface.InvertLine(previous.x(), previous.y(), s.x(), s.y(), lineWidth);
        if (allAnchors || j == 0 || j == last) c.Surface.Dot(s.x(), s.y(), radius, Qt::black);
        previous = s;
    }
    if (path.Closed && !allAnchors) {
        const QPoint first = ToScreen(c, path.Anchors[0].X, path.Anchors[0].Y);
        c.Surface.InvertLine(previous.x(), previous.y(), first.x(), first.y(), lineWidth);
    }
}

void DrawAnchorMark(const OverlayContext& c, std::int32_t path1, std::int32_t anchor1, std::int32_t path2,
                    std::int32_t anchor2, bool emphasise) {
    auto anchorOf = [&](std::int32_t p, std::int32_t j) -> const AnchorPoint* {
        if (p < 1 || p > c.Doc.GetPathCount()) return nullptr;
        const PathShape& path = c.Doc.Paths[static_cast<std::size_t>(p)];
        if (path.Anchors.empty()) return nullptr;
        const auto n = static_cast<std::int32_t>(path.Anchors.size());
        return &path.Anchors[static_cast<std::size_t>(((j % n) + n) % n)];
    };
    const AnchorPoint* a1 = anchorOf(path1, anchor1);
    if (!a1) return;
    const double radius = DotRadius(c, c.Doc.Paths[static_cast<std::size_t>(path1)].LineWidth);
    const QPoint p1 = ToScreen(c, a1->X, a1->Y);
    if (!emphasise) c.Host.DispShape(1);
    const QColor color = emphasise ? QColor(255, 0, 0) : QColor(0, 0, 0);
    if (path2 > 0) {
        if (const AnchorPoint* a2 = anchorOf(path2, anchor2)) {
            const QPoint p2 = ToScreen(c, a2->X, a2->Y);
            c.Surface.InvertLine(p1.x(), p1.y(), p2.x(), p2.y(), emphasise ? 2 : 1);
            c.Surface.Dot(p2.x(), p2.y(), radius, color);
        }
    }
    c.Surface.Dot(p1.x(), p1.y(), radius, color);
}
