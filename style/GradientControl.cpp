#include "style/GradientControl.h"

#include <QCoreApplication>
#include <cmath>

#include "edit/GradientDrag.h"

namespace {
QPoint ToScreen(const OverlayContext& c, const TwipPoint& p) {
    std::int32_t sx = 0, sy = 0;
    c.ToScreen(p.X, p.Y, sx, sy);
    return {sx, sy};
}

// The whole part of v as digits, or empty when it has none.
QString WholePart(double v) { return std::isfinite(v) ? QString::number(std::floor(v), 'f', 0) : QString(); }

void OverwritePiece(QString& text, int position, const QString& head, double value, const QString& tail) {
    const QString digits = WholePart(value);
    if (!digits.isEmpty()) OverwriteAt(text, position, head + digits + tail);
}
}  // namespace

void GradientReadout(const PathShape& path, QString& statusText) {
    // Pixels at 100 %: twips / 20 truncated toward zero.
    OverwriteAt(statusText, 12,
                "[" + QString::number(path.GradX / 20) + "," + QString::number(path.GradY / 20) + "]");
    OverwritePiece(statusText, 22, "[", path.GradAngle, QCoreApplication::translate("Readouts", "ﾟ "));
    OverwritePiece(statusText, 28, "⇔", path.GradScale * 1638.0f, "]  ");
}

void DrawGradientControl(const OverlayContext& c, SelectionBox& box, QString& statusText) {
    const std::int32_t shown = CalcGradientControl(c.Doc, box);
    if (shown == 0) return;
    for (std::int32_t i = 1; i <= c.Doc.GetPathCount(); ++i)
        if (c.Doc.Paths[static_cast<std::size_t>(i)].Selected) DrawPathEdge(c, i, true, false);
    GradientReadout(c.Doc.Paths[static_cast<std::size_t>(shown)], statusText);
    QPoint s[4];
    for (int k = 0; k < 4; ++k) s[k] = ToScreen(c, box.SelRect[static_cast<std::size_t>(k)]);
    c.Surface.SolidLine(s[0].x(), s[0].y(), s[1].x(), s[1].y(), Qt::black, 1);
    c.Surface.SolidLine(s[2].x(), s[2].y(), s[3].x(), s[3].y(), Qt::black, 1);
    for (int k = 0; k < 2; ++k) c.Surface.Dot(s[k].x(), s[k].y(), 2, Qt::black);
    for (int k = 2; k < 4; ++k) c.Surface.HandleSquare(s[k].x() - 2, s[k].y() - 2, s[k].x() + 2, s[k].y() + 2);
}

void DrawGradientHover(const OverlayContext& c, const SelectionBox& box, int handle) {
    if (handle < 1 || handle > 4) return;
    const QPoint s = ToScreen(c, box.SelRect[static_cast<std::size_t>(handle - 1)]);
    c.Surface.InvertCircle(s.x(), s.y(), 4);
}
