#pragma once
#include <cmath>

// Plain 2-D points and affine maps in double precision, shared by the importers.
struct Vec2 {
    double X = 0, Y = 0;
};
inline Vec2 operator+(Vec2 a, Vec2 b) { return {a.X + b.X, a.Y + b.Y}; }
inline Vec2 operator-(Vec2 a, Vec2 b) { return {a.X - b.X, a.Y - b.Y}; }
inline Vec2 operator*(Vec2 a, double s) { return {a.X * s, a.Y * s}; }
inline double Length(Vec2 a) { return std::sqrt(a.X * a.X + a.Y * a.Y); }

// x' = A x + C y + E, y' = B x + D y + F.
struct Affine {
    double A = 1, B = 0, C = 0, D = 1, E = 0, F = 0;
    Vec2 Map(Vec2 p) const { return {A * p.X + C * p.Y + E, B * p.X + D * p.Y + F}; }
    Vec2 MapVector(Vec2 p) const { return {A * p.X + C * p.Y, B * p.X + D * p.Y}; }
    // The mean scale of lengths, as a stroke width scales.
    double MeanScale() const { return std::sqrt(std::abs(A * D - B * C)); }
    static Affine Translate(double x, double y) { return {1, 0, 0, 1, x, y}; }
    static Affine Scale(double sx, double sy) { return {sx, 0, 0, sy, 0, 0}; }
};
// `outer` after `inner`: (outer * inner).Map(p) == outer.Map(inner.Map(p)).
inline Affine operator*(const Affine& o, const Affine& i) {
    return {o.A * i.A + o.C * i.B, o.B * i.A + o.D * i.B, o.A * i.C + o.C * i.D,
            o.B * i.C + o.D * i.D, o.A * i.E + o.C * i.F + o.E, o.B * i.E + o.D * i.F + o.F};
}
