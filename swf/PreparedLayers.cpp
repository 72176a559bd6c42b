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

std::shared_ptr<const PreparedLayer> PrepareLayer(const ShapeDefinition& shape, const LayerSpan& span) {
    ShapeLayer layer = BuildShapeLayer(shape, span);
    auto prepared = std::make_shared<PreparedLayer>();
    prepared->Fills = std::move(layer.Fills);
    prepared->Lines = std::move(layer.Lines);
    for (const StylePath& p : layer.FillPaths) prepared->FillPaths.emplace_back(p.Style, ToPainterPath(p.Commands));
    for (const StylePath& p : layer.LinePaths) {
        // A closed path's outline is usually its fill contour run backwards: share the path.
        auto same = std::find_if(layer.FillPaths.begin(), layer.FillPaths.end(),
                                 [&](const StylePath& f) { return IsReversedContour(f.Commands, p.Commands); });
        prepared->LinePaths.emplace_back(
            p.Style, same != layer.FillPaths.end()
                         ? prepared->FillPaths[static_cast<std::size_t>(same - layer.FillPaths.begin())].second
                         : ToPainterPath(p.Commands));
    }
    double reach = 0;
    for (const auto& [style, path] : prepared->FillPaths) prepared->Bounds |= path.controlPointRect();
    for (const auto& [style, path] : prepared->LinePaths) {
        prepared->Bounds |= path.controlPointRect();
        reach = std::max<double>(reach, prepared->Lines[style - 1].Width / 2.0);
    }
    prepared->Bounds.adjust(-reach, -reach, reach, reach);
    return prepared;
}

std::shared_ptr<const PreparedLayer> LayerCache::Get(const ShapeDefinition& shape, const LayerSpan& span) {
    // A layer that moves the pen before its first edge draws the same from any pen.
    const Key key{span.Hash, span.UsesPen ? span.PenX : 0, span.UsesPen ? span.PenY : 0, shape.TagCode};
    auto it = entries_.find(key);
    if (it != entries_.end()) {
        it->second.Used = true;
        return it->second.Layer;
    }
    ++conversions_;
    auto layer = PrepareLayer(shape, span);
    entries_.emplace(key, Entry{layer, true});
    return layer;
}

void LayerCache::EndFrame() {
    for (auto it = entries_.begin(); it != entries_.end();) {
        if (!it->second.Used && it->second.Layer.use_count() == 1) {
            it = entries_.erase(it);
        } else {
            it->second.Used = false;
            ++it;
        }
    }
}
