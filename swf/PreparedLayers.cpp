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

// The rectangle of a path's points and control points, as QPainterPath reports it.
struct ControlPointBounds {
    double Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool Any = false;
    void Add(const QPointF& p) {
        if (!Any) {
            Left = Right = p.x();
            Top = Bottom = p.y();
            Any = true;
            return;
        }
        Left = std::min(Left, p.x());
        Right = std::max(Right, p.x());
        Top = std::min(Top, p.y());
        Bottom = std::max(Bottom, p.y());
    }
    void MoveTo(const QPointF& p) { Add(p); }
    void LineTo(const QPointF& p) { Add(p); }
    void CubicTo(const QPointF& c1, const QPointF& c2, const QPointF& p) {
        Add(c1);
        Add(c2);
        Add(p);
    }
    void Close() {}
    QRectF Rect() const { return Any ? QRectF(QPointF(Left, Top), QPointF(Right, Bottom)) : QRectF(); }
};

}  // namespace

std::shared_ptr<const PreparedLayer> PrepareLayer(const ShapeDefinition& shape, const LayerSpan& span) {
    ShapeLayer layer = BuildShapeLayer(shape, span);
    auto prepared = std::make_shared<PreparedLayer>();
    prepared->Fills = std::move(layer.Fills);
    prepared->Lines = std::move(layer.Lines);
    prepared->FillPaths = std::move(layer.FillPaths);
    prepared->LinePaths = std::move(layer.LinePaths);
    double reach = 0;
    for (const StylePath& p : prepared->FillPaths) {
        ControlPointBounds b;
        WalkCommands(p.Commands, b);
        prepared->Bounds |= b.Rect();
    }
    for (const StylePath& p : prepared->LinePaths) {
        ControlPointBounds b;
        WalkCommands(p.Commands, b);
        prepared->Bounds |= b.Rect();
        reach = std::max<double>(reach, prepared->Lines[p.Style - 1].Width / 2.0);
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
        if (!it->second.Used) {
            it = entries_.erase(it);
        } else {
            it->second.Used = false;
            ++it;
        }
    }
}
