#pragma once
#include <cstdint>
#include <unordered_map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include <QPainterPath>
#include <QRectF>

#include "swf/MovieData.h"
#include "swf/ShapeLayers.h"

// One shape layer ready to draw: its styles and paths in twips. The coverage
// rasteriser reads the command lists straight; QPainter's form of a path is
// made only when QPainter draws it (aliased drawing, one-pixel lines).
struct PreparedLayer {
    std::vector<FillStyle> Fills;
    std::vector<LineStyle> Lines;
    std::vector<StylePath> FillPaths;  // even-odd
    std::vector<StylePath> LinePaths;
    QRectF Bounds;  // twips of the paths' points and control points
    bool HasPoints = false;  // Bounds holds a path, if only a point (a line's dot)
    double Reach = 0;  // half the widest line's width: how far lines reach beyond Bounds, in twips

    const QPainterPath& FillPainterPath(std::size_t i) const { return PainterPath(i, FillPaths[i]); }
    const QPainterPath& LinePainterPath(std::size_t i) const { return PainterPath(FillPaths.size() + i, LinePaths[i]); }

private:
    const QPainterPath& PainterPath(std::size_t slot, const StylePath& path) const;
    mutable std::vector<std::optional<QPainterPath>> painterPaths_;  // fill paths, then line paths
};

QPainterPath ToPainterPath(const std::vector<PathCommand>& commands);
std::shared_ptr<const PreparedLayer> PrepareLayer(const ShapeDefinition& shape, const LayerSpan& span,
                                                  ShapeLayerScratch& scratch);

// Calls `visit.MoveTo(p)`, `visit.LineTo(p)`, `visit.CubicTo(c1, c2, p)` and
// `visit.Close()` for the commands as QPainterPath holds them: quadratic
// curves raised to cubic ones, segments that go nowhere dropped.
template <typename Visitor>
void WalkCommands(const std::vector<PathCommand>& commands, Visitor&& visit) {
    QPointF start, current;
    for (const PathCommand& c : commands) {
        const QPointF p(c.X, c.Y);
        switch (c.Op) {
        case PathOp::MoveTo:
            visit.MoveTo(p);
            start = current = p;
            break;
        case PathOp::LineTo:
            if (p == current) break;
            visit.LineTo(p);
            current = p;
            break;
        case PathOp::CurveTo: {
            const QPointF control(c.CX, c.CY);
            if (current == control && control == p) break;
            visit.CubicTo((current + 2 * control) / 3, (p + 2 * control) / 3, p);
            current = p;
            break;
        }
        case PathOp::Close:
            visit.Close();
            current = start;
            break;
        }
    }
}

// Prepared layers by content: a layer whose bits did not change since the
// previous frame is taken from here instead of being converted again.
class LayerCache {
public:
    struct Request {
        const ShapeDefinition* Shape;
        const LayerSpan* Span;
    };
    // The layers of the spans, in order. Those not in the cache are converted
    // by `workers` workers side by side when there are many.
    std::vector<std::shared_ptr<const PreparedLayer>> GetAll(const std::vector<Request>& wanted, int workers);
    // Room for this many layers, so that a large first frame does not rehash
    // as it grows; a cache with room already is left as it is.
    void Reserve(std::size_t layers) {
        if (static_cast<double>(layers) > static_cast<double>(entries_.bucket_count()) * entries_.max_load_factor())
            entries_.reserve(layers);
    }
    // Ends a frame of `layersInFrame` layers. Once the cache holds more than
    // twice that, forgets the layers not asked for in this frame and held nowhere else.
    void EndFrame(std::size_t layersInFrame);
    std::size_t size() const { return entries_.size(); }
    std::size_t conversions() const { return conversions_; }

private:
    struct Key {
        std::uint64_t Hash;
        std::int32_t PenX, PenY;
        int TagCode;
        bool operator==(const Key&) const = default;
    };
    // The layer's content hash, mixed with the pen and the tag.
    struct KeyHash {
        std::size_t operator()(const Key& k) const {
            std::uint64_t h = k.Hash ^ (std::uint64_t{static_cast<std::uint32_t>(k.PenX)} << 32 | static_cast<std::uint32_t>(k.PenY));
            h = (h ^ static_cast<std::uint64_t>(k.TagCode)) * 0x9E3779B97F4A7C15ull;
            return static_cast<std::size_t>(h ^ (h >> 29));
        }
    };
    struct Entry {
        std::shared_ptr<const PreparedLayer> Layer;
        std::uint64_t Frame = 0;  // the last frame that asked for it
    };
    std::unordered_map<Key, Entry, KeyHash> entries_;
    static Key KeyOf(const Request& r);
    void Convert(const std::vector<Request>& wanted, const std::vector<Entry*>& entries, const std::vector<std::size_t>& added,
                 int workers);
    std::size_t conversions_ = 0;
    std::uint64_t frame_ = 0;
    std::vector<ShapeLayerScratch> scratch_ = std::vector<ShapeLayerScratch>(1);  // one per worker
};
