#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "swf/MovieData.h"

// Drawable form of a shape: per layer, the fills and lines as command lists
// in twips, each tied to a 1-based style index of that layer's styles.

enum class PathOp : std::uint8_t { MoveTo, LineTo, CurveTo, Close };

struct PathCommand {
    PathOp Op = PathOp::MoveTo;
    std::int32_t X = 0, Y = 0;    // end point (unused for Close)
    std::int32_t CX = 0, CY = 0;  // control point of CurveTo
    bool operator==(const PathCommand&) const = default;
};

struct StylePath {
    std::uint32_t Style = 0;
    std::vector<PathCommand> Commands;
};

// Fills are drawn first, in style order, with the even-odd rule; then lines.
struct ShapeLayer {
    std::vector<FillStyle> Fills;
    std::vector<LineStyle> Lines;
    std::vector<StylePath> FillPaths;
    std::vector<StylePath> LinePaths;
};

// The buffers BuildShapeLayer works in. A caller that builds many layers
// keeps one, so that each build does not allocate them anew.
class ShapeLayerScratch {
public:
    ShapeLayerScratch();
    ~ShapeLayerScratch();
    ShapeLayerScratch(const ShapeLayerScratch&) = delete;
    ShapeLayerScratch& operator=(const ShapeLayerScratch&) = delete;
    ShapeLayerScratch(ShapeLayerScratch&&) noexcept;
    struct Buffers;
    std::unique_ptr<Buffers> Held;
};

// One layer: fill contours linked from the edges carrying a fill style on
// either side (fill style 0 edges reversed), line subpaths in record order.
ShapeLayer BuildShapeLayer(const ShapeDefinition& shape, const LayerSpan& span, ShapeLayerScratch& scratch);
ShapeLayer BuildShapeLayer(const ShapeDefinition& shape, const LayerSpan& span);
std::vector<ShapeLayer> BuildShapeLayers(const ShapeDefinition& shape);

// True when `a` and `b` are one closed contour, each the other traversed
// backwards: then one path serves both the fill and the line.
bool IsReversedContour(const std::vector<PathCommand>& a, const std::vector<PathCommand>& b);
