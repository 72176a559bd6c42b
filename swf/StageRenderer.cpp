#include "swf/StageRenderer.h"

#include <algorithm>
#include <cmath>

#include <QBrush>
#include <QLinearGradient>
#include <QPainter>
#include <QPen>
#include <QRadialGradient>

namespace {

// Half the side of the gradient square, in gradient units.
constexpr double GradientExtent = 16384.0;

QColor ToQColor(const SwfColorTransform& cx, SwfColor c) {
    const SwfColor t = ApplyColorTransform(cx, c);
    return QColor(t.R, t.G, t.B, t.A);
}

QBrush GradientBrush(const FillStyle& fill, const SwfColorTransform& cx) {
    QGradient gradient = fill.Type == FillLinearGradient
                             ? QGradient(QLinearGradient(-GradientExtent, 0, GradientExtent, 0))
                             : QGradient(QRadialGradient(0, 0, GradientExtent));
    gradient.setSpread(QGradient::PadSpread);
    // Flash interpolates straight (not premultiplied) colours.
    gradient.setInterpolationMode(QGradient::ComponentInterpolation);
    for (const GradientStop& s : fill.Stops) gradient.setColorAt(s.Ratio / 255.0, ToQColor(cx, s.Color));
    QBrush brush(gradient);
    brush.setTransform(ToQTransform(fill.Matrix));
    return brush;
}

struct LayerPainter {
    QPainter& Painter;
    const ParsedMovie& Movie;
    BitmapCache& Bitmaps;
    const SwfColorTransform& Cx;
    QTransform Transform;
    double PixelsPerTwip;
    bool AntiAlias;
    std::string& Reason;

    void Fill(const FillStyle& fill, const QPainterPath& path) {
        switch (fill.Type) {
        case FillSolid:
            Painter.fillPath(path, ToQColor(Cx, fill.Color));
            return;
        case FillLinearGradient:
        case FillRadialGradient: {
            if (fill.Stops.empty()) return;
            if (!ToQTransform(fill.Matrix).isInvertible()) {
                Painter.fillPath(path, ToQColor(Cx, fill.Stops.back().Color));
                return;
            }
            Painter.fillPath(path, GradientBrush(fill, Cx));
            return;
        }
        default:
            FillBitmap(fill, path);
            return;
        }
    }

    void FillBitmap(const FillStyle& fill, const QPainterPath& path) {
        std::string why;
        const QImage* image = Bitmaps.Get(Movie, fill.BitmapId, Cx, why);
        if (!image) {
            if (!why.empty() && Reason.find(why) == std::string::npos) Reason += (Reason.empty() ? "" : "; ") + why;
            return;
        }
        const bool soft = fill.Type == FillRepeatingBitmap || fill.Type == FillClippedBitmap;
        const bool smooth = AntiAlias && soft && Movie.Header.Version >= 8;
        Painter.save();
        Painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
        if (fill.Type == FillClippedBitmap || fill.Type == FillClippedBitmapHard) {
            Painter.setClipPath(path, Qt::IntersectClip);
            Painter.setTransform(ToQTransform(fill.Matrix) * Transform);
            Painter.drawImage(0, 0, *image);
        } else {
            QBrush brush(*image);
            brush.setTransform(ToQTransform(fill.Matrix));
            Painter.fillPath(path, brush);
        }
        Painter.restore();
    }

    void Draw(const PreparedLayer& layer) {
        Painter.setTransform(Transform);
        for (const auto& [style, path] : layer.FillPaths) Fill(layer.Fills[style - 1], path);
        for (const auto& [style, path] : layer.LinePaths) {
            const LineStyle& line = layer.Lines[style - 1];
            // Never thinner than one device pixel; a 0-twip line is a hairline.
            const double width = std::max<double>(line.Width, 1.0 / PixelsPerTwip);
            QPen pen(ToQColor(Cx, line.Color), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
            Painter.strokePath(path, pen);
        }
    }
};

}  // namespace

QTransform ToQTransform(const SwfMatrix& m) {
    return QTransform(m.ScaleX, m.RotateSkew0, m.RotateSkew1, m.ScaleY, m.TranslateX, m.TranslateY);
}

QTransform StageTransform(const SwfRect& frame, int width, int height) {
    const double fw = static_cast<double>(frame.Xmax) - frame.Xmin;
    const double fh = static_cast<double>(frame.Ymax) - frame.Ymin;
    if (fw <= 0 || fh <= 0) return QTransform(0, 0, 0, 0, 0, 0);
    const double s = std::min(width / fw, height / fh);
    const double ox = (width - fw * s) / 2 - frame.Xmin * s;
    const double oy = (height - fh * s) / 2 - frame.Ymin * s;
    return QTransform(s, 0, 0, s, ox, oy);
}

void RenderStage(const ParsedMovie& movie, const StageOptions& options, LayerCache& layers, BitmapCache& bitmaps,
                 QImage& image, std::string& reason) {
    const int w = std::max(options.Width, 1), h = std::max(options.Height, 1);
    if (image.width() != w || image.height() != h || image.format() != QImage::Format_ARGB32_Premultiplied)
        image = QImage(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor::fromRgb(static_cast<QRgb>(0xFF000000u | (options.Background & 0xFFFFFFu))));
    if (movie.Shapes.empty() || movie.DisplayList.empty()) {
        layers.EndFrame();
        return;
    }
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, options.AntiAlias);
    painter.setPen(Qt::NoPen);
    const QTransform stage = StageTransform(movie.Header.FrameSize, w, h);
    for (const auto& [depth, place] : movie.DisplayList) {
        if (place.IsMask) continue;
        auto shape = movie.Shapes.find(place.CharacterId);
        if (shape == movie.Shapes.end()) continue;
        const QTransform transform = ToQTransform(place.Matrix) * stage;
        const double scale = std::sqrt(std::abs(transform.determinant()));
        if (!(scale > 0) || !std::isfinite(scale)) continue;
        LayerPainter lp{painter, movie, bitmaps, place.ColorTransform, transform, scale, options.AntiAlias, reason};
        for (const LayerSpan& span : shape->second->Layers) lp.Draw(*layers.Get(*shape->second, span));
    }
    layers.EndFrame();
    bitmaps.Retain(movie);
}
