#include "import/SvgFill.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "import/GradientFit.h"
#include "import/SvgGrammar.h"
#include "import/SvgStyle.h"

namespace {

constexpr int MaxHrefChain = 32;

bool IsGradient(const SvgElement& e) { return e.Name == "linearGradient" || e.Name == "radialGradient"; }

const SvgElement* Referenced(const SvgDocument& doc, const SvgElement& e) {
    const std::string* href = e.Attribute("href");
    if (!href || href->size() < 2 || (*href)[0] != '#') return nullptr;
    const auto it = doc.Ids.find(href->substr(1));
    return it == doc.Ids.end() ? nullptr : &doc.Elements[it->second];
}

// The gradient element and those its href chain leads to, nearest first.
std::vector<const SvgElement*> Chain(const SvgDocument& doc, const SvgElement& e) {
    std::vector<const SvgElement*> chain{&e};
    while (chain.size() < MaxHrefChain) {
        const SvgElement* next = Referenced(doc, *chain.back());
        if (!next || !IsGradient(*next) || std::find(chain.begin(), chain.end(), next) != chain.end()) break;
        chain.push_back(next);
    }
    return chain;
}

const std::string* Inherited(const std::vector<const SvgElement*>& chain, const char* name) {
    for (const SvgElement* e : chain)
        if (const std::string* v = e->Attribute(name)) return v;
    return nullptr;
}

double Coordinate(const std::vector<const SvgElement*>& chain, const char* name, double fallback, bool boxUnits) {
    const std::string* v = Inherited(chain, name);
    double out = fallback;
    if (!v) return out;
    const std::string_view t = Trimmed(*v);
    if (!t.empty() && t.back() == '%') {
        if (ParseNumber(t.substr(0, t.size() - 1), out)) return out / 100;
        return fallback;
    }
    if (!(boxUnits ? ParseNumber(t, out) : ParseLength(t, 0, out))) out = fallback;
    return out;
}

std::string StopProperty(const SvgElement& stop, const char* name) {
    std::string value;
    if (const std::string* v = stop.Attribute(name)) value = *v;
    if (const std::string* style = stop.Attribute("style"))
        for (const auto& [n, v] : ParseDeclarations(*style))
            if (n == name) value = v;
    return value;
}

std::vector<GradientStop> Stops(const SvgDocument& doc, const std::vector<const SvgElement*>& chain, double opacity) {
    std::vector<GradientStop> out;
    for (const SvgElement* g : chain) {
        for (std::size_t child : g->Children) {
            const SvgElement& stop = doc.Elements[child];
            if (stop.Name != "stop") continue;
            double offset = 0;
            const std::string* o = stop.Attribute("offset");
            if (o) {
                const std::string_view t = Trimmed(*o);
                if (!t.empty() && t.back() == '%' ? ParseNumber(t.substr(0, t.size() - 1), offset) && (offset /= 100, true)
                                                  : ParseNumber(t, offset)) {
                } else {
                    offset = 0;
                }
            }
            offset = std::clamp(offset, 0.0, 1.0);
            if (!out.empty()) offset = std::max(offset, out.back().Offset);
            Rgba c{0, 0, 0, 1};
            if (auto parsed = ParseColor(StopProperty(stop, "stop-color"))) c = *parsed;
            double a = 1;
            if (const std::string so = StopProperty(stop, "stop-opacity"); !so.empty() && ParseNumber(so, a))
                a = std::clamp(a, 0.0, 1.0);
            const int alpha = static_cast<int>(std::nearbyint(std::clamp(c.A * a * opacity, 0.0, 1.0) * 255));
            out.push_back({offset, PackColor(c.R, c.G, c.B, alpha)});
        }
        if (!out.empty()) break;  // the nearest gradient with stops gives them all
    }
    return out;
}

// The bounding box of the contours in user space.
bool UserBox(const std::vector<Contour>& contours, const Affine& toTwips, double box[4]) {
    const double det = toTwips.A * toTwips.D - toTwips.B * toTwips.C;
    if (det == 0) return false;
    const Affine inv{toTwips.D / det, -toTwips.B / det, -toTwips.C / det, toTwips.A / det,
                     (toTwips.C * toTwips.F - toTwips.D * toTwips.E) / det,
                     (toTwips.B * toTwips.E - toTwips.A * toTwips.F) / det};
    box[0] = box[1] = std::numeric_limits<double>::max();
    box[2] = box[3] = std::numeric_limits<double>::lowest();
    for (const Contour& c : contours)
        for (const OutlinePoint& p : c) {
            if (p.Control) continue;
            const Vec2 u = inv.Map(p.P);
            box[0] = std::min(box[0], u.X);
            box[1] = std::min(box[1], u.Y);
            box[2] = std::max(box[2], u.X);
            box[3] = std::max(box[3], u.Y);
        }
    return box[2] > box[0] && box[3] > box[1];
}

// The gradient geometry in twips; false when it draws nothing (a zero-size box).
bool Geometry(const std::vector<const SvgElement*>& chain, const Affine& toTwips, const std::vector<Contour>& contours,
              GradientSpec& spec) {
    const std::string* units = Inherited(chain, "gradientUnits");
    const bool box = !units || *units != "userSpaceOnUse";
    Affine m = toTwips;
    if (box) {
        double b[4];
        if (!UserBox(contours, toTwips, b)) return false;
        m = m * Affine{b[2] - b[0], 0, 0, b[3] - b[1], b[0], b[1]};
    }
    if (const std::string* t = Inherited(chain, "gradientTransform")) {
        Affine g;
        if (ParseTransformList(*t, g)) m = m * g;
    }
    if (const std::string* spread = Inherited(chain, "spreadMethod"); spread && *spread != "pad") spec.Exact = false;
    const SvgElement& kind = *chain.front();
    if (kind.Name == "linearGradient") {
        const Vec2 p1{Coordinate(chain, "x1", 0, box), Coordinate(chain, "y1", 0, box)};
        const Vec2 p2{Coordinate(chain, "x2", 1, box), Coordinate(chain, "y2", 0, box)};
        // The ramp runs along the normal of the mapped iso-lines.
        const Vec2 v = p2 - p1;
        const double len2 = v.X * v.X + v.Y * v.Y;
        const double det = m.A * m.D - m.B * m.C;
        if (len2 == 0 || det == 0) return false;
        const Vec2 grad{(m.D * v.X - m.B * v.Y) / det / len2, (-m.C * v.X + m.A * v.Y) / det / len2};
        const double g2 = grad.X * grad.X + grad.Y * grad.Y;
        spec.Start = m.Map(p1);
        spec.End = spec.Start + grad * (1 / g2);
        return std::isfinite(spec.Start.X + spec.Start.Y + spec.End.X + spec.End.Y);
    }
    spec.Radial = true;
    const double cx = Coordinate(chain, "cx", 0.5, box), cy = Coordinate(chain, "cy", 0.5, box);
    const double r = Coordinate(chain, "r", 0.5, box);
    if (Coordinate(chain, "fx", cx, box) != cx || Coordinate(chain, "fy", cy, box) != cy) spec.Exact = false;
    spec.Centre = m.Map({cx, cy});
    // The larger axis of the mapped circle.
    const double a = m.A * m.A + m.B * m.B, c = m.C * m.C + m.D * m.D, b = m.A * m.C + m.B * m.D;
    const double big = std::sqrt((a + c) / 2 + std::sqrt((a - c) * (a - c) / 4 + b * b));
    const double small = std::sqrt(std::max(0.0, (a + c) / 2 - std::sqrt((a - c) * (a - c) / 4 + b * b)));
    if (big - small > 1e-6 * big) spec.Exact = false;
    spec.Radius = r * big;
    return r > 0 && std::isfinite(spec.Radius + spec.Centre.X + spec.Centre.Y);
}

const SvgElement* Server(const SvgPaint& paint, const SvgDocument& doc) {
    const auto it = doc.Ids.find(paint.Id);
    return it == doc.Ids.end() ? nullptr : &doc.Elements[it->second];
}

std::int32_t Packed(const Rgba& c, double opacity) {
    return PackColor(c.R, c.G, c.B, static_cast<int>(std::nearbyint(std::clamp(c.A * opacity, 0.0, 1.0) * 255)));
}

}  // namespace

bool ApplyFill(PathShape& path, const SvgPaint& paint, double opacity, const SvgDocument& doc, const Affine& toTwips,
               const std::vector<Contour>& contours, LeftOut& missing) {
    if (paint.K == SvgPaint::None) return false;
    if (paint.K == SvgPaint::Color) {
        path.FillType = 1;
        path.FillColor = Packed(paint.C, opacity);
        return true;
    }
    const SvgElement* server = Server(paint, doc);
    if (!server || !IsGradient(*server)) {
        if (server && server->Name == "pattern") missing.Add(LeftOut::Pattern);
        if (!paint.HasFallback || paint.C.A == 0) return false;
        path.FillType = 1;
        path.FillColor = Packed(paint.C, opacity);
        return true;
    }
    const std::vector<const SvgElement*> chain = Chain(doc, *server);
    GradientSpec spec;
    spec.Stops = Stops(doc, chain, opacity);
    if (spec.Stops.empty()) return false;  // a gradient without stops paints nothing
    if (!Geometry(chain, toTwips, contours, spec)) {
        // Nothing to spread over: the last stop's colour fills the shape.
        path.FillType = 1;
        path.FillColor = spec.Stops.back().Color;
        return true;
    }
    if (!FitGradient(spec, path)) missing.Add(LeftOut::Simplified);
    return path.FillType != 0;
}

std::optional<Rgba> StrokeColor(const SvgPaint& paint, const SvgDocument& doc, LeftOut& missing) {
    if (paint.K == SvgPaint::Color) return paint.C;
    if (paint.K == SvgPaint::None) return std::nullopt;
    const SvgElement* server = Server(paint, doc);
    if (server && IsGradient(*server)) {
        const std::vector<GradientStop> stops = Stops(doc, Chain(doc, *server), 1);
        if (stops.empty()) return std::nullopt;
        const std::int32_t c = ColorAt(stops, 0.5);
        if (stops.size() > 1) missing.Add(LeftOut::Simplified);
        return Rgba{static_cast<std::uint8_t>(ColorByte(c, 0)), static_cast<std::uint8_t>(ColorByte(c, 1)),
                    static_cast<std::uint8_t>(ColorByte(c, 2)), ColorByte(c, 3) / 255.0};
    }
    if (server && server->Name == "pattern") missing.Add(LeftOut::Pattern);
    if (paint.HasFallback && paint.C.A > 0) return paint.C;
    return std::nullopt;
}
