#include "swf/StageRenderer.h"

#include "swf/CoverageFill.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

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

// Draws layers onto the stage image: anti-aliased through the coverage
// rasteriser, whose time stays proportional to the edges whatever their
// crossings, or aliased with QPainter for "low" quality.
struct LayerPainter {
    QImage& Image;
    QPainter* Painter;  // aliased drawing; null: anti-aliased
    CoverageRaster& Raster;
    StrokeRaster& Stroke;
    QImage& Scratch;  // a gradient's or bitmap's pixels under the path being filled
    const ParsedMovie& Movie;
    BitmapCache& Bitmaps;
    const SwfColorTransform& Cx;
    QTransform Transform;
    double PixelsPerTwip;
    std::string& Reason;

    void Fill(const FillStyle& fill, const QPainterPath& path) {
        switch (fill.Type) {
        case FillSolid:
            FillSolidColor(path, ToQColor(Cx, fill.Color));
            return;
        case FillLinearGradient:
        case FillRadialGradient: {
            if (fill.Stops.empty()) return;
            if (!ToQTransform(fill.Matrix).isInvertible()) {
                FillSolidColor(path, ToQColor(Cx, fill.Stops.back().Color));
                return;
            }
            if (Painter) {
                Painter->fillPath(path, GradientBrush(fill, Cx));
                return;
            }
            FillThroughScratch(path, [&](QPainter& p, const QTransform& toScratch) {
                QBrush brush = GradientBrush(fill, Cx);
                brush.setTransform(brush.transform() * toScratch);
                p.fillRect(QRect(QPoint(0, 0), Scratch.size()), brush);
            });
            return;
        }
        default:
            FillBitmap(fill, path);
            return;
        }
    }

    void FillSolidColor(const QPainterPath& path, const QColor& colour) {
        if (Painter) {
            Painter->fillPath(path, colour);
            return;
        }
        Raster.Reset(Image.width(), Image.height());
        AddPath(Raster, path, Transform);
        FillColor(Raster, FillRule::EvenOdd, Image, qPremultiply(colour.rgba()));
    }

    // Lines of one pixel go through QPainter's thin-line drawing, which is
    // linear in their length; wider ones through the stroke rasteriser.
    void StrokeSmooth(const QPainterPath& path, double width, const QColor& colour) {
        if (colour.alpha() == 0) return;
        if (width * PixelsPerTwip <= 1.0 + 1e-9) {
            QPainter painter(&Image);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setTransform(Transform);
            painter.strokePath(path, QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            return;
        }
        Stroke.Reset(Image.width(), Image.height(), width * PixelsPerTwip);
        AddPath(Stroke, path, Transform);
        StrokeColor(Stroke, Image, qPremultiply(colour.rgba()));
    }

    // Paints the fill's pixels over the path's bounds into the scratch image
    // with `paint`, then composes them through the path's coverage.
    template <typename Paint>
    void FillThroughScratch(const QPainterPath& path, Paint paint) {
        Raster.Reset(Image.width(), Image.height());
        AddPath(Raster, path, Transform);
        const CoverageRaster::Box box = Raster.Bounds();
        const QSize size(box.Right - box.Left, box.Bottom - box.Top);
        if (size.isEmpty()) return;
        if (Scratch.width() < size.width() || Scratch.height() < size.height())
            Scratch = QImage(Scratch.size().expandedTo(size), QImage::Format_ARGB32_Premultiplied);
        if (Scratch.isNull()) return;
        {
            QPainter p(&Scratch);
            p.setClipRect(QRect(QPoint(0, 0), size));
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.fillRect(QRect(QPoint(0, 0), size), Qt::transparent);
            p.setCompositionMode(QPainter::CompositionMode_SourceOver);
            paint(p, Transform * QTransform::fromTranslate(-box.Left, -box.Top));
        }
        FillPattern(Raster, FillRule::EvenOdd, Image, Scratch, QPoint(box.Left, box.Top));
    }

    void FillBitmap(const FillStyle& fill, const QPainterPath& path) {
        std::string why;
        const QImage* image = Bitmaps.Get(Movie, fill.BitmapId, Cx, why);
        if (!image) {
            if (!why.empty() && Reason.find(why) == std::string::npos) Reason += (Reason.empty() ? "" : "; ") + why;
            return;
        }
        const bool soft = fill.Type == FillRepeatingBitmap || fill.Type == FillClippedBitmap;
        const bool smooth = !Painter && soft && Movie.Header.Version >= 8;
        const bool clipped = fill.Type == FillClippedBitmap || fill.Type == FillClippedBitmapHard;
        const auto paint = [&](QPainter& p, const QTransform& toDevice) {
            p.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
            if (clipped) {
                p.setTransform(ToQTransform(fill.Matrix) * toDevice);
                p.drawImage(0, 0, *image);
            } else {
                QBrush brush(*image);
                brush.setTransform(ToQTransform(fill.Matrix) * toDevice);
                p.fillRect(QRect(0, 0, p.device()->width(), p.device()->height()), brush);
            }
        };
        if (!Painter) {
            FillThroughScratch(path, paint);
            return;
        }
        Painter->save();
        Painter->setRenderHint(QPainter::SmoothPixmapTransform, smooth);
        if (clipped) {
            Painter->setClipPath(path, Qt::IntersectClip);
            Painter->setTransform(ToQTransform(fill.Matrix) * Transform);
            Painter->drawImage(0, 0, *image);
        } else {
            QBrush brush(*image);
            brush.setTransform(ToQTransform(fill.Matrix));
            Painter->fillPath(path, brush);
        }
        Painter->restore();
    }

    void Draw(const PreparedLayer& layer) {
        if (Painter) Painter->setTransform(Transform);
        for (const auto& [style, path] : layer.FillPaths) Fill(layer.Fills[style - 1], path);
        for (const auto& [style, path] : layer.LinePaths) {
            const LineStyle& line = layer.Lines[style - 1];
            // Never thinner than one device pixel; a 0-twip line is a hairline.
            const double width = std::max<double>(line.Width, 1.0 / PixelsPerTwip);
            if (Painter)
                Painter->strokePath(path, QPen(ToQColor(Cx, line.Color), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            else
                StrokeSmooth(path, width, ToQColor(Cx, line.Color));
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

namespace {

std::uint64_t Mix(std::uint64_t h, std::uint64_t v) {
    h ^= v + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2);
    h *= 0xFF51AFD7ED558CCDull;
    return h ^ (h >> 32);
}

std::uint64_t MixDouble(std::uint64_t h, double v) {
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return Mix(h, bits);
}

// Identity of everything a drawn layer depends on besides its own bits.
std::uint64_t PlacementKey(const Placement& p) {
    std::uint64_t h = Mix(p.Depth, p.CharacterId);
    for (double v : {p.Matrix.ScaleX, p.Matrix.ScaleY, p.Matrix.RotateSkew0, p.Matrix.RotateSkew1}) h = MixDouble(h, v);
    h = Mix(h, (std::uint64_t{static_cast<std::uint32_t>(p.Matrix.TranslateX)} << 32) |
                   static_cast<std::uint32_t>(p.Matrix.TranslateY));
    for (int i = 0; i < 4; ++i)
        h = Mix(h, (std::uint64_t{static_cast<std::uint32_t>(p.ColorTransform.Mult[i])} << 32) |
                       static_cast<std::uint32_t>(p.ColorTransform.Add[i]));
    return h;
}

std::uint64_t BitmapsKey(const ParsedMovie& movie) {
    std::uint64_t h = 0;
    for (const auto& [id, bitmap] : movie.Bitmaps) {
        h = Mix(h, id);
        std::uint64_t word = 0;
        for (std::size_t i = 0; i < bitmap->Jpeg.size(); ++i) {
            word = (word << 8) | bitmap->Jpeg[i];
            if ((i & 7) == 7) h = Mix(h, word);
        }
        h = Mix(Mix(h, word), bitmap->Jpeg.size());
    }
    return h;
}

// Copies pixels between two images of the same size and format into the
// target's own buffer, so neither is reallocated.
void CopyPixels(const QImage& from, QImage& to) {
    const std::size_t bytes = static_cast<std::size_t>(from.sizeInBytes());
    std::memcpy(to.bits(), from.constBits(), bytes);
}

// Snapshots are kept only for stages up to this many pixels.
constexpr std::int64_t MaxSnapshotPixels = std::int64_t{1} << 25;

}  // namespace

std::vector<StageRenderer::Step> StageRenderer::StepsOf(const ParsedMovie& movie) const {
    std::vector<Step> steps;
    const std::uint64_t bitmaps = movie.Bitmaps.empty() ? 0 : BitmapsKey(movie);
    for (const auto& [depth, place] : movie.DisplayList) {
        if (place.IsMask) continue;
        auto shape = movie.Shapes.find(place.CharacterId);
        if (shape == movie.Shapes.end()) continue;
        const std::uint64_t placeKey = Mix(PlacementKey(place), bitmaps);
        for (const LayerSpan& span : shape->second->Layers) {
            std::uint64_t key = Mix(placeKey, span.Hash);
            key = Mix(key, (std::uint64_t{static_cast<std::uint32_t>(span.PenX)} << 32) | static_cast<std::uint32_t>(span.PenY));
            steps.push_back({&place, shape->second.get(), &span, Mix(key, shape->second->TagCode)});
        }
    }
    return steps;
}

void StageRenderer::Render(const ParsedMovie& movie, const StageOptions& options, QImage& image, std::string& reason) {
    const int stageW = std::max(options.Width, 1), stageH = std::max(options.Height, 1);
    const QRect view = options.Viewport.isEmpty() ? QRect(0, 0, stageW, stageH) : options.Viewport;
    const int w = view.width(), h = view.height();
    const std::vector<Step> steps = StepsOf(movie);
    std::vector<std::uint64_t> keys(steps.size());
    for (std::size_t i = 0; i < steps.size(); ++i) keys[i] = steps[i].Key;

    const SwfRect& f = movie.Header.FrameSize;
    std::uint64_t settings = Mix(Mix(static_cast<std::uint64_t>(w) << 32 | static_cast<std::uint32_t>(h), options.Background),
                                 options.AntiAlias);
    settings = Mix(Mix(settings, (std::uint64_t{static_cast<std::uint32_t>(f.Xmin)} << 32) | static_cast<std::uint32_t>(f.Xmax)),
                   (std::uint64_t{static_cast<std::uint32_t>(f.Ymin)} << 32) | static_cast<std::uint32_t>(f.Ymax));
    settings = Mix(settings, movie.Header.Version);
    settings = Mix(Mix(settings, (std::uint64_t{static_cast<std::uint32_t>(stageW)} << 32) | static_cast<std::uint32_t>(stageH)),
                   (std::uint64_t{static_cast<std::uint32_t>(view.x())} << 32) | static_cast<std::uint32_t>(view.y()));

    // First step that differs from the previous frame.
    std::size_t firstChange = 0;
    if (settings == lastSettings_)
        while (firstChange < keys.size() && firstChange < lastKeys_.size() && keys[firstChange] == lastKeys_[firstChange])
            ++firstChange;
    const bool resume = snapshotStep_ > 0 && settings == lastSettings_ && snapshotStep_ <= firstChange &&
                        snapshot_.width() == w && snapshot_.height() == h;
    // A copy is worth keeping when the same layer changed twice in a row, as
    // while a path is dragged; changes all over the stack would only pay for copies.
    const bool takeSnapshot = std::int64_t{w} * h <= MaxSnapshotPixels && firstChange > 0 &&
                              firstChange < keys.size() && firstChange == lastFirstChange_ &&
                              !(resume && snapshotStep_ == firstChange);

    if (image.width() != w || image.height() != h || image.format() != QImage::Format_ARGB32_Premultiplied)
        image = QImage(w, h, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        reason += (reason.empty() ? "" : "; ") + ("no memory for a " + std::to_string(w) + " x " + std::to_string(h) + " image");
        lastKeys_.clear();
        snapshotStep_ = 0;
        return;
    }
    std::size_t from = 0;
    if (resume) {
        CopyPixels(snapshot_, image);
        from = snapshotStep_;
    } else {
        image.fill(QColor::fromRgb(static_cast<QRgb>(0xFF000000u | (options.Background & 0xFFFFFFu))));
        snapshotStep_ = 0;
    }
    resumedAt_ = from;
    layersDrawn_ = 0;
    {
        // Aliased drawing goes through QPainter; the coverage rasteriser writes the pixels itself.
        std::optional<QPainter> painter;
        const auto beginPainting = [&] {
            if (options.AntiAlias) return;
            painter.emplace(&image);
            painter->setPen(Qt::NoPen);
        };
        beginPainting();
        const QTransform stage =
            StageTransform(movie.Header.FrameSize, stageW, stageH) * QTransform::fromTranslate(-view.x(), -view.y());
        for (std::size_t i = from; i < steps.size(); ++i) {
            if (takeSnapshot && i == firstChange) {
                painter.reset();
                if (snapshot_.size() != image.size() || snapshot_.format() != image.format())
                    snapshot_ = QImage(image.size(), image.format());
                CopyPixels(image, snapshot_);
                snapshotStep_ = firstChange;
                beginPainting();
            }
            const Step& step = steps[i];
            const QTransform transform = ToQTransform(step.Place->Matrix) * stage;
            const double scale = std::sqrt(std::abs(transform.determinant()));
            if (!(scale > 0) || !std::isfinite(scale)) continue;
            LayerPainter lp{image, painter ? &*painter : nullptr, raster_, stroke_, scratch_, movie, bitmaps_,
                            step.Place->ColorTransform, transform, scale, reason};
            lp.Draw(*layers_.Get(*step.Shape, *step.Span));
            ++layersDrawn_;
        }
    }
    // Layers skipped by resuming are still in use.
    for (std::size_t i = 0; i < from; ++i) layers_.Get(*steps[i].Shape, *steps[i].Span);
    layers_.EndFrame();
    bitmaps_.Retain(movie);
    lastKeys_ = std::move(keys);
    lastFirstChange_ = firstChange;
    lastSettings_ = settings;
}
