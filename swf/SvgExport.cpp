#include "swf/SvgExport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include <QByteArray>

#include "swf/JpegImage.h"
#include "swf/ShapeLayers.h"
#include "swf/StageRenderer.h"

namespace {

// Half the side of the gradient square, in gradient units.
constexpr double GradientExtent = 16384.0;

std::string Num(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.9g", v == 0 ? 0.0 : v);
    return buf;
}

std::string Hex(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02x%02x%02x", r, g, b);
    return buf;
}

std::string Matrix(const QTransform& t) {
    return "matrix(" + Num(t.m11()) + " " + Num(t.m12()) + " " + Num(t.m21()) + " " + Num(t.m22()) + " " +
           Num(t.dx()) + " " + Num(t.dy()) + ")";
}

// Colour and opacity attributes of a colour after the placement's transform.
std::string Paint(const char* what, const SwfColorTransform& cx, SwfColor c) {
    const SwfColor t = ApplyColorTransform(cx, c);
    std::string out = std::string(" ") + what + "=\"" + Hex(t.R, t.G, t.B) + "\"";
    if (t.A != 255) out += std::string(" ") + what + "-opacity=\"" + Num(t.A / 255.0) + "\"";
    return out;
}

std::string PathData(const std::vector<PathCommand>& commands) {
    std::string d;
    d.reserve(commands.size() * 16);
    for (const PathCommand& c : commands) {
        switch (c.Op) {
        case PathOp::MoveTo: d += "M" + std::to_string(c.X) + " " + std::to_string(c.Y); break;
        case PathOp::LineTo: d += "L" + std::to_string(c.X) + " " + std::to_string(c.Y); break;
        case PathOp::CurveTo:
            d += "Q" + std::to_string(c.CX) + " " + std::to_string(c.CY) + " " + std::to_string(c.X) + " " +
                 std::to_string(c.Y);
            break;
        case PathOp::Close: d += "Z"; break;
        }
    }
    return d;
}

bool IsIdentity(const SwfColorTransform& cx) { return cx == SwfColorTransform{}; }

class SvgWriter {
public:
    explicit SvgWriter(const ParsedMovie& movie) : movie_(movie) {}

    std::string Write(const SvgOptions& o) {
        const int w = std::max(o.Width, 1), h = std::max(o.Height, 1);
        out_ = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" version=\"1.1\" width=\"" +
               std::to_string(w) + "\" height=\"" + std::to_string(h) + "\" viewBox=\"0 0 " + std::to_string(w) + " " +
               std::to_string(h) + "\">\n";
        out_ += "<rect width=\"" + std::to_string(w) + "\" height=\"" + std::to_string(h) + "\" fill=\"" +
                Hex((o.Background >> 16) & 0xFF, (o.Background >> 8) & 0xFF, o.Background & 0xFF) + "\"/>\n";
        const QTransform stage = StageTransform(movie_.Header.FrameSize, w, h);
        for (const auto& [depth, place] : movie_.DisplayList) {
            if (place.IsMask) continue;
            auto shape = movie_.Shapes.find(place.CharacterId);
            if (shape == movie_.Shapes.end()) continue;
            const QTransform transform = ToQTransform(place.Matrix) * stage;
            const double scale = std::sqrt(std::abs(transform.determinant()));
            if (!(scale > 0) || !std::isfinite(scale)) continue;
            out_ += "<g transform=\"" + Matrix(transform) + "\">\n";
            for (const ShapeLayer& layer : BuildShapeLayers(*shape->second)) Layer(layer, place.ColorTransform, scale);
            out_ += "</g>\n";
        }
        out_ += "</svg>\n";
        return std::move(out_);
    }

private:
    void Layer(const ShapeLayer& layer, const SwfColorTransform& cx, double pixelsPerTwip) {
        for (const StylePath& p : layer.FillPaths)
            if (p.Style >= 1 && p.Style <= layer.Fills.size()) Fill(layer.Fills[p.Style - 1], cx, PathData(p.Commands));
        for (const StylePath& p : layer.LinePaths) {
            if (p.Style < 1 || p.Style > layer.Lines.size()) continue;
            const LineStyle& line = layer.Lines[p.Style - 1];
            // Never thinner than one device pixel, as the player draws it.
            const double width = std::max<double>(line.Width, 1.0 / pixelsPerTwip);
            out_ += "<path d=\"" + PathData(p.Commands) + "\" fill=\"none\"" + Paint("stroke", cx, line.Color) +
                    " stroke-width=\"" + Num(width) + "\" stroke-linecap=\"round\" stroke-linejoin=\"round\"/>\n";
        }
    }

    void Fill(const FillStyle& fill, const SwfColorTransform& cx, const std::string& d) {
        const std::string shape = "<path d=\"" + d + "\" fill-rule=\"evenodd\"";
        switch (fill.Type) {
        case FillSolid:
            out_ += shape + Paint("fill", cx, fill.Color) + "/>\n";
            return;
        case FillLinearGradient:
        case FillRadialGradient:
            if (fill.Stops.empty()) return;
            if (!ToQTransform(fill.Matrix).isInvertible()) {
                out_ += shape + Paint("fill", cx, fill.Stops.back().Color) + "/>\n";
                return;
            }
            out_ += shape + " fill=\"url(#" + Gradient(fill, cx) + ")\"/>\n";
            return;
        default:
            Bitmap(fill, cx, d);
            return;
        }
    }

    std::string Gradient(const FillStyle& fill, const SwfColorTransform& cx) {
        const std::string id = "g" + std::to_string(++ids_);
        const bool linear = fill.Type == FillLinearGradient;
        const std::string e = Num(GradientExtent);
        out_ += linear ? "<linearGradient id=\"" + id + "\" x1=\"-" + e + "\" y1=\"0\" x2=\"" + e + "\" y2=\"0\""
                       : "<radialGradient id=\"" + id + "\" cx=\"0\" cy=\"0\" r=\"" + e + "\" fx=\"0\" fy=\"0\"";
        out_ += " gradientUnits=\"userSpaceOnUse\" spreadMethod=\"pad\" gradientTransform=\"" +
                Matrix(ToQTransform(fill.Matrix)) + "\">\n";
        for (const SwfGradientStop& s : fill.Stops) {
            const SwfColor t = ApplyColorTransform(cx, s.Color);
            out_ += "<stop offset=\"" + Num(s.Ratio / 255.0) + "\" stop-color=\"" + Hex(t.R, t.G, t.B) +
                    "\" stop-opacity=\"" + Num(t.A / 255.0) + "\"/>\n";
        }
        out_ += linear ? "</linearGradient>\n" : "</radialGradient>\n";
        return id;
    }

    // The picture as an embedded JPEG, its pixels mapped by the fill's
    // matrix, clipped to the path or repeated as a pattern.
    void Bitmap(const FillStyle& fill, const SwfColorTransform& cx, const std::string& d) {
        auto def = movie_.Bitmaps.find(fill.BitmapId);
        if (def == movie_.Bitmaps.end()) return;
        std::string why;
        const QImage decoded = DecodeJpeg(def->second->Jpeg, why);
        if (decoded.isNull()) return;
        const std::string data = QByteArray(reinterpret_cast<const char*>(def->second->Jpeg.data()),
                                            static_cast<qsizetype>(def->second->Jpeg.size()))
                                     .toBase64()
                                     .toStdString();
        const std::string size = " width=\"" + std::to_string(decoded.width()) + "\" height=\"" +
                                 std::to_string(decoded.height()) + "\"";
        // Version 6 movies draw pictures unsmoothed.
        const bool smooth = movie_.Header.Version >= 8 &&
                            (fill.Type == FillRepeatingBitmap || fill.Type == FillClippedBitmap);
        const std::string image = "<image" + size + (smooth ? "" : " image-rendering=\"optimizeSpeed\"") +
                                  ColorFilter(cx) + " xlink:href=\"data:image/jpeg;base64," + data + "\"";
        const std::string id = std::to_string(++ids_);
        const std::string matrix = Matrix(ToQTransform(fill.Matrix));
        if (fill.Type == FillClippedBitmap || fill.Type == FillClippedBitmapHard) {
            out_ += "<clipPath id=\"c" + id + "\"><path d=\"" + d + "\" clip-rule=\"evenodd\"/></clipPath>\n";
            out_ += "<g clip-path=\"url(#c" + id + ")\">" + image + " transform=\"" + matrix + "\"/></g>\n";
        } else {
            out_ += "<pattern id=\"p" + id + "\" patternUnits=\"userSpaceOnUse\"" + size + " patternTransform=\"" +
                    matrix + "\">" + image + "/></pattern>\n";
            out_ += "<path d=\"" + d + "\" fill-rule=\"evenodd\" fill=\"url(#p" + id + ")\"/>\n";
        }
    }

    // A picture's colour transform: plain opacity when only alpha is scaled,
    // else a colour matrix filter working on straight sRGB values.
    std::string ColorFilter(const SwfColorTransform& cx) {
        if (IsIdentity(cx)) return {};
        SwfColorTransform rgb = cx;
        rgb.Mult[3] = 256;
        rgb.Add[3] = 0;
        const double alpha = ApplyColorTransform(cx, SwfColor{0, 0, 0, 255}).A / 255.0;
        if (IsIdentity(rgb)) return " opacity=\"" + Num(alpha) + "\"";
        const std::string id = "f" + std::to_string(++ids_);
        std::string values;
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 5; ++j)
                values += (j == i ? Num(cx.Mult[i] / 256.0) : j == 4 ? Num(cx.Add[i] / 255.0) : "0") + " ";
        values += "0 0 0 1 0";
        out_ += "<filter id=\"" + id + "\" color-interpolation-filters=\"sRGB\"><feColorMatrix type=\"matrix\" values=\"" +
                values + "\"/></filter>\n";
        return " filter=\"url(#" + id + ")\" opacity=\"" + Num(alpha) + "\"";
    }

    const ParsedMovie& movie_;
    std::string out_;
    int ids_ = 0;
};

}  // namespace

std::string MovieToSvg(const ParsedMovie& movie, const SvgOptions& options) { return SvgWriter(movie).Write(options); }
