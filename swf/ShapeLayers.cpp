#include "swf/ShapeLayers.h"

#include <algorithm>

namespace {

struct Point {
    std::int32_t X = 0, Y = 0;
    bool operator==(const Point&) const = default;
};

struct Edge {
    Point From, Control, To;
    bool Curved = false;
    Edge Reversed() const { return {To, Control, From, Curved}; }
};

std::uint64_t Key(Point p) {
    return (std::uint64_t{static_cast<std::uint32_t>(p.X)} << 32) | static_cast<std::uint32_t>(p.Y);
}

void AppendEdge(std::vector<PathCommand>& out, const Edge& e) {
    if (e.Curved)
        out.push_back({PathOp::CurveTo, e.To.X, e.To.Y, e.Control.X, e.Control.Y});
    else
        out.push_back({PathOp::LineTo, e.To.X, e.To.Y, 0, 0});
}

// Links directed edges into contours: each contour follows edges end to
// start until it returns to its first point or no edge continues it.
// `used` and `starts` are working buffers.
std::vector<PathCommand> LinkContours(const std::vector<Edge>& edges, std::vector<char>& used,
                                      std::vector<std::pair<std::uint64_t, std::size_t>>& starts) {
    std::vector<PathCommand> out;
    out.reserve(edges.size() + 2);
    const std::size_t n = edges.size();
    used.assign(n, 0);
    // Edges by start point, built only when a contour does not simply continue
    // with its neighbour in record order.
    starts.clear();

    const auto findNext = [&](std::size_t cur, Point at) -> std::size_t {
        if (cur + 1 < n && !used[cur + 1] && edges[cur + 1].From == at) return cur + 1;
        if (cur > 0 && !used[cur - 1] && edges[cur - 1].From == at) return cur - 1;
        if (starts.empty()) {
            starts.resize(n);
            for (std::size_t i = 0; i < n; ++i) starts[i] = {Key(edges[i].From), i};
            std::sort(starts.begin(), starts.end());
        }
        const std::uint64_t key = Key(at);
        for (auto it = std::lower_bound(starts.begin(), starts.end(), std::make_pair(key, std::size_t{0}));
             it != starts.end() && it->first == key; ++it)
            if (!used[it->second]) return it->second;
        return n;
    };

    for (std::size_t i = 0; i < n; ++i) {
        if (used[i]) continue;
        const Point begin = edges[i].From;
        out.push_back({PathOp::MoveTo, begin.X, begin.Y, 0, 0});
        std::size_t cur = i;
        while (cur < n) {
            used[cur] = 1;
            AppendEdge(out, edges[cur]);
            const Point at = edges[cur].To;
            if (at == begin) {
                out.push_back({PathOp::Close, 0, 0, 0, 0});
                break;
            }
            cur = findNext(cur, at);
        }
    }
    return out;
}

// Collects the line subpaths of one line style while the records are walked.
struct LineBuilder {
    std::vector<PathCommand> Commands;
    Point SubpathStart, Pen;
    bool Open = false;

    void Finish() {
        if (Open && Pen == SubpathStart && Commands.back().Op != PathOp::MoveTo)
            Commands.push_back({PathOp::Close, 0, 0, 0, 0});
        Open = false;
    }
    void Add(const Edge& e) {
        if (!Open || !(Pen == e.From)) {
            Finish();
            Commands.push_back({PathOp::MoveTo, e.From.X, e.From.Y, 0, 0});
            SubpathStart = e.From;
            Open = true;
        }
        AppendEdge(Commands, e);
        Pen = e.To;
    }
};

}  // namespace

// Records of a layer beyond which its working buffers are not kept.
constexpr std::size_t LargeLayerRecords = std::size_t{1} << 16;

struct ShapeLayerScratch::Buffers {
    std::vector<std::vector<Edge>> FillEdges, ReversedEdges;
    std::vector<LineBuilder> Lines;
    std::vector<char> Used;
    std::vector<std::pair<std::uint64_t, std::size_t>> Starts;
};

ShapeLayerScratch::ShapeLayerScratch() : Held(std::make_unique<Buffers>()) {}
ShapeLayerScratch::~ShapeLayerScratch() = default;
ShapeLayerScratch::ShapeLayerScratch(ShapeLayerScratch&&) noexcept = default;

ShapeLayer BuildShapeLayer(const ShapeDefinition& shape, const LayerSpan& span) {
    ShapeLayerScratch scratch;
    return BuildShapeLayer(shape, span, scratch);
}

ShapeLayer BuildShapeLayer(const ShapeDefinition& shape, const LayerSpan& span, ShapeLayerScratch& scratch) {
    ShapeLayer layer;
    if (span.StyleSetIndex < shape.StyleSets.size()) {
        layer.Fills = shape.StyleSets[span.StyleSetIndex].Fills;
        layer.Lines = shape.StyleSets[span.StyleSetIndex].Lines;
    }
    // Per fill style: edges with the fill on their right (fill style 1) in
    // record order, and the reversed fill style 0 edges, later appended in
    // reverse record order so a run of them still links edge after edge.
    ShapeLayerScratch::Buffers& b = *scratch.Held;
    // Emptied, keeping what they hold room for.
    const auto reuse = [](auto& buffers, std::size_t count) -> auto& {
        for (auto& v : buffers) v.clear();
        buffers.resize(count);
        return buffers;
    };
    std::vector<std::vector<Edge>>& fillEdges = reuse(b.FillEdges, layer.Fills.size() + 1);
    std::vector<std::vector<Edge>>& reversedEdges = reuse(b.ReversedEdges, layer.Fills.size() + 1);
    std::vector<LineBuilder>& lines = b.Lines;
    lines.assign(layer.Lines.size() + 1, LineBuilder{});
    std::uint32_t fill0 = 0, fill1 = 0, line = 0;
    Point pen{span.PenX, span.PenY};
    const std::size_t end = std::min(span.EndRecord, shape.Records.size());

    for (std::size_t i = span.FirstRecord; i < end; ++i) {
        const ShapeRecord& rec = shape.Records[i];
        if (rec.Type == ShapeRecordType::StyleChange) {
            const std::uint32_t oldLine = line;
            if (rec.HasFill0) fill0 = rec.Fill0 < fillEdges.size() ? rec.Fill0 : 0;
            if (rec.HasFill1) fill1 = rec.Fill1 < fillEdges.size() ? rec.Fill1 : 0;
            if (rec.HasLine) line = rec.Line < lines.size() ? rec.Line : 0;
            if (rec.HasMoveTo) pen = {rec.MoveX, rec.MoveY};
            if (oldLine != 0 && (rec.HasMoveTo || line != oldLine)) lines[oldLine].Finish();
            continue;
        }
        Edge e;
        e.From = pen;
        if (rec.Type == ShapeRecordType::CurvedEdge) {
            e.Curved = true;
            e.Control = {static_cast<std::int32_t>(static_cast<std::uint32_t>(pen.X) + static_cast<std::uint32_t>(rec.ControlX)),
                         static_cast<std::int32_t>(static_cast<std::uint32_t>(pen.Y) + static_cast<std::uint32_t>(rec.ControlY))};
            e.To = {static_cast<std::int32_t>(static_cast<std::uint32_t>(e.Control.X) + static_cast<std::uint32_t>(rec.DeltaX)),
                    static_cast<std::int32_t>(static_cast<std::uint32_t>(e.Control.Y) + static_cast<std::uint32_t>(rec.DeltaY))};
        } else {
            e.To = {static_cast<std::int32_t>(static_cast<std::uint32_t>(pen.X) + static_cast<std::uint32_t>(rec.DeltaX)),
                    static_cast<std::int32_t>(static_cast<std::uint32_t>(pen.Y) + static_cast<std::uint32_t>(rec.DeltaY))};
        }
        pen = e.To;
        if (fill0 != fill1) {
            if (fill0) reversedEdges[fill0].push_back(e.Reversed());
            if (fill1) fillEdges[fill1].push_back(e);
        }
        if (line) lines[line].Add(e);
    }

    for (std::uint32_t f = 1; f < fillEdges.size(); ++f) {
        fillEdges[f].insert(fillEdges[f].end(), reversedEdges[f].rbegin(), reversedEdges[f].rend());
        if (!fillEdges[f].empty()) layer.FillPaths.push_back({f, LinkContours(fillEdges[f], b.Used, b.Starts)});
    }
    for (std::uint32_t l = 1; l < lines.size(); ++l) {
        lines[l].Finish();
        if (!lines[l].Commands.empty()) layer.LinePaths.push_back({l, std::move(lines[l].Commands)});
    }
    // Buffers grown by an unusually large layer are let go rather than kept.
    if (end > span.FirstRecord + LargeLayerRecords) b = ShapeLayerScratch::Buffers{};
    return layer;
}

std::vector<ShapeLayer> BuildShapeLayers(const ShapeDefinition& shape) {
    std::vector<ShapeLayer> layers;
    layers.reserve(shape.Layers.size());
    ShapeLayerScratch scratch;
    for (const LayerSpan& span : shape.Layers) layers.push_back(BuildShapeLayer(shape, span, scratch));
    return layers;
}

bool IsReversedContour(const std::vector<PathCommand>& a, const std::vector<PathCommand>& b) {
    if (a.size() != b.size() || a.size() < 3) return false;
    const std::size_t n = a.size() - 2;  // segments
    if (a[0].Op != PathOp::MoveTo || b[0].Op != PathOp::MoveTo || a.back().Op != PathOp::Close ||
        b.back().Op != PathOp::Close)
        return false;
    for (std::size_t i = 0; i <= n; ++i)
        if (b[i].X != a[n - i].X || b[i].Y != a[n - i].Y) return false;
    for (std::size_t i = 1; i <= n; ++i) {
        const PathCommand &s = b[i], &t = a[n - i + 1];
        if (s.Op != t.Op || (s.Op != PathOp::LineTo && s.Op != PathOp::CurveTo)) return false;
        if (s.Op == PathOp::CurveTo && (s.CX != t.CX || s.CY != t.CY)) return false;
    }
    return true;
}
