#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "import/Geometry2D.h"
#include "import/Regions.h"
#include "import/SvgDocument.h"

// The outlines of SVG shapes in twips: user-space commands mapped through
// the current transform, curves fitted to quadratic segments.
class PathBuilder {
public:
    explicit PathBuilder(const Affine& toTwips);
    void Move(Vec2 p);
    void Line(Vec2 p);
    void Quad(Vec2 c, Vec2 p);
    void Cubic(Vec2 c1, Vec2 c2, Vec2 p);
    void Arc(double rx, double ry, double rotation, bool largeArc, bool sweep, Vec2 p);
    void Close();

    std::vector<Contour> Contours;
    std::vector<bool> Closed;  // per contour
    // A point, control point or radius lay beyond MaxTwips (or was not a number).
    bool OutOfRange = false;

    // Coordinates beyond this many twips (50,000 pixels) are refused as absurd.
    static constexpr double MaxTwips = 1e6;
    // Past this many points further commands are dropped and Full() says so.
    std::size_t PointLimit = SIZE_MAX;
    bool Full() const { return points_ > PointLimit; }

private:
    void Continue();
    Vec2 Map(Vec2 p);
    Affine m_;
    double arcTolerance_;  // in user units
    Vec2 cur_, start_;
    bool reopen_ = true;
    std::size_t points_ = 0;
};

// The viewport's size in user units, for percentages.
struct Viewport {
    double Width = 100, Height = 100;
};

// Adds the outline of a shape element (path, rect, circle, ellipse, line,
// polyline, polygon) to `out`. False with `error` set on bad path data; an
// element that draws nothing (zero size) adds nothing and succeeds.
bool ShapeOutline(const SvgElement& e, const Viewport& viewport, PathBuilder& out, std::string& error);
bool IsShapeElement(const std::string& name);

// The map from a viewBox "x y w h" into a viewport of `width` x `height`
// under preserveAspectRatio `par`; identity when the viewBox is absent or bad.
Affine ViewBoxTransform(const std::string* viewBox, const std::string* par, double width, double height);
// The viewBox's width and height; false when absent or bad.
bool ViewBoxSize(const std::string* viewBox, double& width, double& height);
// The numbers of a list such as a viewBox or a points attribute; stops at the first bad one.
std::vector<double> NumberList(std::string_view text);
