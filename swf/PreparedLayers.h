#pragma once
#include <cstdint>
#include <unordered_map>
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
    // Forgets the layers not asked for since the previous call and held nowhere else.
    void EndFrame();
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
        bool Used = true;
    };
    std::unordered_map<Key, Entry, KeyHash> entries_;
    std::size_t conversions_ = 0;
};
