#pragma once
#include <string>
#include <vector>

#include "import/Drawing.h"
#include "import/Regions.h"
#include "import/SvgDocument.h"
#include "import/SvgStyle.h"

// The computed style of an SVG element: what fills and strokes it, from its
// presentation attributes, the style sheet and its style attribute, in that
// order of strength, with inheritance from its parent.
struct SvgPaint {
    enum Kind { None, Color, Url } K = None;
    Rgba C;
    bool CurrentColor = false;
    std::string Id;          // of a gradient or pattern, for Url
    bool HasFallback = false;  // url(#id) followed by a colour or none
    SvgPaint Resolve(const Rgba& current) const;
    static SvgPaint Black() {
        SvgPaint p;
        p.K = Color;
        return p;
    }
};

struct SvgStyleState {
    SvgPaint Fill = SvgPaint::Black();
    double FillOpacity = 1;
    FillRuleKind Rule = FillRuleKind::NonZero;
    SvgPaint Stroke;
    double StrokeOpacity = 1;
    double StrokeWidth = 1;
    Rgba Color{0, 0, 0, 1};
    bool Visible = true;
    bool Dashed = false;
    bool Markers = false;
    double Opacity = 1;  // the product of the element's and its ancestors' opacity
    // Not inherited: what this element alone asks for.
    bool Displayed = true;
    bool Filtered = false, Masked = false, Clipped = false;
};

// The style of `e` under `parent`. `viewportDiagonal` resolves stroke-width percentages.
SvgStyleState ComputeStyle(const SvgElement& e, const SvgStyleState& parent, const std::vector<CssRule>& rules,
                           double viewportDiagonal);
