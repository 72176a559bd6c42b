#include "swf/PreparedLayers.h"

#include <algorithm>

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

// The rectangle of the commands' points and control points: it holds the
// path, as a curve stays within the triangle of its ends and control point.
QRectF ControlPointRect(const std::vector<PathCommand>& commands) {
    if (commands.empty()) return {};
    std::int64_t left = commands[0].X, right = left, top = commands[0].Y, bottom = top;
    const auto add = [&](std::int32_t x, std::int32_t y) {
        left = std::min<std::int64_t>(left, x);
        right = std::max<std::int64_t>(right, x);
        top = std::min<std::int64_t>(top, y);
        bottom = std::max<std::int64_t>(bottom, y);
    };
    for (const PathCommand& c : commands) {
        if (c.Op == PathOp::Close) continue;
        add(c.X, c.Y);
        if (c.Op == PathOp::CurveTo) add(c.CX, c.CY);
    }
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
    double reach = 0;
    for (const StylePath& p : prepared->FillPaths) prepared->Bounds |= ControlPointRect(p.Commands);
    for (const StylePath& p : prepared->LinePaths) {
        prepared->Bounds |= ControlPointRect(p.Commands);
        reach = std::max<double>(reach, prepared->Lines[p.Style - 1].Width / 2.0);
    }
    prepared->Bounds.adjust(-reach, -reach, reach, reach);
    return prepared;
}

std::shared_ptr<const PreparedLayer> LayerCache::Get(const ShapeDefinition& shape, const LayerSpan& span) {
    // A layer that moves the pen before its first edge draws the same from any pen.
    const Key key{span.Hash, span.UsesPen ? span.PenX : 0, span.UsesPen ? span.PenY : 0, shape.TagCode};
    auto [it, added] = entries_.try_emplace(key);
    it->second.Frame = frame_;
    if (added) {
        try {
            it->second.Layer = PrepareLayer(shape, span, scratch_);
        } catch (...) {  // no memory: no entry without a layer stays behind
            entries_.erase(it);
            throw;
        }
        ++conversions_;
    }
    return it->second.Layer;
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
