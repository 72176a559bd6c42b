#include "import/SvgImport.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "import/SvgFill.h"
#include "import/SvgGeometry.h"
#include "import/SvgGrammar.h"
#include "import/SvgPaint.h"

namespace {

// Elements visited, counting each use of a reference again.
constexpr std::int64_t MaxVisits = 4'000'000;

bool Skipped(const std::string& name) {
    static const char* const names[] = {"defs",   "symbol",   "title",          "desc",           "metadata",
                                        "style",  "script",   "linearGradient", "radialGradient", "clipPath",
                                        "mask",   "pattern",  "marker",         "filter",         "foreignObject",
                                        "font",   "font-face", "cursor",        "view",           "animate"};
    return std::any_of(std::begin(names), std::end(names), [&](const char* n) { return name == n; });
}

bool IsContainer(const std::string& name) { return name == "g" || name == "a" || name == "switch" || name == "svg"; }

std::int32_t Packed(const Rgba& c, double opacity) {
    const int alpha = static_cast<int>(std::nearbyint(std::clamp(c.A * opacity, 0.0, 1.0) * 255));
    return PackColor(c.R, c.G, c.B, alpha);
}

class Walker {
public:
    Walker(const SvgDocument& doc, ImportResult& result) : doc_(doc), result_(result) {
        for (const SvgElement& e : doc.Elements)
            if (e.Name == "style") ParseStyleSheet(e.Text, rules_);
    }

    bool Run() {
        const SvgElement& root = doc_.Elements[0];
        double vbW = 0, vbH = 0;
        const bool hasViewBox = ViewBoxSize(root.Attribute("viewBox"), vbW, vbH);
        const double givenWidth = RootLength(root, "width"), givenHeight = RootLength(root, "height");
        double width = givenWidth, height = givenHeight;
        // A missing side follows the viewBox, keeping its proportions when the other side is given.
        if (hasViewBox && !(width > 0)) width = height > 0 ? height * vbW / vbH : vbW;
        if (hasViewBox && !(height > 0)) height = givenWidth > 0 ? givenWidth * vbH / vbW : vbH;
        Drawing& d = result_.Result;
        if (width > 0 && height > 0) {
            d.CanvasWidth = static_cast<std::int32_t>(std::clamp(std::ceil(width - 1e-9), 1.0, double(MaxImportCanvasSide)));
            d.CanvasHeight = static_cast<std::int32_t>(std::clamp(std::ceil(height - 1e-9), 1.0, double(MaxImportCanvasSide)));
        }
        viewport_ = hasViewBox ? Viewport{vbW, vbH} : Viewport{width > 0 ? width : 100, height > 0 ? height : 100};
        const Affine toTwips = Affine::Scale(20, 20) *
                               ViewBoxTransform(root.Attribute("viewBox"), root.Attribute("preserveAspectRatio"),
                                                width, height);
        const SvgStyleState style = Style(root, SvgStyleState{});
        if (!style.Displayed) return true;
        for (std::size_t child : root.Children) {
            const std::size_t before = d.Paths.size();
            Visit(child, toTwips, style, 1);
            if (!error_.empty()) break;
            const SvgElement& e = doc_.Elements[child];
            const std::size_t made = d.Paths.size() - before;
            if (made >= 2 || (made >= 1 && (IsContainer(e.Name) || e.Name == "use"))) {
                ++groups_;
                for (std::size_t i = before; i < d.Paths.size(); ++i) {
                    d.Paths[i].Grouped = VbTrue;
                    d.Paths[i].GroupNo = groups_;
                }
            }
        }
        return error_.empty();
    }

    const std::string& Error() const { return error_; }

private:
    // The root's width or height in pixels; 0 when absent, a percentage or bad.
    static double RootLength(const SvgElement& root, const char* name) {
        double v = 0;
        const std::string* a = root.Attribute(name);
        if (!a || a->find('%') != std::string::npos || !ParseLength(*a, 0, v) || !(v > 0)) return 0;
        return v;
    }

    SvgStyleState Style(const SvgElement& e, const SvgStyleState& parent) {
        SvgStyleState s = ComputeStyle(e, parent, rules_, std::hypot(viewport_.Width, viewport_.Height) / std::sqrt(2.0));
        LeftOut& lo = result_.Missing;
        if (s.Filtered) lo.Add(LeftOut::Filter);
        if (s.Masked) lo.Add(LeftOut::Mask);
        if (s.Clipped) lo.Add(LeftOut::ClipPath);
        return s;
    }

    Affine Transformed(const SvgElement& e, const Affine& ctm) {
        const std::string* t = e.Attribute("transform");
        if (!t) return ctm;
        Affine m;
        if (!ParseTransformList(*t, m)) return ctm;  // a bad transform list is ignored, as renderers do
        return ctm * m;
    }

    void Visit(std::size_t index, const Affine& ctm, const SvgStyleState& parent, int depth) {
        if (!error_.empty()) return;
        if (++visits_ > MaxVisits || depth > MaxSvgDepth * 2) {
            error_ = "references in the SVG repeat too often or too deep";
            return;
        }
        const SvgElement& e = doc_.Elements[index];
        if (Skipped(e.Name)) return;
        if (e.Name == "image") return result_.Missing.Add(LeftOut::Image);
        if (e.Name == "text") return result_.Missing.Add(LeftOut::Text);
        const SvgStyleState style = Style(e, parent);
        if (!style.Displayed) return;
        Affine m = Transformed(e, ctm);
        if (e.Name == "use") return Use(e, m, style, depth);
        if (e.Name == "svg") {
            const double x = Number(e, "x"), y = Number(e, "y");
            double w = viewport_.Width, h = viewport_.Height;
            if (const std::string* a = e.Attribute("width")) ParseLength(*a, viewport_.Width, w);
            if (const std::string* a = e.Attribute("height")) ParseLength(*a, viewport_.Height, h);
            m = m * Affine::Translate(x, y) * ViewBoxTransform(e.Attribute("viewBox"), e.Attribute("preserveAspectRatio"), w, h);
        }
        if (e.Name == "switch") {
            // The first alternative without conditions on extensions or language is drawn.
            for (std::size_t child : e.Children) {
                const SvgElement& c = doc_.Elements[child];
                if (c.Name == "foreignObject" || c.Attribute("requiredExtensions") || c.Attribute("systemLanguage")) continue;
                Visit(child, m, style, depth + 1);
                break;
            }
            return;
        }
        if (IsContainer(e.Name)) {
            for (std::size_t child : e.Children) Visit(child, m, style, depth + 1);
            return;
        }
        if (IsShapeElement(e.Name)) Shape(e, m, style);
    }

    double Number(const SvgElement& e, const char* name) {
        double v = 0;
        if (const std::string* a = e.Attribute(name); !a || !ParseLength(*a, viewport_.Width, v)) v = 0;
        return v;
    }

    void Use(const SvgElement& e, const Affine& ctm, const SvgStyleState& style, int depth) {
        const std::string* href = e.Attribute("href");
        if (!href || href->size() < 2 || (*href)[0] != '#') return;
        const auto it = doc_.Ids.find(href->substr(1));
        if (it == doc_.Ids.end()) return;
        if (std::find(using_.begin(), using_.end(), it->second) != using_.end()) {
            error_ = "line " + std::to_string(e.Line) + ": a <use> refers back to itself";
            return;
        }
        using_.push_back(it->second);
        const Affine m = ctm * Affine::Translate(Number(e, "x"), Number(e, "y"));
        const SvgElement& target = doc_.Elements[it->second];
        if (target.Name == "symbol") {
            double w = viewport_.Width, h = viewport_.Height;
            if (const std::string* a = e.Attribute("width")) ParseLength(*a, viewport_.Width, w);
            if (const std::string* a = e.Attribute("height")) ParseLength(*a, viewport_.Height, h);
            const SvgStyleState inner = Style(target, style);
            const Affine sm = m * ViewBoxTransform(target.Attribute("viewBox"), target.Attribute("preserveAspectRatio"), w, h);
            if (inner.Displayed)
                for (std::size_t child : target.Children) Visit(child, sm, inner, depth + 1);
        } else {
            Visit(it->second, m, style, depth + 1);
        }
        using_.pop_back();
    }

    void Shape(const SvgElement& e, const Affine& m, const SvgStyleState& s) {
        PathBuilder b(m);
        b.PointLimit = static_cast<std::size_t>(MaxImportAnchors - anchorCount_);
        if (!ShapeOutline(e, viewport_, b, error_)) return;
        if (b.Full()) {
            error_ = ImportAnchorCapMessage();
            return;
        }
        if (b.OutOfRange) {
            error_ = "line " + std::to_string(e.Line) + ": a coordinate is out of range";
            return;
        }
        if (b.Contours.empty() || !s.Visible) return;
        LeftOut& lo = result_.Missing;
        const bool lineLike = e.Name == "line" || e.Name == "polyline" || e.Name == "path";
        if (s.Markers && (lineLike || e.Name == "polygon")) lo.Add(LeftOut::Marker);
        const SvgPaint fill = s.Fill.Resolve(s.Color), stroke = s.Stroke.Resolve(s.Color);
        const double lineWidth = s.StrokeWidth * m.MeanScale();
        const std::optional<Rgba> strokeColor = lineWidth > 0 ? StrokeColor(stroke, doc_, lo) : std::nullopt;
        const bool stroked = strokeColor.has_value();
        if (stroked && s.Dashed) lo.Add(LeftOut::Dash);
        PathShape style;
        style.LineOn = 0;
        style.FillType = 0;
        if (stroked) {
            style.LineOn = 1;
            style.LineWidth = static_cast<std::int32_t>(std::clamp(std::nearbyint(lineWidth), 1.0, 65535.0));
            style.LineColor = Packed(*strokeColor, s.StrokeOpacity * s.Opacity);
        }
        std::vector<std::vector<AnchorPoint>> fills;
        if (fill.K != SvgPaint::None && e.Name != "line") {
            fills = FillOutlines(b.Contours, s.Rule);
            if (!fills.empty() && !ApplyFill(style, fill, s.FillOpacity * s.Opacity, doc_, m, b.Contours, lo)) fills.clear();
        }
        // A stroke rides on the filled outline when that is exactly its one closed subpath.
        const bool shared = stroked && fills.size() == 1 && b.Contours.size() == 1 && b.Closed[0];
        for (auto& anchors : fills) {
            PathShape p = style;
            if (!shared) p.LineOn = 0;
            Add(std::move(p), std::move(anchors), true);
        }
        if (!stroked || shared) return;
        for (std::size_t i = 0; i < b.Contours.size(); ++i) {
            PathShape p = style;
            p.FillType = 0;
            Add(std::move(p), RoundContour(b.Contours[i], b.Closed[i]), b.Closed[i]);
        }
    }

    void Add(PathShape p, std::vector<AnchorPoint> anchors, bool closed) {
        AppendImportedPath(result_.Result, std::move(p), std::move(anchors), closed, anchorCount_, error_);
    }

    const SvgDocument& doc_;
    ImportResult& result_;
    std::vector<CssRule> rules_;
    Viewport viewport_;
    std::vector<std::size_t> using_;
    std::int64_t visits_ = 0, anchorCount_ = 0;
    std::int32_t groups_ = 0;
    std::string error_;
};

}  // namespace

ImportResult ImportSvg(std::string_view bytes) {
    ImportResult result;
    std::string text;
    SvgDocument doc;
    if (bytes.empty()) {
        result.Error = "the file is empty";
        return result;
    }
    if (!SvgText(bytes, text, result.Error)) return result;
    if (!ReadSvgDocument(text.empty() ? bytes : std::string_view(text), doc, result.Error)) return result;
    Walker walker(doc, result);
    if (!walker.Run()) {
        result.Error = walker.Error();
        result.Result = {};
        result.Missing = {};
        return result;
    }
    result.Ok = true;
    return result;
}

bool LooksLikeSvg(std::string_view fileName, std::string_view bytes) {
    if (bytes.substr(0, 3) == "LVD") return false;
    const std::string_view head = bytes.substr(0, 4096);
    if (head.find("<svg") != std::string_view::npos) return true;
    return HasSuffix(fileName, ".svg") || HasSuffix(fileName, ".svgz");
}
