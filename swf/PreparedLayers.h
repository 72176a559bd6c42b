#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include <QPainterPath>
#include <QRectF>

#include "swf/MovieData.h"
#include "swf/ShapeLayers.h"

// One shape layer as QPainter paths in twips, with its styles.
struct PreparedLayer {
    std::vector<FillStyle> Fills;
    std::vector<LineStyle> Lines;
    std::vector<std::pair<std::uint32_t, QPainterPath>> FillPaths;  // style index (1-based), even-odd path
    std::vector<std::pair<std::uint32_t, QPainterPath>> LinePaths;
    QRectF Bounds;  // twips covered by the fills and half the widest line around them
};

QPainterPath ToPainterPath(const std::vector<PathCommand>& commands);
std::shared_ptr<const PreparedLayer> PrepareLayer(const ShapeDefinition& shape, const LayerSpan& span);

// Prepared layers by content: a layer whose bits did not change since the
// previous frame is taken from here instead of being converted again.
class LayerCache {
public:
    std::shared_ptr<const PreparedLayer> Get(const ShapeDefinition& shape, const LayerSpan& span);
    // Forgets the layers not asked for since the previous call.
    void EndFrame();
    std::size_t size() const { return entries_.size(); }
    std::size_t conversions() const { return conversions_; }

private:
    struct Key {
        std::uint64_t Hash;
        std::int32_t PenX, PenY;
        int TagCode;
        auto operator<=>(const Key&) const = default;
    };
    struct Entry {
        std::shared_ptr<const PreparedLayer> Layer;
        bool Used = true;
    };
    std::map<Key, Entry> entries_;
    std::size_t conversions_ = 0;
};
