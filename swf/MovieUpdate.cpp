#include "swf/MovieUpdate.h"

#include <algorithm>
#include <cstring>

#include "swf/ShapeReader.h"

namespace {

// Equal runs are skipped a block at a time: a drag changes a few bytes in the middle of a large movie.
constexpr std::size_t Block = 256;

// First index in [from, to) where the texts differ; `to` when none.
std::size_t FirstDifference(std::string_view a, std::string_view b, std::size_t from, std::size_t to) {
    while (from + Block <= to && std::memcmp(a.data() + from, b.data() + from, Block) == 0) from += Block;
    while (from < to && a[from] == b[from]) ++from;
    return from;
}

// One past the last index in [from, to) where the texts differ; `from` when none.
std::size_t LastDifferenceEnd(std::string_view a, std::string_view b, std::size_t from, std::size_t to) {
    while (to >= from + Block && std::memcmp(a.data() + to - Block, b.data() + to - Block, Block) == 0) to -= Block;
    while (to > from && a[to - 1] == b[to - 1]) --to;
    return to;
}

// Index of the layer whose bytes hold `bit`: the last one starting at or before it.
std::size_t LayerAt(const ShapeDefinition& shape, std::size_t bit) {
    const auto it = std::upper_bound(shape.Layers.begin(), shape.Layers.end(), bit,
                                     [](std::size_t b, const LayerSpan& span) { return b < span.BeginBit; });
    return static_cast<std::size_t>(it - shape.Layers.begin()) - 1;
}

// Reads again each run of layers holding changed bytes in [begin, end).
bool RereadChangedLayers(ShapeDefinition& shape, std::string_view before, std::string_view after, std::size_t begin,
                         std::size_t end) {
    const std::size_t offset = shape.BodyOffset, layers = shape.Layers.size();
    const auto* body = reinterpret_cast<const std::uint8_t*>(after.data()) + offset;
    // Layer i's bytes, from its style arrays to the next layer's, in the movie.
    const auto layerEnd = [&](std::size_t i) {
        return i + 1 < layers ? offset + shape.Layers[i + 1].BeginBit / 8 : offset + shape.BodySize;
    };
    while (begin < end) {
        const std::size_t first = LayerAt(shape, (begin - offset) * 8);
        std::size_t last = first;
        while (last + 1 < layers && FirstDifference(before, after, layerEnd(last), layerEnd(last + 1)) < layerEnd(last + 1))
            ++last;
        const std::size_t runEnd = LastDifferenceEnd(before, after, begin, layerEnd(last));
        if (!RereadLayers(body, shape.BodySize, shape, first, (runEnd - offset) * 8)) return false;
        begin = FirstDifference(before, after, layerEnd(last), end);
    }
    return true;
}

}  // namespace

MovieUpdate UpdateMovie(ParsedMovie& movie, std::string_view before, std::string_view after) {
    if (before.size() != after.size()) return MovieUpdate::ReadWhole;
    const std::size_t begin = FirstDifference(before, after, 0, before.size());
    if (begin == before.size()) return MovieUpdate::Unchanged;
    if (!movie.Complete) return MovieUpdate::ReadWhole;
    const std::size_t end = LastDifferenceEnd(before, after, begin, before.size());
    for (auto& [id, held] : movie.Shapes) {
        if (held->Layers.empty() || begin < held->BodyOffset || held.use_count() != 1) continue;
        if ((begin - held->BodyOffset) * 8 < held->Layers.front().BeginBit || end > held->BodyOffset + held->BodySize)
            continue;
        // The reader made this shape for the movie alone, and the movie is its owner's to change.
        return RereadChangedLayers(const_cast<ShapeDefinition&>(*held), before, after, begin, end) ? MovieUpdate::Updated
                                                                                                  : MovieUpdate::ReadWhole;
    }
    return MovieUpdate::ReadWhole;
}
