#include "swf/SvgGradient.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "swf/StageRenderer.h"

namespace {
// Half the side of the gradient square, in gradient units.
constexpr double Extent = 16384.0;
// A path within this many half-sides of the centre keeps the movie's matrix.
constexpr double NearExtents = 8.0;

struct Bounds {
    double X0 = std::numeric_limits<double>::infinity(), Y0 = X0;
    double X1 = -X0, Y1 = -X0;
    void Add(const QPointF& p) {
        X0 = std::min(X0, p.x());
        X1 = std::max(X1, p.x());
        Y0 = std::min(Y0, p.y());
        Y1 = std::max(Y1, p.y());
    }
    bool Empty() const { return !(X0 <= X1); }
    double Far() const { return std::max({-X0, X1, -Y0, Y1}); }
};

// The path's points and control points in gradient units: the curves lie within them.
Bounds GradientBounds(const QTransform& toGradient, const std::vector<PathCommand>& path) {
    Bounds b;
    for (const PathCommand& c : path) {
        if (c.Op == PathOp::Close) continue;
        b.Add(toGradient.map(QPointF(c.X, c.Y)));
        if (c.Op == PathOp::CurveTo) b.Add(toGradient.map(QPointF(c.CX, c.CY)));
    }
    return b;
}

void MakeSolid(SvgGradientFill& fit, const SwfColor& colour) {
    fit.Solid = true;
    fit.Color = colour;
}

// Linear: colour follows x alone. The new square spans the path and the old
// square along x and is centred on the path along y.
void FitLinear(SvgGradientFill& fit, const FillStyle& fill, const Bounds& u) {
    const double t0 = (u.X0 + Extent) / (2 * Extent), t1 = (u.X1 + Extent) / (2 * Extent);
    if (t1 <= fit.Offsets.front()) return MakeSolid(fit, fill.Stops.front().Color);
    if (t0 >= fit.Offsets.back()) return MakeSolid(fit, fill.Stops.back().Color);
    if (u.Far() <= NearExtents * Extent) return;
    const double x0 = std::min(u.X0, -Extent), x1 = std::max(u.X1, Extent);
    const double cx = (x0 + x1) / 2, cy = (u.Y0 + u.Y1) / 2;
    const double half = std::max((x1 - x0) / 2, (u.Y1 - u.Y0) / 2);
    fit.Matrix = QTransform(half / Extent, 0, 0, half / Extent, cx, cy) * fit.Matrix;
    for (double& o : fit.Offsets) o = 0.5 + (2 * Extent * o - Extent - cx) / (2 * half);
}

// Radial: colour follows the distance from the centre, which stays put.
void FitRadial(SvgGradientFill& fit, const FillStyle& fill, const Bounds& u) {
    const double nearest = std::hypot(std::max({0.0, u.X0, -u.X1}), std::max({0.0, u.Y0, -u.Y1}));
    const double farthest = std::hypot(std::max(-u.X0, u.X1), std::max(-u.Y0, u.Y1));
    if (nearest / Extent >= fit.Offsets.back()) return MakeSolid(fit, fill.Stops.back().Color);
    if (farthest / Extent <= fit.Offsets.front()) return MakeSolid(fit, fill.Stops.front().Color);
    if (u.Far() <= NearExtents * Extent) return;
    const double k = farthest / Extent;
    fit.Matrix = QTransform::fromScale(k, k) * fit.Matrix;
    for (double& o : fit.Offsets) o /= k;
}
}  // namespace

SvgGradientFill FitSvgGradient(const FillStyle& fill, const std::vector<PathCommand>& path) {
    SvgGradientFill fit;
    fit.Matrix = ToQTransform(fill.Matrix);
    for (const SwfGradientStop& s : fill.Stops) fit.Offsets.push_back(s.Ratio / 255.0);
    if (fill.Stops.empty()) return fit;
    // The player fills with the last colour where the matrix has no inverse.
    if (!fit.Matrix.isInvertible()) {
        MakeSolid(fit, fill.Stops.back().Color);
        return fit;
    }
    const Bounds u = GradientBounds(fit.Matrix.inverted(), path);
    if (u.Empty() || !std::isfinite(u.Far())) return fit;
    if (fill.Type == FillLinearGradient) FitLinear(fit, fill, u);
    else FitRadial(fit, fill, u);
    return fit;
}
