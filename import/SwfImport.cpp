#include "import/SwfImport.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "import/GradientFit.h"
#include "import/Regions.h"
#include "swf/BitmapDecode.h"
#include "swf/MorphShape.h"
#include "import/SwfText.h"
#include "swf/MovieContainer.h"
#include "swf/MovieReader.h"
#include "swf/ShapeExport.h"
#include "swf/ShapeLayers.h"

namespace {

constexpr double GradientHalf = 16384;                     // the gradient square spans -16384..16384
// Sprites inside sprites are followed this deep; a sprite that places itself stops here.
constexpr int MaxSpriteDepth = 16;
// Placements visited, counting each one inside a sprite again for every placement of the sprite.
constexpr std::int64_t MaxPlacements = 1'000'000;
// Steps of outlining all placed glyphs: a glyph's commands, plus its contours
// squared for sorting holes from outlines. Beyond, the anchors would pass their cap anyway.
constexpr std::int64_t MaxGlyphSteps = 4 * MaxImportAnchors;

// Placements may scale far beyond any canvas; points stay within this many
// twips (50,000 pixels) so that every later step holds them in whole numbers.
constexpr double MaxTwips = 1e6;

Vec2 Bounded(Vec2 p) { return {std::clamp(p.X, -MaxTwips, MaxTwips), std::clamp(p.Y, -MaxTwips, MaxTwips)}; }

Affine ToAffine(const SwfMatrix& m) {
    return {m.ScaleX, m.RotateSkew0, m.RotateSkew1, m.ScaleY, double(m.TranslateX), double(m.TranslateY)};
}

std::int32_t Packed(SwfColor c, const SwfColorTransform& cx) {
    c = ApplyColorTransform(cx, c);
    return PackColor(c.R, c.G, c.B, c.A);
}

// `inner` then `outer`, as one transform. Movie writers put 255 for a
// multiplier of one as often as 256; both leave the colour as it is.
SwfColorTransform Then(SwfColorTransform inner, const SwfColorTransform& outer) {
    for (auto& m : inner.Mult)
        if (m == 255) m = 256;
    SwfColorTransform out;
    for (int i = 0; i < 4; ++i) {
        const std::int64_t om = outer.Mult[i] == 255 ? 256 : outer.Mult[i];
        out.Mult[i] = static_cast<std::int32_t>(std::clamp<std::int64_t>((om * inner.Mult[i]) >> 8, -65536, 65536));
        out.Add[i] = static_cast<std::int32_t>(std::clamp<std::int64_t>(((om * inner.Add[i]) >> 8) + outer.Add[i], -65536, 65536));
    }
    return out;
}

// The subpaths of a command list, mapped by `m`, as Lumivane anchors hold
// them. A closed subpath ends on its start point. Between two curves, an end
// point that lies where the movie writer would put it between their controls
// is left implied; one followed by an edge that goes nowhere was an anchor of
// its own, and the empty edge is dropped. StartImplied: the closed subpath's
// start is such an implied point, to be left out once the anchors are rounded.
struct Subpaths {
    std::vector<Contour> Contours;
    std::vector<bool> Closed, StartImplied;
};

bool Implied(const PathCommand& before, const PathCommand& after) {
    return before.Op == PathOp::CurveTo && after.Op == PathOp::CurveTo && before.X == MidpointHalfEven(before.CX, after.CX) &&
           before.Y == MidpointHalfEven(before.CY, after.CY);
}

Subpaths ToContours(const std::vector<PathCommand>& commands, const Affine& m) {
    Subpaths s;
    const auto at = [&](std::int32_t x, std::int32_t y) { return Bounded(m.Map({double(x), double(y)})); };
    std::size_t first = 0;  // the subpath's first edge
    for (std::size_t i = 0; i < commands.size(); ++i) {
        const PathCommand& c = commands[i];
        const PathCommand* prev = i > 0 ? &commands[i - 1] : nullptr;
        if (c.Op == PathOp::MoveTo) {
            s.Contours.push_back({{at(c.X, c.Y), false}});
            s.Closed.push_back(false);
            s.StartImplied.push_back(false);
            first = i + 1;
        } else if (s.Contours.empty()) {
            continue;
        } else if (c.Op == PathOp::Close) {
            s.Closed.back() = true;
            s.StartImplied.back() = prev && first < i && Implied(*prev, commands[first]);
        } else if (c.Op == PathOp::LineTo && prev && prev->Op != PathOp::Close && c.X == prev->X && c.Y == prev->Y) {
            continue;
        } else {
            Contour& contour = s.Contours.back();
            if (prev && i > first && Implied(*prev, c)) contour.pop_back();
            if (c.Op == PathOp::CurveTo) contour.push_back({at(c.CX, c.CY), true});
            contour.push_back({at(c.X, c.Y), false});
        }
    }
    return s;
}

// Rounded anchors of subpath k; an implied start gives way to the control before it.
std::vector<AnchorPoint> Anchors(const Subpaths& s, std::size_t k) {
    std::vector<AnchorPoint> a = RoundContour(s.Contours[k], s.Closed[k]);
    if (s.StartImplied[k] && a.size() > 2 && a.back().Kind == 1) {
        a.erase(a.begin());
        std::rotate(a.begin(), a.end() - 1, a.end());
    }
    return a;
}

// The edges of fill style `f` in record order, when they run as one unbroken
// closed chain: then that chain is the outline, as it was drawn. The even-odd
// fill depends only on which edges there are, so it fills what the linked
// contours fill. Empty otherwise.
std::vector<PathCommand> RecordChain(const ShapeDefinition& shape, const LayerSpan& span, std::uint32_t f) {
    std::vector<PathCommand> out;
    std::uint32_t fill0 = 0, fill1 = 0;
    std::int64_t x = span.PenX, y = span.PenY, lastX = 0, lastY = 0;
    for (std::size_t i = span.FirstRecord; i < std::min(span.EndRecord, shape.Records.size()); ++i) {
        const ShapeRecord& rec = shape.Records[i];
        if (rec.Type == ShapeRecordType::StyleChange) {
            if (rec.HasFill0) fill0 = rec.Fill0;
            if (rec.HasFill1) fill1 = rec.Fill1;
            if (rec.HasMoveTo) x = rec.MoveX, y = rec.MoveY;
            continue;
        }
        const std::int64_t cx = x + rec.ControlX, cy = y + rec.ControlY;
        const std::int64_t ex = cx + rec.DeltaX, ey = cy + rec.DeltaY;
        if (fill0 != fill1 && (fill0 == f || fill1 == f)) {
            if (out.empty()) out.push_back({PathOp::MoveTo, std::int32_t(x), std::int32_t(y), 0, 0});
            else if (x != lastX || y != lastY) return {};
            if (rec.Type == ShapeRecordType::CurvedEdge)
                out.push_back({PathOp::CurveTo, std::int32_t(ex), std::int32_t(ey), std::int32_t(cx), std::int32_t(cy)});
            else
                out.push_back({PathOp::LineTo, std::int32_t(ex), std::int32_t(ey), 0, 0});
            lastX = ex, lastY = ey;
        }
        x = ex, y = ey;
    }
    if (out.size() < 2 || lastX != out[0].X || lastY != out[0].Y) return {};
    out.push_back({PathOp::Close, 0, 0, 0, 0});
    return out;
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
        d.Frames = std::max<int>(movie_.Header.FrameCount, 1);
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
        lo.Add(LeftOut::DamagedTag, movie_.DamagedTags);
        for (const auto& [depth, p] : movie_.DisplayList) {
            Place(p, stage, SwfColorTransform{}, 0);
            if (!error_.empty()) return false;
        }
        return true;
    }
    const std::string& Error() const { return error_; }

private:
    void Place(const Placement& p, const Affine& parent, const SwfColorTransform& parentCx, int depth) {
        LeftOut& lo = result_.Missing;
        if (p.IsMask) return lo.Add(LeftOut::Mask);
        if (++placements_ > MaxPlacements) {
            error_ = "the movie places more than " + std::to_string(MaxPlacements) + " objects";
            return;
        }
        const Affine m = parent * ToAffine(p.Matrix);
        const SwfColorTransform cx = Then(p.ColorTransform, parentCx);
        if (auto it = movie_.Shapes.find(p.CharacterId); it != movie_.Shapes.end()) return Shape(*it->second, m, cx);
        if (auto it = movie_.Morphs.find(p.CharacterId); it != movie_.Morphs.end())
            return Shape(MorphShapeAt(*it->second, p.Ratio), m, cx);
        if (movie_.Bitmaps.count(p.CharacterId)) return lo.Add(LeftOut::Bitmap);
        if (auto it = movie_.Texts.find(p.CharacterId); it != movie_.Texts.end())
            return Text(p.CharacterId, *it->second, m, cx);
        if (auto it = movie_.Sprites.find(p.CharacterId); it != movie_.Sprites.end()) {
            if (depth >= MaxSpriteDepth) return lo.Add(LeftOut::Object);
            for (const auto& [d, child] : it->second.DisplayList) {
                Place(child, m, cx, depth + 1);
                if (!error_.empty()) return;
            }
            return;
        }
        lo.Add(LeftOut::Object);  // a button, a video, or a character that is not there
    }

    void Shape(const ShapeDefinition& shape, const Affine& m, const SwfColorTransform& cx) {
        for (const LayerSpan& span : shape.Layers) {
            ShapeLayer layer = BuildShapeLayer(shape, span);
            for (StylePath& sp : layer.FillPaths)
                if (std::vector<PathCommand> chain = RecordChain(shape, span, sp.Style); !chain.empty())
                    sp.Commands = std::move(chain);
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
                    Add(style, Anchors(ToContours(lp.Commands, m), 0), true);
                    continue;
                }
                Add(style, Anchors(s, 0), true);
            }
            for (std::size_t i = 0; i < layer.LinePaths.size(); ++i) {
                if (lineUsed[i]) continue;
                PathShape style;
                style.FillType = 0;
                LineFrom(layer.Lines[layer.LinePaths[i].Style - 1], m, cx, style);
                const Subpaths s = ToContours(layer.LinePaths[i].Commands, m);
                for (std::size_t k = 0; k < s.Contours.size(); ++k)
                    Add(style, Anchors(s, k), s.Closed[k]);
            }
        }
    }

    // Each glyph as filled outlines with its holes; a glyph of several outlines is a group, as the text tool makes it.
    void Text(std::uint16_t id, const TextCharacter& text, const Affine& m, const SwfColorTransform& cx) {
        auto at = layouts_.find(id);
        if (at == layouts_.end())
            at = layouts_.emplace(id, LayOutText(movie_.Texts, text, movie_.Header.Version >= 6)).first;
        const TextLayout& layout = at->second;
        result_.Missing.Add(LeftOut::Glyph, layout.Missing);
        if (layout.LeftOutField) result_.Missing.Add(LeftOut::TextField);
        for (const PlacedGlyph& g : layout.Glyphs) {
            const Subpaths s = ToContours(g.Glyph->Commands, m * g.Map);
            const auto n = static_cast<std::int64_t>(std::min<std::size_t>(s.Contours.size(), 4096));
            if ((glyphSteps_ += static_cast<std::int64_t>(g.Glyph->Commands.size()) + 1 + n * n) > MaxGlyphSteps) {
                error_ = "the movie's text would take more than " + std::to_string(MaxGlyphSteps) + " steps to outline";
                return;
            }
            std::vector<std::vector<AnchorPoint>> outlines = FillOutlines(s.Contours, FillRuleKind::EvenOdd);
            PathShape style;
            std::tie(style.LineOn, style.FillType, style.FillColor) = std::tuple{0, 1, Packed(g.Color, cx)};
            if (outlines.size() > 1) std::tie(style.Grouped, style.GroupNo) = std::tuple{VbTrue, ++groups_};
            for (auto& anchors : outlines) Add(style, std::move(anchors), true);
            if (!error_.empty()) return;
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
        default:  // bitmaps: their average colour
            result_.Missing.Add(LeftOut::Bitmap);
            p.FillType = 1;
            p.FillColor = Packed(BitmapColor(fill.BitmapId), cx);
            return true;
        }
    }

    // A bitmap's average colour, decoded once per import; mid-grey when it cannot be decoded.
    SwfColor BitmapColor(std::uint16_t id) {
        auto [it, fresh] = bitmapColors_.try_emplace(id, SwfColor{128, 128, 128, 255});
        auto def = movie_.Bitmaps.find(id);
        if (fresh && def != movie_.Bitmaps.end()) {
            std::string why;
            if (const QImage picture = DecodeBitmap(*def->second, why); !picture.isNull()) it->second = AverageColor(picture);
        }
        return it->second;
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
            spec.Start = Bounded(g.Map({-GradientHalf, 0}));
            spec.End = Bounded(spec.Start + normal * (2 * GradientHalf / (normal.X * normal.X + normal.Y * normal.Y)));
        } else {
            spec.Radial = true;
            spec.Centre = Bounded(g.Map({0, 0}));
            spec.Radius = std::min(GradientHalf * g.MeanScale(), MaxTwips);
            const double ax = Length({g.A, g.B}), ay = Length({g.C, g.D});
            spec.Exact = std::abs(ax - ay) <= 1e-3 * std::max(ax, ay) &&
                         std::abs(g.A * g.C + g.B * g.D) <= 1e-3 * ax * ay && fill.Focal == 0;
        }
        if (!FitGradient(spec, p)) result_.Missing.Add(LeftOut::Simplified);
        return true;
    }

    void Add(PathShape p, std::vector<AnchorPoint> anchors, bool closed) {
        AppendImportedPath(result_.Result, std::move(p), std::move(anchors), closed, anchorCount_, error_);
    }

    const ParsedMovie& movie_;
    ImportResult& result_;
    std::map<std::uint16_t, SwfColor> bitmapColors_;
    std::int64_t anchorCount_ = 0, placements_ = 0, glyphSteps_ = 0;
    std::int32_t groups_ = 0;
    std::map<std::uint16_t, TextLayout> layouts_;  // by character id: laid out once however often placed
    std::string error_;
};

}  // namespace

ImportResult ImportSwf(std::string_view bytes, int frame) {
    ImportResult result;
    std::vector<std::uint8_t> fws;
    result.Error = UnpackMovie(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), fws);
    if (!result.Error.empty()) return result;
    const ParsedMovie movie = ReadMovieFrame(fws.data(), fws.size(), std::max(frame, 1), DamagedTagMode::Skip);
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
    return bytes.substr(0, 3) != "LVD" && HasSuffix(fileName, ".swf");
}
