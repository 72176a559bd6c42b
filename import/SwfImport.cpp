#include "import/SwfImport.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "import/GradientFit.h"
#include "import/Regions.h"
#include "swf/MovieContainer.h"
#include "swf/MovieReader.h"
#include "swf/ShapeExport.h"
#include "swf/ShapeLayers.h"

namespace {

constexpr double GradientHalf = 16384;                     // the gradient square spans -16384..16384

Affine ToAffine(const SwfMatrix& m) {
    return {m.ScaleX, m.RotateSkew0, m.RotateSkew1, m.ScaleY, double(m.TranslateX), double(m.TranslateY)};
}

// Movie writers put 255 for a multiplier of one as often as 256; both leave the colour as it is.
std::int32_t Packed(SwfColor c, SwfColorTransform cx) {
    for (auto& m : cx.Mult)
        if (m == 255) m = 256;
    c = ApplyColorTransform(cx, c);
    return PackColor(c.R, c.G, c.B, c.A);
}

// The subpaths of a command list, mapped by `m`. A closed subpath ends on its start point.
struct Subpaths {
    std::vector<Contour> Contours;
    std::vector<bool> Closed;
};

Subpaths ToContours(const std::vector<PathCommand>& commands, const Affine& m) {
    Subpaths s;
    const auto at = [&](std::int32_t x, std::int32_t y) { return m.Map({double(x), double(y)}); };
    for (const PathCommand& c : commands) {
        if (c.Op == PathOp::MoveTo) {
            s.Contours.push_back({{at(c.X, c.Y), false}});
            s.Closed.push_back(false);
        } else if (s.Contours.empty()) {
            continue;
        } else if (c.Op == PathOp::Close) {
            s.Closed.back() = true;
        } else {
            if (c.Op == PathOp::CurveTo) s.Contours.back().push_back({at(c.CX, c.CY), true});
            s.Contours.back().push_back({at(c.X, c.Y), false});
        }
    }
    return s;
}

// The commands without straight edges that go nowhere and without subpaths
// left with no edge: the movie writer closes an outline with such an edge.
std::vector<PathCommand> WithoutEmptyEdges(const std::vector<PathCommand>& in) {
    std::vector<PathCommand> out;
    out.reserve(in.size());
    std::int32_t x = 0, y = 0;
    for (const PathCommand& c : in) {
        if (c.Op == PathOp::LineTo && c.X == x && c.Y == y) continue;
        if (c.Op != PathOp::MoveTo && c.Op != PathOp::Close && !out.empty() && out.back().Op == PathOp::Close) {
            out.push_back({PathOp::MoveTo, x, y, 0, 0});  // an edge after a close starts where the pen is
        }
        if (c.Op == PathOp::Close && !out.empty() && out.back().Op == PathOp::MoveTo) {
            out.pop_back();
            continue;
        }
        if (c.Op == PathOp::MoveTo && !out.empty() && out.back().Op == PathOp::MoveTo) out.pop_back();
        out.push_back(c);
        if (c.Op != PathOp::Close) {
            x = c.X;
            y = c.Y;
        }
    }
    if (!out.empty() && out.back().Op == PathOp::MoveTo) out.pop_back();
    return out;
}

// Whether fill style f of a layer lies only on the left of its edges (fill
// style 0): then its one contour runs against the records, and is turned back.
std::vector<bool> OnlyLeftFills(const ShapeDefinition& shape, const LayerSpan& span, std::size_t fills) {
    std::vector<int> seen(fills + 1, 0);
    std::uint32_t fill0 = 0, fill1 = 0;
    for (std::size_t i = span.FirstRecord; i < std::min(span.EndRecord, shape.Records.size()); ++i) {
        const ShapeRecord& rec = shape.Records[i];
        if (rec.Type == ShapeRecordType::StyleChange) {
            if (rec.HasFill0) fill0 = rec.Fill0 <= fills ? rec.Fill0 : 0;
            if (rec.HasFill1) fill1 = rec.Fill1 <= fills ? rec.Fill1 : 0;
        } else if (fill0 != fill1) {
            seen[fill0] |= 1;
            seen[fill1] |= 2;
        }
    }
    std::vector<bool> left(fills + 1);
    for (std::size_t f = 1; f <= fills; ++f) left[f] = seen[f] == 1;
    return left;
}

// Drops an on-curve anchor that lies where two controls around it imply one,
// as the movie writer puts it; a closed outline that began there starts at
// the control before instead, as it was drawn.
void DropImpliedAnchors(std::vector<AnchorPoint>& a, bool closed) {
    const std::size_t n = a.size();
    if (n < 3) return;
    std::vector<AnchorPoint> kept;
    kept.reserve(n);
    bool firstDropped = false;
    for (std::size_t i = 0; i < n; ++i) {
        const bool inner = closed || (i > 0 && i + 1 < n);
        const AnchorPoint& p = a[(i + n - 1) % n];
        const AnchorPoint& q = a[(i + 1) % n];
        if (inner && a[i].Kind == 0 && p.Kind == 1 && q.Kind == 1 && a[i].X == MidpointHalfEven(p.X, q.X) &&
            a[i].Y == MidpointHalfEven(p.Y, q.Y)) {
            firstDropped = firstDropped || i == 0;
            continue;
        }
        kept.push_back(a[i]);
    }
    if (firstDropped) std::rotate(kept.begin(), kept.end() - 1, kept.end());
    a = std::move(kept);
}

class Importer {
public:
    Importer(const ParsedMovie& movie, ImportResult& result) : movie_(movie), result_(result) {}

    bool Run() {
        const SwfRect& f = movie_.Header.FrameSize;
        const Affine stage = Affine::Translate(-double(f.Xmin), -double(f.Ymin));
        const auto side = [](std::int64_t twips) {
            return static_cast<std::int32_t>(std::clamp<std::int64_t>((twips + 19) / 20, 1, MaxImportCanvasSide));
        };
        Drawing& d = result_.Result;
        d.CanvasWidth = side(std::int64_t{f.Xmax} - f.Xmin);
        d.CanvasHeight = side(std::int64_t{f.Ymax} - f.Ymin);
        if (movie_.Background) {
            d.HasBackground = true;
            d.Background[0] = movie_.Background->R;
            d.Background[1] = movie_.Background->G;
            d.Background[2] = movie_.Background->B;
        }
        LeftOut& lo = result_.Missing;
        lo.Add(LeftOut::Script, movie_.Scripts);
        lo.Add(LeftOut::UnknownTag, movie_.UnknownTags);
        for (const auto& [depth, p] : movie_.DisplayList) {
            Place(p, stage);
            if (!error_.empty()) return false;
        }
        return true;
    }
    const std::string& Error() const { return error_; }

private:
    void Place(const Placement& p, const Affine& parent) {
        LeftOut& lo = result_.Missing;
        if (p.IsMask) return lo.Add(LeftOut::Mask);
        if (auto it = movie_.Shapes.find(p.CharacterId); it != movie_.Shapes.end())
            return Shape(*it->second, parent * ToAffine(p.Matrix), p.ColorTransform);
        auto other = movie_.OtherCharacters.find(p.CharacterId);
        if (other == movie_.OtherCharacters.end()) return lo.Add(LeftOut::Object);
        switch (other->second) {
        case 6: case 20: case 21: case 35: case 36: case 90:
            return lo.Add(LeftOut::Bitmap);
        case 11: case 33: case 37:
            return lo.Add(LeftOut::Text);
        default:
            return lo.Add(LeftOut::Object);
        }
    }

    void Shape(const ShapeDefinition& shape, const Affine& m, const SwfColorTransform& cx) {
        for (const LayerSpan& span : shape.Layers) {
            ShapeLayer layer = BuildShapeLayer(shape, span);
            for (StylePath& sp : layer.FillPaths) sp.Commands = WithoutEmptyEdges(sp.Commands);
            for (StylePath& sp : layer.LinePaths) sp.Commands = WithoutEmptyEdges(sp.Commands);
            const std::vector<bool> left = OnlyLeftFills(shape, span, layer.Fills.size());
            std::vector<bool> lineUsed(layer.LinePaths.size(), false);
            for (const StylePath& fp : layer.FillPaths) {
                PathShape style;
                style.LineOn = 0;
                if (!FillFrom(layer.Fills[fp.Style - 1], m, cx, style)) continue;
                const Subpaths s = ToContours(fp.Commands, m);
                if (s.Contours.size() != 1) {
                    for (auto& anchors : FillOutlines(s.Contours, FillRuleKind::EvenOdd)) Add(style, std::move(anchors), true);
                    continue;
                }
                // One outline: it carries the line too when a line runs the same way round it.
                if (const int li = SameLine(layer, fp, lineUsed); li >= 0) {
                    lineUsed[static_cast<std::size_t>(li)] = true;
                    const StylePath& lp = layer.LinePaths[static_cast<std::size_t>(li)];
                    LineFrom(layer.Lines[lp.Style - 1], m, cx, style);
                    Add(style, RoundContour(ToContours(lp.Commands, m).Contours[0]), true);
                    continue;
                }
                Contour c = s.Contours[0];
                if (left[fp.Style]) std::reverse(c.begin(), c.end());
                Add(style, RoundContour(c), true);
            }
            for (std::size_t i = 0; i < layer.LinePaths.size(); ++i) {
                if (lineUsed[i]) continue;
                PathShape style;
                style.FillType = 0;
                LineFrom(layer.Lines[layer.LinePaths[i].Style - 1], m, cx, style);
                const Subpaths s = ToContours(layer.LinePaths[i].Commands, m);
                for (std::size_t k = 0; k < s.Contours.size(); ++k)
                    Add(style, RoundContour(s.Contours[k], s.Closed[k]), s.Closed[k]);
            }
        }
    }

    // The one closed line subpath that is this one-contour fill, forwards or backwards.
    static int SameLine(const ShapeLayer& layer, const StylePath& fp, const std::vector<bool>& used) {
        if (fp.Commands.empty() || fp.Commands.back().Op != PathOp::Close) return -1;
        for (std::size_t i = 0; i < layer.LinePaths.size(); ++i) {
            const auto& lc = layer.LinePaths[i].Commands;
            if (used[i] || std::count_if(lc.begin(), lc.end(), [](const PathCommand& c) { return c.Op == PathOp::MoveTo; }) != 1)
                continue;
            if (lc == fp.Commands || IsReversedContour(fp.Commands, lc)) return static_cast<int>(i);
        }
        return -1;
    }

    void LineFrom(const LineStyle& line, const Affine& m, const SwfColorTransform& cx, PathShape& p) {
        p.LineOn = 1;
        const double width = line.Width == 0 ? 20.0 : line.Width * m.MeanScale();  // 0 is a hairline
        p.LineWidth = static_cast<std::int32_t>(std::clamp(std::nearbyint(width), 1.0, 65535.0));
        p.LineColor = Packed(line.Color, cx);
        if (line.FromFill) result_.Missing.Add(LeftOut::Simplified);
    }

    bool FillFrom(const FillStyle& fill, const Affine& m, const SwfColorTransform& cx, PathShape& p) {
        switch (fill.Type) {
        case FillSolid:
            p.FillType = 1;
            p.FillColor = Packed(fill.Color, cx);
            return true;
        case FillLinearGradient:
        case FillRadialGradient:
        case FillFocalGradient:
            return GradientFill(fill, m * ToAffine(fill.Matrix), cx, p);
        default:  // bitmaps
            result_.Missing.Add(LeftOut::Bitmap);
            p.FillType = 1;
            p.FillColor = PackColor(128, 128, 128, 255);
            return true;
        }
    }

    bool GradientFill(const FillStyle& fill, const Affine& g, const SwfColorTransform& cx, PathShape& p) {
        if (fill.Stops.empty()) return false;
        GradientSpec spec;
        // A ratio byte cannot hold one half: 128 stands for it.
        for (const SwfGradientStop& s : fill.Stops)
            spec.Stops.push_back({s.Ratio == 128 ? 0.5 : s.Ratio / 255.0, Packed(s.Color, cx)});
        std::stable_sort(spec.Stops.begin(), spec.Stops.end(), [](auto& a, auto& b) { return a.Offset < b.Offset; });
        const double det = g.A * g.D - g.B * g.C;
        if (std::abs(det) < 1e-12) {  // the gradient collapses to a line: its first colour fills
            p.FillType = 1;
            p.FillColor = spec.Stops.front().Color;
            result_.Missing.Add(LeftOut::Simplified);
            return true;
        }
        if (fill.Type == FillLinearGradient) {
            // Offsets grow along the normal of the mapped iso-lines.
            const Vec2 normal{g.D / det, -g.C / det};
            spec.Start = g.Map({-GradientHalf, 0});
            spec.End = spec.Start + normal * (2 * GradientHalf / (normal.X * normal.X + normal.Y * normal.Y));
        } else {
            spec.Radial = true;
            spec.Centre = g.Map({0, 0});
            spec.Radius = GradientHalf * g.MeanScale();
            const double ax = Length({g.A, g.B}), ay = Length({g.C, g.D});
            spec.Exact = std::abs(ax - ay) <= 1e-3 * std::max(ax, ay) &&
                         std::abs(g.A * g.C + g.B * g.D) <= 1e-3 * ax * ay && fill.Focal == 0;
        }
        if (!FitGradient(spec, p)) result_.Missing.Add(LeftOut::Simplified);
        return true;
    }

    void Add(PathShape p, std::vector<AnchorPoint> anchors, bool closed) {
        DropImpliedAnchors(anchors, closed);
        AppendImportedPath(result_.Result, std::move(p), std::move(anchors), closed, anchorCount_, error_);
    }

    const ParsedMovie& movie_;
    ImportResult& result_;
    std::int64_t anchorCount_ = 0;
    std::string error_;
};

}  // namespace

ImportResult ImportSwf(std::string_view bytes, int frame) {
    ImportResult result;
    std::vector<std::uint8_t> fws;
    result.Error = UnpackMovie(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), fws);
    if (!result.Error.empty()) return result;
    const ParsedMovie movie = ReadMovieFrame(fws.data(), fws.size(), std::max(frame, 1));
    if (!movie.Complete) {
        result.Error = movie.Reason;
        return result;
    }
    Importer importer(movie, result);
    if (!importer.Run()) {
        result.Error = importer.Error();
        result.Result = {};
        result.Missing = {};
        return result;
    }
    result.Ok = true;
    return result;
}

bool LooksLikeSwf(std::string_view fileName, std::string_view bytes) {
    if (bytes.size() >= 3 && (bytes[0] == 'F' || bytes[0] == 'C' || bytes[0] == 'Z') && bytes[1] == 'W' && bytes[2] == 'S')
        return true;
    if (bytes.substr(0, 3) == "LVD" || fileName.size() < 4) return false;
    const std::string_view ext = fileName.substr(fileName.size() - 4);
    return ext[0] == '.' && std::tolower(static_cast<unsigned char>(ext[1])) == 's' &&
           std::tolower(static_cast<unsigned char>(ext[2])) == 'w' && std::tolower(static_cast<unsigned char>(ext[3])) == 'f';
}
