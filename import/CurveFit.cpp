#include "import/CurveFit.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double Pi = 3.14159265358979323846;

// Distance of p from the chord a-b, or infinity when p projects outside it.
double ChordDistance(Vec2 p, Vec2 a, Vec2 b) {
    const Vec2 ab = b - a, ap = p - a;
    const double len2 = ab.X * ab.X + ab.Y * ab.Y;
    if (len2 == 0) return Length(ap);
    const double t = (ap.X * ab.X + ap.Y * ab.Y) / len2;
    if (t < 0 || t > 1) return INFINITY;
    return std::abs(ap.X * ab.Y - ap.Y * ab.X) / std::sqrt(len2);
}

// The most the standard cubic strays from a circular arc of unit radius and angle `a`.
double ArcCubicError(double a) {
    const double s = std::sin(a / 4), c = std::cos(a / 4);
    return 2 * std::pow(s, 6) / (27 * c * c);
}

double Dot(Vec2 a, Vec2 b) { return a.X * b.X + a.Y * b.Y; }

// A cubic in power form, B(t) = ((A t + B) t + C) t + D, so that points and
// derivatives cost a few multiplications each while a curve is fitted.
struct Cubic {
    Vec2 A, B, C, D;
    Cubic(Vec2 p0, Vec2 p1, Vec2 p2, Vec2 p3)
        : A(p3 - p0 + (p1 - p2) * 3), B((p0 + p2) * 3 - p1 * 6), C((p1 - p0) * 3), D(p0) {}
    Vec2 At(double t) const { return ((A * t + B) * t + C) * t + D; }
    Vec2 Tangent(double t) const { return (A * (3 * t) + B * 2) * t + C; }
    Vec2 Second(double t) const { return A * (6 * t) + B * 2; }
};

// Squared distance from p to the cubic, by a Newton step on the squared
// distance from parameter t, kept within [0, 1].
double CurveDistance2(const Cubic& c, Vec2 p, double t) {
    Vec2 d = c.At(t) - p;
    const Vec2 d1 = c.Tangent(t);
    const double h = Dot(d1, d1) + Dot(d, c.Second(t));
    if (h > 0) {
        t = std::clamp(t - Dot(d, d1) / h, 0.0, 1.0);
        d = c.At(t) - p;
    }
    return Dot(d, d);
}

// Appends the cubic in n equal pieces, each as its midpoint quadratic; false,
// with nothing appended, when a quadratic strays further than `tolerance`
// from the curve.
bool Split(const Cubic& c, Vec2 end, int n, double tolerance, std::vector<OutlinePoint>& out) {
    const double limit2 = tolerance * tolerance;
    const std::size_t start = out.size();
    Vec2 q0 = c.D, d0 = c.C;
    for (int i = 1; i <= n; ++i) {
        const double t0 = static_cast<double>(i - 1) / n, t = static_cast<double>(i) / n;
        const Vec2 q3 = i == n ? end : c.At(t);
        const Vec2 d3 = c.Tangent(t);
        const Vec2 q1 = q0 + d0 * (1.0 / (3 * n)), q2 = q3 - d3 * (1.0 / (3 * n));
        const Vec2 control = (q1 + q2) * 0.75 - (q0 + q3) * 0.25;
        if (std::isfinite(tolerance))
            for (const double u : {0.2, 0.5, 0.8}) {  // the error peaks near the piece's quarters and middle
                const double v = 1 - u;
                const Vec2 q = q0 * (v * v) + control * (2 * u * v) + q3 * (u * u);
                if (CurveDistance2(c, q, t0 + (t - t0) * u) > limit2) {
                    out.resize(start);
                    return false;
                }
            }
        out.push_back({control, true});
        out.push_back({q3, false});
        q0 = q3;
        d0 = d3;
    }
    return true;
}

double AngleBetween(Vec2 u, Vec2 v) {
    const double a = std::atan2(u.X * v.Y - u.Y * v.X, u.X * v.X + u.Y * v.Y);
    return a;
}

}  // namespace

void AppendCubic(std::vector<OutlinePoint>& out, Vec2 p0, Vec2 p1, Vec2 p2, Vec2 p3, double tolerance) {
    if (ChordDistance(p1, p0, p3) <= tolerance && ChordDistance(p2, p0, p3) <= tolerance) {
        out.push_back({p3, false});
        return;
    }
    // The midpoint quadratic of a cubic strays from it by at most sqrt(3)/36
    // times the third difference, which shrinks with the cube of the pieces.
    // Across the curve only the part of that error vector normal to the
    // tangent counts, so the number of pieces is estimated from the largest
    // normal part, then checked against the curve itself.
    const Vec2 third = p3 - p2 * 3 + p1 * 3 - p0;
    const double bound = std::sqrt(3.0) / 36 * Length(third);
    if (!std::isfinite(bound)) {  // absurd input: the caller refuses the coordinates
        out.push_back({p3, false});
        return;
    }
    const int most = static_cast<int>(std::clamp(std::ceil(std::cbrt(bound / tolerance) - 1e-9), 1.0, 256.0));
    const Cubic cubic(p0, p1, p2, p3);
    double normal2 = 0;  // the largest squared normal part
    for (int k = 0; k <= 8; ++k) {
        const Vec2 d = cubic.Tangent(k / 8.0);
        const double len2 = d.X * d.X + d.Y * d.Y, cross = third.X * d.Y - third.Y * d.X;
        normal2 = std::max(normal2, len2 > 0 ? cross * cross / len2 : third.X * third.X + third.Y * third.Y);
    }
    const double guess = std::sqrt(3.0) / 36 * std::sqrt(normal2);
    const int fewest = static_cast<int>(std::clamp(std::ceil(std::cbrt(guess / tolerance) - 1e-9), 1.0, double(most)));
    for (int n = fewest; n <= most; ++n)
        if (Split(cubic, p3, n, n == most ? INFINITY : tolerance, out)) break;
}

std::vector<CubicSegment> ArcToCubics(Vec2 from, double rx, double ry, double rotation, bool largeArc, bool sweep,
                                      Vec2 to, double tolerance) {
    rx = std::abs(rx);
    ry = std::abs(ry);
    const bool finite = std::isfinite(rx) && std::isfinite(ry) && std::isfinite(rotation) && std::isfinite(from.X) &&
                        std::isfinite(from.Y) && std::isfinite(to.X) && std::isfinite(to.Y);
    if (rx == 0 || ry == 0 || !finite) return {{from, to, to}};
    if (from.X == to.X && from.Y == to.Y) return {};
    // Centre form of the arc, as the SVG implementation notes give it.
    const double phi = rotation * Pi / 180, cp = std::cos(phi), sp = std::sin(phi);
    const Vec2 h = (from - to) * 0.5;
    const double x1 = cp * h.X + sp * h.Y, y1 = -sp * h.X + cp * h.Y;
    const double lambda = (x1 * x1) / (rx * rx) + (y1 * y1) / (ry * ry);
    if (lambda > 1) {
        rx *= std::sqrt(lambda);
        ry *= std::sqrt(lambda);
    }
    const double num = rx * rx * ry * ry - rx * rx * y1 * y1 - ry * ry * x1 * x1;
    const double den = rx * rx * y1 * y1 + ry * ry * x1 * x1;
    double k = den > 0 ? std::sqrt(std::max(0.0, num / den)) : 0;
    if (largeArc == sweep) k = -k;
    const double cx1 = k * rx * y1 / ry, cy1 = -k * ry * x1 / rx;
    const Vec2 mid = (from + to) * 0.5;
    const Vec2 centre{cp * cx1 - sp * cy1 + mid.X, sp * cx1 + cp * cy1 + mid.Y};
    const Vec2 u{(x1 - cx1) / rx, (y1 - cy1) / ry}, v{(-x1 - cx1) / rx, (-y1 - cy1) / ry};
    const double start = std::atan2(u.Y, u.X);
    double delta = AngleBetween(u, v);
    if (!sweep && delta > 0) delta -= 2 * Pi;
    if (sweep && delta < 0) delta += 2 * Pi;

    const double r = std::max(rx, ry);
    int n = std::max(1, static_cast<int>(std::ceil(std::abs(delta) / (Pi / 2) - 1e-9)));
    while (n < 1024 && r * ArcCubicError(std::abs(delta) / n) > tolerance) ++n;
    const auto onEllipse = [&](Vec2 unit) {
        return Vec2{centre.X + rx * cp * unit.X - ry * sp * unit.Y, centre.Y + rx * sp * unit.X + ry * cp * unit.Y};
    };
    std::vector<CubicSegment> out;
    out.reserve(static_cast<std::size_t>(n));
    const double step = delta / n, alpha = 4.0 / 3 * std::tan(step / 4);
    for (int i = 0; i < n; ++i) {
        const double a1 = start + step * i, a2 = a1 + step;
        const Vec2 e1{std::cos(a1), std::sin(a1)}, e2{std::cos(a2), std::sin(a2)};
        const Vec2 c1 = e1 + Vec2{-e1.Y, e1.X} * alpha, c2 = e2 - Vec2{-e2.Y, e2.X} * alpha;
        out.push_back({onEllipse(c1), onEllipse(c2), i == n - 1 ? to : onEllipse(e2)});
    }
    return out;
}
