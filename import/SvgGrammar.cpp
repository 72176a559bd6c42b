// The only place that sees the SVG grammar library: it is heavy to compile,
// so its parsers are instantiated here once, behind a plain interface.
#include "import/SvgGrammar.h"

#include <exception>

#include <svgpp/svgpp.hpp>

namespace {

namespace tag = svgpp::tag;
using Abs = tag::coordinate::absolute;

// Thrown to leave the parser when the sink wants no more commands.
struct Enough {};

struct PathSink {
    const PathCommandSink* Out;
    void Add(char op, std::initializer_list<double> v) {
        SvgPathCommand c;
        c.Op = op;
        std::size_t i = 0;
        for (double x : v) c.V[i++] = x;
        if (!(*Out)(c)) throw Enough{};
    }
    void path_move_to(double x, double y, Abs) { Add('M', {x, y}); }
    void path_line_to(double x, double y, Abs) { Add('L', {x, y}); }
    void path_cubic_bezier_to(double x1, double y1, double x2, double y2, double x, double y, Abs) {
        Add('C', {x1, y1, x2, y2, x, y});
    }
    void path_quadratic_bezier_to(double x1, double y1, double x, double y, Abs) { Add('Q', {x1, y1, x, y}); }
    void path_elliptical_arc_to(double rx, double ry, double rotation, bool large, bool sweep, double x, double y,
                                Abs) {
        Add('A', {rx, ry, rotation, large ? 1.0 : 0.0, sweep ? 1.0 : 0.0, x, y});
    }
    void path_close_subpath() { Add('Z', {}); }
    void path_exit() {}
};

struct TransformSink {
    Affine M;
    void transform_matrix(const boost::array<double, 6>& m) { M = Affine{m[0], m[1], m[2], m[3], m[4], m[5]}; }
};

struct ColorSink {
    std::uint32_t Rgb = 0;
    void set(tag::attribute::color, int rgb) { Rgb = static_cast<std::uint32_t>(rgb) & 0xFFFFFFu; }
};

}  // namespace

bool ParsePathData(std::string_view d, const PathCommandSink& out) {
    PathSink sink{&out};
    try {
        return svgpp::value_parser<tag::type::path_data, svgpp::path_policy<svgpp::policy::path::no_shorthands>>::parse(
            tag::attribute::d(), sink, d, tag::source::attribute());
    } catch (const Enough&) {
        return true;
    } catch (const std::exception&) {
    }
    return false;
}

bool ParseTransformList(std::string_view text, Affine& out) {
    TransformSink sink;
    try {
        if (svgpp::value_parser<tag::type::transform_list,
                                svgpp::transform_policy<svgpp::policy::transform::matrix>>::parse(
                tag::attribute::transform(), sink, text, tag::source::attribute())) {
            out = sink.M;
            return true;
        }
    } catch (const std::exception&) {
    }
    return false;
}

bool ParseSvgColor(std::string_view text, std::uint32_t& rgb) {
    ColorSink sink;
    try {
        if (svgpp::value_parser<tag::type::color>::parse(tag::attribute::color(), sink, text,
                                                         tag::source::attribute())) {
            rgb = sink.Rgb;
            return true;
        }
    } catch (const std::exception&) {
    }
    return false;
}
