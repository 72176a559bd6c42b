#include "import/SvgPaint.h"

#include <algorithm>

namespace {

constexpr const char* PresentationAttributes[] = {
    "fill",   "fill-opacity", "fill-rule",  "stroke",  "stroke-opacity", "stroke-width", "color",
    "opacity", "visibility",  "display",    "stroke-dasharray", "filter", "mask", "clip-path",
    "marker", "marker-start", "marker-mid", "marker-end",
};

bool ParsePaint(std::string_view text, SvgPaint& out) {
    text = Trimmed(text);
    if (text == "none") {
        out = {};
        return true;
    }
    if (text == "currentColor" || text == "currentcolor") {
        out = {};
        out.K = SvgPaint::Color;
        out.CurrentColor = true;
        return true;
    }
    if (text.substr(0, 4) == "url(") {
        const std::size_t close = text.find(')');
        if (close == std::string_view::npos) return false;
        std::string_view ref = Trimmed(text.substr(4, close - 4));
        if (ref.size() >= 2 && (ref.front() == '\'' || ref.front() == '"')) ref = ref.substr(1, ref.size() - 2);
        if (ref.empty() || ref[0] != '#') return false;
        SvgPaint fallback;
        const std::string_view rest = Trimmed(text.substr(close + 1));
        const bool hasFallback = !rest.empty() && ParsePaint(rest, fallback) && fallback.K != SvgPaint::Url;
        out = {};
        out.K = SvgPaint::Url;
        out.Id = std::string(ref.substr(1));
        if (hasFallback) {
            out.HasFallback = true;
            out.C = fallback.C;
            out.CurrentColor = fallback.CurrentColor;
            if (fallback.K == SvgPaint::None) out.C.A = 0;
        }
        return true;
    }
    const auto c = ParseColor(text);
    if (!c) return false;
    out = {};
    out.K = SvgPaint::Color;
    out.C = *c;
    return true;
}

bool ParseOpacity(std::string_view text, double& out) {
    text = Trimmed(text);
    double v = 0;
    if (!text.empty() && text.back() == '%') {
        if (!ParseNumber(text.substr(0, text.size() - 1), v)) return false;
        v /= 100;
    } else if (!ParseNumber(text, v)) {
        return false;
    }
    out = std::clamp(v, 0.0, 1.0);
    return true;
}

bool Active(std::string_view v) { return Trimmed(v) != "none"; }

void Apply(SvgStyleState& s, const std::string& name, const std::string& value, const SvgStyleState& parent,
           double diagonal, double& ownOpacity) {
    if (Trimmed(value) == "inherit") {
        if (name == "fill") s.Fill = parent.Fill;
        else if (name == "stroke") s.Stroke = parent.Stroke;
        else if (name == "color") s.Color = parent.Color;
        return;
    }
    if (name == "fill") ParsePaint(value, s.Fill);
    else if (name == "stroke") ParsePaint(value, s.Stroke);
    else if (name == "fill-opacity") ParseOpacity(value, s.FillOpacity);
    else if (name == "stroke-opacity") ParseOpacity(value, s.StrokeOpacity);
    else if (name == "opacity") ParseOpacity(value, ownOpacity);
    else if (name == "fill-rule") {
        if (Trimmed(value) == "evenodd") s.Rule = FillRuleKind::EvenOdd;
        if (Trimmed(value) == "nonzero") s.Rule = FillRuleKind::NonZero;
    } else if (name == "stroke-width") {
        double w = 0;
        if (ParseLength(value, diagonal, w) && w >= 0) s.StrokeWidth = w;
    } else if (name == "color") {
        if (auto c = ParseColor(value)) s.Color = *c;
    } else if (name == "visibility") {
        s.Visible = Trimmed(value) == "visible";
    } else if (name == "display") {
        s.Displayed = Active(value);
    } else if (name == "stroke-dasharray") {
        s.Dashed = Active(value) && value.find_first_of("123456789") != std::string::npos;
    } else if (name == "filter") {
        s.Filtered = Active(value);
    } else if (name == "mask") {
        s.Masked = Active(value);
    } else if (name == "clip-path") {
        s.Clipped = Active(value);
    } else if (name.rfind("marker", 0) == 0) {
        s.Markers = Active(value);
    }
}

}  // namespace

SvgPaint SvgPaint::Resolve(const Rgba& current) const {
    SvgPaint p = *this;
    if (CurrentColor) {
        const double a = p.C.A;
        p.C = current;
        if (K == Url) p.C.A = a;
        p.CurrentColor = false;
    }
    return p;
}

SvgStyleState ComputeStyle(const SvgElement& e, const SvgStyleState& parent, const std::vector<CssRule>& rules,
                           double viewportDiagonal) {
    SvgStyleState s = parent;
    s.Displayed = true;
    s.Filtered = s.Masked = s.Clipped = false;
    double ownOpacity = 1;
    for (const char* name : PresentationAttributes)
        if (const std::string* v = e.Attribute(name)) Apply(s, name, *v, parent, viewportDiagonal, ownOpacity);
    if (!rules.empty()) {
        const std::string* id = e.Attribute("id");
        const std::string* cls = e.Attribute("class");
        for (const auto& [name, value] : MatchRules(rules, e.Name, id ? *id : "", cls ? *cls : ""))
            Apply(s, name, value, parent, viewportDiagonal, ownOpacity);
    }
    if (const std::string* style = e.Attribute("style"))
        for (const auto& [name, value] : ParseDeclarations(*style))
            Apply(s, name, value, parent, viewportDiagonal, ownOpacity);
    s.Opacity = parent.Opacity * ownOpacity;
    return s;
}
