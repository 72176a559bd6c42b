#include "swf/PreparedLayers.h"

#include <algorithm>

#include "swf/WorkerThreads.h"

QPainterPath ToPainterPath(const std::vector<PathCommand>& commands) {
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    path.reserve(static_cast<int>(commands.size()));
    for (const PathCommand& c : commands) {
        switch (c.Op) {
        case PathOp::MoveTo: path.moveTo(c.X, c.Y); break;
        case PathOp::LineTo: path.lineTo(c.X, c.Y); break;
        case PathOp::CurveTo: path.quadTo(c.CX, c.CY, c.X, c.Y); break;
        case PathOp::Close: path.closeSubpath(); break;
        }
    }
    return path;
}

const QPainterPath& PreparedLayer::PainterPath(std::size_t slot, const StylePath& path) const {
    if (painterPaths_.size() <= slot) painterPaths_.resize(FillPaths.size() + LinePaths.size());
    std::optional<QPainterPath>& made = painterPaths_[slot];
    if (!made) made = ToPainterPath(path.Commands);
    return *made;
}

namespace {

// The rectangle of the paths' points and control points: it holds them, as
// a curve stays within the triangle of its ends and control point. A lone
// point counts too (a line's dot); empty when there are no points.
QRectF ControlPointRect(const std::vector<StylePath>& fills, const std::vector<StylePath>& lines) {
    std::int64_t left = INT64_MAX, right = INT64_MIN, top = INT64_MAX, bottom = INT64_MIN;
    const auto add = [&](std::int32_t x, std::int32_t y) {
        left = std::min<std::int64_t>(left, x);
        right = std::max<std::int64_t>(right, x);
        top = std::min<std::int64_t>(top, y);
        bottom = std::max<std::int64_t>(bottom, y);
    };
    for (const std::vector<StylePath>* paths : {&fills, &lines})
        for (const StylePath& p : *paths)
            for (const PathCommand& c : p.Commands) {
                if (c.Op == PathOp::Close) continue;
                add(c.X, c.Y);
                if (c.Op == PathOp::CurveTo) add(c.CX, c.CY);
            }
    if (left > right) return {};
    return QRectF(QPointF(double(left), double(top)), QPointF(double(right), double(bottom)));
}

}  // namespace

std::shared_ptr<const PreparedLayer> PrepareLayer(const ShapeDefinition& shape, const LayerSpan& span,
                                                  ShapeLayerScratch& scratch) {
    ShapeLayer layer = BuildShapeLayer(shape, span, scratch);
    auto prepared = std::make_shared<PreparedLayer>();
    prepared->Fills = std::move(layer.Fills);
    prepared->Lines = std::move(layer.Lines);
    prepared->FillPaths = std::move(layer.FillPaths);
    prepared->LinePaths = std::move(layer.LinePaths);
    prepared->Bounds = ControlPointRect(prepared->FillPaths, prepared->LinePaths);
    prepared->HasPoints = !prepared->FillPaths.empty() || !prepared->LinePaths.empty();
    for (const StylePath& p : prepared->LinePaths)
        prepared->Reach = std::max<double>(prepared->Reach, prepared->Lines[p.Style - 1].Width / 2.0);
    return prepared;
}

LayerCache::Key LayerCache::KeyOf(const Request& r) {
    // A layer that moves the pen before its first edge draws the same from any pen.
    const LayerSpan& span = *r.Span;
    return {span.Hash, span.UsesPen ? span.PenX : 0, span.UsesPen ? span.PenY : 0, r.Shape->TagCode};
}

std::vector<std::shared_ptr<const PreparedLayer>> LayerCache::GetAll(const std::vector<Request>& wanted, int workers) {
    std::vector<Entry*> entries(wanted.size());
    std::vector<std::size_t> added;  // requests that made their entry
    try {
        for (std::size_t i = 0; i < wanted.size(); ++i) {
            auto [it, isNew] = entries_.try_emplace(KeyOf(wanted[i]));
            it->second.Frame = frame_;
            entries[i] = &it->second;
            if (isNew) added.push_back(i);
        }
        Convert(wanted, entries, added, workers);
    } catch (...) {  // no memory: no entry without a layer stays behind
        std::erase_if(entries_, [](const auto& entry) { return !entry.second.Layer; });
        throw;
    }
    conversions_ += added.size();
    std::vector<std::shared_ptr<const PreparedLayer>> layers(wanted.size());
    for (std::size_t i = 0; i < wanted.size(); ++i) layers[i] = entries[i]->Layer;
    return layers;
}

// Converts the new entries' layers, in blocks handed out to the workers; each
// worker writes only the entries of its blocks.
void LayerCache::Convert(const std::vector<Request>& wanted, const std::vector<Entry*>& entries,
                         const std::vector<std::size_t>& added, int workers) {
    constexpr std::size_t block = 32;
    const std::size_t blocks = (added.size() + block - 1) / block;
    workers = static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(std::max(workers, 1)), blocks / 2 + 1));
    if (scratch_.size() < static_cast<std::size_t>(workers)) scratch_.resize(static_cast<std::size_t>(workers));
    ForEachOnWorkers(blocks, workers, [&](std::size_t b, int worker) {
        for (std::size_t k = b * block; k < std::min(added.size(), (b + 1) * block); ++k) {
            const Request& r = wanted[added[k]];
            entries[added[k]]->Layer = PrepareLayer(*r.Shape, *r.Span, scratch_[static_cast<std::size_t>(worker)]);
        }
    });
}

void LayerCache::EndFrame(std::size_t layersInFrame) {
    // A sweep walks every entry: it waits until the cache holds well over a
    // frame's layers, so that a drag step does not walk thousands of them.
    if (entries_.size() > 2 * layersInFrame + 256) {
        for (auto it = entries_.begin(); it != entries_.end();) {
            if (it->second.Frame != frame_ && it->second.Layer.use_count() == 1)
                it = entries_.erase(it);
            else
                ++it;
        }
    }
    ++frame_;
}
