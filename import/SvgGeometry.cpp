#include "import/SvgGeometry.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

#include "import/SvgGrammar.h"
#include "import/SvgStyle.h"

namespace {

// Arcs are split finely enough to stray at most this far, in twips, before the quadratic fitting.
constexpr double ArcTolerance = 0.05;

double Length(const SvgElement& e, const char* name, double percentOf, double fallback = 0) {
    double v = fallback;
    if (const std::string* a = e.Attribute(name); a && !ParseLength(*a, percentOf, v)) v = fallback;
    return v;
}

void Ellipse(PathBuilder& out, double cx, double cy, double rx, double ry) {
    out.Move({cx + rx, cy});
    out.Arc(rx, ry, 0, false, true, {cx, cy + ry});
    out.Arc(rx, ry, 0, false, true, {cx - rx, cy});
    out.Arc(rx, ry, 0, false, true, {cx, cy - ry});
    out.Arc(rx, ry, 0, false, true, {cx + rx, cy});
    out.Close();
}

void Rect(const SvgElement& e, const Viewport& vp, PathBuilder& out) {
    const double x = Length(e, "x", vp.Width), y = Length(e, "y", vp.Height);
    const double w = Length(e, "width", vp.Width), h = Length(e, "height", vp.Height);
    if (!(w > 0 && h > 0)) return;
    double rx = Length(e, "rx", vp.Width, -1), ry = Length(e, "ry", vp.Height, -1);
    if (rx < 0) rx = ry;
    if (ry < 0) ry = rx;
    rx = std::clamp(rx, 0.0, w / 2);
    ry = std::clamp(ry, 0.0, h / 2);
    if (rx <= 0 || ry <= 0) {
        out.Move({x, y});
        out.Line({x + w, y});
        out.Line({x + w, y + h});
        out.Line({x, y + h});
        out.Close();
        return;
    }
    out.Move({x + rx, y});
    out.Line({x + w - rx, y});
    out.Arc(rx, ry, 0, false, true, {x + w, y + ry});
    out.Line({x + w, y + h - ry});
    out.Arc(rx, ry, 0, false, true, {x + w - rx, y + h});
    out.Line({x + rx, y + h});
    out.Arc(rx, ry, 0, false, true, {x, y + h - ry});
    out.Line({x, y + ry});
    out.Arc(rx, ry, 0, false, true, {x + rx, y});
    out.Close();
}

bool PathData(const SvgElement& e, PathBuilder& out, std::string& error) {
    const std::string* d = e.Attribute("d");
    if (!d || Trimmed(*d).empty()) return true;
    const bool read = ParsePathData(*d, [&out](const SvgPathCommand& c) {
        const double* v = c.V;
        switch (c.Op) {
        case 'M': out.Move({v[0], v[1]}); break;
        case 'L': out.Line({v[0], v[1]}); break;
        case 'Q': out.Quad({v[0], v[1]}, {v[2], v[3]}); break;
        case 'C': out.Cubic({v[0], v[1]}, {v[2], v[3]}, {v[4], v[5]}); break;
        case 'A': out.Arc(v[0], v[1], v[2], v[3] != 0, v[4] != 0, {v[5], v[6]}); break;
        default: out.Close(); break;
        }
        return !out.Full();
    });
    if (!read) error = "line " + std::to_string(e.Line) + ": the path data cannot be read";
    return read;
}

}  // namespace

PathBuilder::PathBuilder(const Affine& toTwips) : m_(toTwips) {
    const double stretch = std::sqrt(m_.A * m_.A + m_.B * m_.B + m_.C * m_.C + m_.D * m_.D);
    arcTolerance_ = stretch > 0 ? ArcTolerance / stretch : ArcTolerance;
}

Vec2 PathBuilder::Map(Vec2 p) {
    const Vec2 q = m_.Map(p);
    if (!(std::abs(q.X) <= MaxTwips && std::abs(q.Y) <= MaxTwips)) OutOfRange = true;
    return q;
}

void PathBuilder::Move(Vec2 p) {
    if (Full()) return;
    ++points_;
    Contours.push_back({{Map(p), false}});
    Closed.push_back(false);
    cur_ = start_ = p;
    reopen_ = false;
}

// A drawing command after a close starts a new subpath at the closed one's start.
void PathBuilder::Continue() {
    if (reopen_) Move(cur_);
}

void PathBuilder::Line(Vec2 p) {
    if (Full()) return;
    ++points_;
    Continue();
    Contours.back().push_back({Map(p), false});
    cur_ = p;
}

void PathBuilder::Quad(Vec2 c, Vec2 p) {
    if (Full()) return;
    points_ += 2;
    Continue();
    Contours.back().push_back({Map(c), true});
    Contours.back().push_back({Map(p), false});
    cur_ = p;
}

void PathBuilder::Cubic(Vec2 c1, Vec2 c2, Vec2 p) {
    Continue();
    const Vec2 a = Map(cur_), b = Map(c1), c = Map(c2), d = Map(p);
    const std::size_t before = Contours.back().size();
    if (!OutOfRange && !Full()) AppendCubic(Contours.back(), a, b, c, d);
    points_ += Contours.back().size() - before;
    cur_ = p;
}

void PathBuilder::Arc(double rx, double ry, double rotation, bool largeArc, bool sweep, Vec2 p) {
    Continue();
    const double stretch = std::sqrt(m_.A * m_.A + m_.B * m_.B + m_.C * m_.C + m_.D * m_.D);
    if (!(std::abs(rx) * stretch <= MaxTwips && std::abs(ry) * stretch <= MaxTwips)) OutOfRange = true;
    if (OutOfRange) return;
    for (const CubicSegment& s : ArcToCubics(cur_, rx, ry, rotation, largeArc, sweep, p, arcTolerance_))
        Cubic(s.C1, s.C2, s.To);
    cur_ = p;
}

void PathBuilder::Close() {
    if (Closed.empty() || reopen_) return;
    Closed.back() = true;
    cur_ = start_;
    reopen_ = true;
}

bool IsShapeElement(const std::string& name) {
    return name == "path" || name == "rect" || name == "circle" || name == "ellipse" || name == "line" ||
           name == "polyline" || name == "polygon";
}

std::vector<double> NumberList(std::string_view text) {
    std::vector<double> out;
    const std::string s(text);
    const char* p = s.c_str();
    while (*p) {
        while (*p && (std::isspace(static_cast<unsigned char>(*p)) || *p == ',')) ++p;
        if (!*p) break;
        char* end = nullptr;
        const double v = std::strtod(p, &end);
        if (end == p || !std::isfinite(v)) break;
        out.push_back(v);
        p = end;
    }
    return out;
}

bool ShapeOutline(const SvgElement& e, const Viewport& vp, PathBuilder& out, std::string& error) {
    const std::string& n = e.Name;
    const double diagonal = std::hypot(vp.Width, vp.Height) / std::sqrt(2.0);
    if (n == "path") return PathData(e, out, error);
    if (n == "rect") {
        Rect(e, vp, out);
    } else if (n == "circle") {
        const double r = Length(e, "r", diagonal);
        if (r > 0) Ellipse(out, Length(e, "cx", vp.Width), Length(e, "cy", vp.Height), r, r);
    } else if (n == "ellipse") {
        double rx = Length(e, "rx", vp.Width, -1), ry = Length(e, "ry", vp.Height, -1);
        if (rx < 0) rx = ry;
        if (ry < 0) ry = rx;
        if (rx > 0 && ry > 0) Ellipse(out, Length(e, "cx", vp.Width), Length(e, "cy", vp.Height), rx, ry);
    } else if (n == "line") {
        out.Move({Length(e, "x1", vp.Width), Length(e, "y1", vp.Height)});
        out.Line({Length(e, "x2", vp.Width), Length(e, "y2", vp.Height)});
    } else if (n == "polyline" || n == "polygon") {
        const std::string* points = e.Attribute("points");
        const std::vector<double> v = points ? NumberList(*points) : std::vector<double>{};
        for (std::size_t i = 0; i + 1 < v.size(); i += 2) {
            if (i == 0)
                out.Move({v[0], v[1]});
            else
                out.Line({v[i], v[i + 1]});
        }
        if (n == "polygon" && v.size() >= 2) out.Close();
    }
    return true;
}

bool ViewBoxSize(const std::string* viewBox, double& width, double& height) {
    if (!viewBox) return false;
    const std::vector<double> v = NumberList(*viewBox);
    if (v.size() != 4 || !(v[2] > 0) || !(v[3] > 0)) return false;
    width = v[2];
    height = v[3];
    return true;
}

Affine ViewBoxTransform(const std::string* viewBox, const std::string* par, double width, double height) {
    if (!viewBox) return {};
    const std::vector<double> v = NumberList(*viewBox);
    if (v.size() != 4 || !(v[2] > 0) || !(v[3] > 0) || !(width > 0) || !(height > 0)) return {};
    double sx = width / v[2], sy = height / v[3];
    std::string align = "xMidYMid";
    bool slice = false;
    if (par) {
        const std::vector<std::string_view> words = [&] {
            std::vector<std::string_view> w;
            std::string_view s = *par;
            while (!(s = Trimmed(s)).empty()) {
                std::size_t k = 0;
                while (k < s.size() && !std::isspace(static_cast<unsigned char>(s[k]))) ++k;
                w.push_back(s.substr(0, k));
                s.remove_prefix(k);
            }
            return w;
        }();
        std::size_t i = !words.empty() && words[0] == "defer" ? 1 : 0;
        if (i < words.size()) align = std::string(words[i++]);
        slice = i < words.size() && words[i] == "slice";
    }
    double tx = -v[0] * sx, ty = -v[1] * sy;
    if (align != "none") {
        const double s = slice ? std::max(sx, sy) : std::min(sx, sy);
        sx = sy = s;
        tx = -v[0] * s;
        ty = -v[1] * s;
        const double freeX = width - v[2] * s, freeY = height - v[3] * s;
        if (align.find("xMid") != std::string::npos) tx += freeX / 2;
        if (align.find("xMax") != std::string::npos) tx += freeX;
        if (align.find("YMid") != std::string::npos) ty += freeY / 2;
        if (align.find("YMax") != std::string::npos) ty += freeY;
    }
    return {sx, 0, 0, sy, tx, ty};
}
