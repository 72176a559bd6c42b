#include "swf/StageRenderer.h"

#include "swf/CoverageFill.h"
#include "swf/GradientShade.h"
#include "swf/WorkerThreads.h"

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

QColor ToQColor(const SwfColorTransform& cx, SwfColor c) {
    const SwfColor t = ApplyColorTransform(cx, c);
    return QColor(t.R, t.G, t.B, t.A);
}

bool IsGradient(const FillStyle& fill) {
    return fill.Type == FillLinearGradient || fill.Type == FillRadialGradient || fill.Type == FillFocalGradient;
}

CoverageRaster::Box BoxOf(const QRect& r) { return {r.left(), r.top(), r.right() + 1, r.bottom() + 1}; }

// Draws layers onto the stage image: anti-aliased through the coverage
// rasteriser, whose time stays proportional to the edges whatever their
// crossings, or aliased with QPainter for "low" quality.
struct LayerPainter {
    QImage& Image;
    QPainter* Painter;  // aliased drawing; null: anti-aliased
    CoverageRaster& Raster;
    StrokeRaster& Stroke;
    QImage& Scratch;  // a bitmap's pixels under the path being filled
    const ParsedMovie& Movie;
    BitmapCache& Bitmaps;
    const SwfColorTransform& Cx;
    QTransform Transform;
    double PixelsPerTwip;
    std::string& Reason;
    QRect Clip;  // the pixels it may change
    QRect Band;  // the rows of them it changes: all, or one band of the image
    // Set when other threads draw the same layers: QPainter then gets paths of
    // its own, as a shared path keeps a cache of QPainter's with no guard.
    bool OwnPaths = false;

    void StartFill() {
        Raster.Reset(BoxOf(Clip));
        Raster.LimitRows(Band.top(), Band.bottom() + 1);
    }

    void Fill(const FillStyle& fill, const std::vector<PathCommand>& path) {
        if (fill.Type == FillSolid) {
            FillSolidColor(path, ToQColor(Cx, fill.Color));
        } else if (!IsGradient(fill)) {
            FillBitmap(fill, path);
        } else if (!fill.Stops.empty()) {
            const std::optional<GradientShade> shade = GradientShade::Of(fill, Cx, Transform);
            if (!shade) {
                FillSolidColor(path, ToQColor(Cx, fill.Stops.back().Color));
                return;
            }
            StartFill();
            AddPath(Raster, path, Transform);
            FillGradient(Raster, FillRule::EvenOdd, Image, *shade);
        }
    }

    void FillSolidColor(const std::vector<PathCommand>& path, const QColor& colour) {
        StartFill();
        AddPath(Raster, path, Transform);
        FillColor(Raster, FillRule::EvenOdd, Image, qPremultiply(colour.rgba()));
    }

    // The aliased fill, all through QPainter.
    void PaintFill(const FillStyle& fill, const QPainterPath& path) {
        if (fill.Type == FillSolid) {
            Painter->fillPath(path, ToQColor(Cx, fill.Color));
        } else if (!IsGradient(fill)) {
            PaintBitmap(fill, path);
        } else if (!fill.Stops.empty()) {
            if (ToQTransform(fill.Matrix).isInvertible())
                Painter->fillPath(path, GradientBrush(fill, Cx));
            else
                Painter->fillPath(path, ToQColor(Cx, fill.Stops.back().Color));
        }
    }

    // Lines of one pixel go through QPainter's thin-line drawing, which is
    // linear in their length; wider ones through the stroke rasteriser.
    void StrokeSmooth(const PreparedLayer& layer, std::size_t i, double width, const QColor& colour) {
        if (colour.alpha() == 0) return;
        if (width * PixelsPerTwip <= 1.0 + 1e-9) {
            QPainter painter(&Image);
            painter.setClipRect(Clip & Band);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setTransform(Transform);
            const QPen pen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
            if (OwnPaths)
                painter.strokePath(ToPainterPath(layer.LinePaths[i].Commands), pen);
            else
                painter.strokePath(layer.LinePainterPath(i), pen);
            return;
        }
        Stroke.Reset(BoxOf(Clip), width * PixelsPerTwip);
        Stroke.LimitRows(Band.top(), Band.bottom() + 1);
        AddPath(Stroke, layer.LinePaths[i].Commands, Transform);
        StrokeColor(Stroke, Image, qPremultiply(colour.rgba()));
    }

    const QImage* BitmapOf(const FillStyle& fill) {
        std::string why;
        const QImage* image = Bitmaps.Get(Movie, fill.BitmapId, Cx, why);
        if (!image && !why.empty() && Reason.find(why) == std::string::npos)
            Reason += (Reason.empty() ? "" : "; ") + why;
        return image;
    }

    // Paints the bitmap over the path's bounds into the scratch image, then
    // composes it through the path's coverage.
    void FillBitmap(const FillStyle& fill, const std::vector<PathCommand>& path) {
        const QImage* image = BitmapOf(fill);
        if (!image) return;
        StartFill();
        AddPath(Raster, path, Transform);
        const CoverageRaster::Box box = Raster.Bounds();
        const QSize size(box.Right - box.Left, box.Bottom - box.Top);
        if (size.isEmpty()) return;
        if (Scratch.width() < size.width() || Scratch.height() < size.height())
            Scratch = QImage(Scratch.size().expandedTo(size), QImage::Format_ARGB32_Premultiplied);
        if (Scratch.isNull()) return;
        const bool smooth = SoftBitmap(fill) && Movie.Header.Version >= 8;
        const QTransform toDevice = ToQTransform(fill.Matrix) * Transform * QTransform::fromTranslate(-box.Left, -box.Top);
        {
            QPainter p(&Scratch);
            p.setClipRect(QRect(QPoint(0, 0), size));
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.fillRect(QRect(QPoint(0, 0), size), Qt::transparent);
            p.setCompositionMode(QPainter::CompositionMode_SourceOver);
            p.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
            if (ClippedBitmap(fill)) {
                p.setTransform(toDevice);
                p.drawImage(0, 0, *image);
            } else {
                QBrush brush(*image);
                brush.setTransform(toDevice);
                p.fillRect(QRect(0, 0, Scratch.width(), Scratch.height()), brush);
            }
        }
        FillPattern(Raster, FillRule::EvenOdd, Image, Scratch, QPoint(box.Left, box.Top));
    }

    void PaintBitmap(const FillStyle& fill, const QPainterPath& path) {
        const QImage* image = BitmapOf(fill);
        if (!image) return;
        Painter->save();
        Painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
        if (ClippedBitmap(fill)) {
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

    static bool SoftBitmap(const FillStyle& f) { return f.Type == FillRepeatingBitmap || f.Type == FillClippedBitmap; }
    static bool ClippedBitmap(const FillStyle& f) {
        return f.Type == FillClippedBitmap || f.Type == FillClippedBitmapHard;
    }

    void Draw(const PreparedLayer& layer) {
        if (Painter) Painter->setTransform(Transform);
        for (std::size_t i = 0; i < layer.FillPaths.size(); ++i) {
            const FillStyle& fill = layer.Fills[layer.FillPaths[i].Style - 1];
            if (Painter)
                PaintFill(fill, layer.FillPainterPath(i));
            else
                Fill(fill, layer.FillPaths[i].Commands);
        }
        for (std::size_t i = 0; i < layer.LinePaths.size(); ++i) {
            const LineStyle& line = layer.Lines[layer.LinePaths[i].Style - 1];
            // Never thinner than one device pixel; a 0-twip line is a hairline.
            const double width = std::max<double>(line.Width, 1.0 / PixelsPerTwip);
            if (Painter)
                Painter->strokePath(layer.LinePainterPath(i),
                                    QPen(ToQColor(Cx, line.Color), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            else
                StrokeSmooth(layer, i, width, ToQColor(Cx, line.Color));
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
        h = Mix(Mix(h, id), static_cast<std::uint64_t>(bitmap->TagCode));
        for (const std::vector<std::uint8_t>* bytes : {&bitmap->Jpeg, &bitmap->Alpha, &bitmap->Lossless}) {
            std::uint64_t word = 0;
            for (std::size_t i = 0; i < bytes->size(); ++i) {
                word = (word << 8) | (*bytes)[i];
                if ((i & 7) == 7) h = Mix(h, word);
            }
            h = Mix(Mix(h, word), bytes->size());
        }
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
            if (span.UsesPen)
                key = Mix(key, (std::uint64_t{static_cast<std::uint32_t>(span.PenX)} << 32) | static_cast<std::uint32_t>(span.PenY));
            steps.push_back({&place, shape->second.get(), &span, Mix(key, shape->second->TagCode)});
        }
    }
    return steps;
}

namespace {

// The pixels a layer may touch: its bounds, the reach of its lines and the
// anti-aliasing rim around them, within the image. A line is a round pen of
// its width at the placement's mean scale, or QPainter's pen stretched as the
// placement stretches: neither reaches farther than the width at the matrix's
// largest stretch, which its Frobenius norm bounds.
QRect DeviceBounds(const PreparedLayer& layer, const QTransform& t, double pixelsPerTwip, const QRect& image) {
    if (!layer.HasPoints) return {};
    double reach = 2;
    if (!layer.LinePaths.empty()) {
        const double stretch = std::sqrt(t.m11() * t.m11() + t.m12() * t.m12() + t.m21() * t.m21() + t.m22() * t.m22());
        reach += std::max(layer.Reach, 0.5 / pixelsPerTwip) * stretch;
    }
    const QRectF r = t.mapRect(layer.Bounds).adjusted(-reach, -reach, reach, reach) & QRectF(image);
    if (r.isEmpty() || !std::isfinite(r.left()) || !std::isfinite(r.top())) return {};
    return r.toAlignedRect() & image;
}

void CopyRect(const QImage& from, QImage& to, const QRect& r) {
    const std::size_t bytes = static_cast<std::size_t>(r.width()) * 4;
    for (int y = r.top(); y <= r.bottom(); ++y)
        std::memcpy(to.scanLine(y) + std::size_t{4} * r.left(), from.constScanLine(y) + std::size_t{4} * r.left(), bytes);
}

void ClearRect(QImage& image, const QRect& r) {
    const std::size_t bytes = static_cast<std::size_t>(r.width()) * 4;
    for (int y = r.top(); y <= r.bottom(); ++y) std::memset(image.scanLine(y) + std::size_t{4} * r.left(), 0, bytes);
}

// More changing layers than this (many paths moved at once) are drawn by the
// ordinary road: each needs an image of the layers above it.
constexpr std::size_t MaxChangingLayers = 16;
// The images of a drag cache (the one below the changing layers, the one the
// runs are drawn in, and each run where it draws) stay within this many pixels.
constexpr std::int64_t MaxDragCachePixels = std::int64_t{1} << 25;

// Bands drawn side by side are at least this many rows high.
constexpr int MinBandRows = 64;

// Overlapping rects merged, so that no pixel is laid together twice.
std::vector<QRect> MergeRects(std::vector<QRect> rects) {
    for (std::size_t i = 0; i < rects.size();) {
        bool merged = false;
        for (std::size_t j = i + 1; j < rects.size() && !merged; ++j) {
            if (!rects[i].intersects(rects[j])) continue;
            rects[i] |= rects[j];
            rects.erase(rects.begin() + static_cast<std::ptrdiff_t>(j));
            merged = true;
        }
        if (!merged) ++i;
    }
    return rects;
}

}  // namespace

void StageRenderer::DrawSteps(const Frame& frame, QImage& target, std::size_t from, std::size_t to, const QRect& clip,
                              std::string& reason) {
    std::size_t drawable = 0;
    for (std::size_t i = from; i < to; ++i) drawable += frame.Layers[i].Layer != nullptr;
    layersDrawn_ += drawable;
    const int threads = WorkerCount(frame.Options.Threads);
    // Bands side by side when the image is large and anti-aliased; a bitmap
    // fill is decoded through the shared cache, so such a movie is drawn whole.
    const int bands = std::min(2 * threads, clip.height() / MinBandRows);
    if (threads > 1 && bands > 1 && drawable > 1 && frame.Options.AntiAlias && frame.Movie.Bitmaps.empty())
        DrawInBands(frame, target, from, to, clip, bands, std::min(threads, bands), reason);
    else
        DrawBand(frame, target, tools_.front(), from, to, clip, clip, false, reason);
}

void StageRenderer::DrawBand(const Frame& frame, QImage& target, Tools& tools, std::size_t from, std::size_t to,
                             const QRect& clip, const QRect& band, bool ownPaths, std::string& reason) {
    std::optional<QPainter> painter;
    if (!frame.Options.AntiAlias) {
        painter.emplace(&target);
        painter->setPen(Qt::NoPen);
        painter->setClipRect(clip & band);
    }
    const QRect area = clip & band;
    for (std::size_t i = from; i < to; ++i) {
        const Drawn& d = frame.Layers[i];
        if (!d.Layer || !area.intersects(d.Bounds)) continue;
        LayerPainter lp{target, painter ? &*painter : nullptr, tools.Raster, tools.Stroke, tools.Scratch, frame.Movie, bitmaps_,
                        frame.Steps[i].Place->ColorTransform, d.Transform, d.Scale, reason, clip, band, ownPaths};
        lp.Draw(*d.Layer);
    }
}

// Draws the steps in bands of rows, several threads taking the next band in
// turn. Each thread paints through an image of its own over the same pixels,
// and only within its band, so the result is the single thread's to the bit.
// The layers are only read: what QPainter needs is made per thread.
void StageRenderer::DrawInBands(const Frame& frame, QImage& target, std::size_t from, std::size_t to, const QRect& clip,
                                int bands, int threads, std::string& reason) {
    if (tools_.size() < static_cast<std::size_t>(threads)) tools_.resize(static_cast<std::size_t>(threads));
    uchar* bits = target.bits();  // detaches here, before the threads share the pixels
    std::vector<QImage> views;
    for (int t = 0; t < threads; ++t) views.emplace_back(bits, target.width(), target.height(), target.bytesPerLine(), target.format());
    std::vector<std::string> reasons(static_cast<std::size_t>(bands));
    ForEachOnWorkers(static_cast<std::size_t>(bands), threads, [&](std::size_t b, int t) {
        const int top = clip.top() + static_cast<int>(std::int64_t{clip.height()} * static_cast<int>(b) / bands);
        const int bottom = clip.top() + static_cast<int>(std::int64_t{clip.height()} * static_cast<int>(b + 1) / bands);
        const QRect band(clip.left(), top, clip.width(), bottom - top);
        const auto w = static_cast<std::size_t>(t);
        DrawBand(frame, views[w], tools_[w], from, to, clip, band, true, reasons[b]);
    });
    for (const std::string& r : reasons)
        if (!r.empty() && reason.find(r) == std::string::npos) reason += (reason.empty() ? "" : "; ") + r;
}

// True when the drag cache holds this frame: the same stage, and every step
// but the changing ones as it was when the cache was built.
bool StageRenderer::CanCompose(const Frame& frame, const QImage& image) const {
    const DragCache& c = drag_;
    if (!frame.Options.AllowComposite || !c.Valid || c.Settings != frame.Settings || !frame.SameSteps ||
        c.Keys.size() != frame.Keys.size() || lastLayers_.size() != frame.Keys.size() ||
        image.cacheKey() != lastImageKey_ || snapshot_.size() != image.size() || snapshotStep_ != c.Changing.front())
        return false;
    std::size_t k = 0;
    for (std::size_t i = 0; i < frame.Keys.size(); ++i) {
        if (k < c.Changing.size() && c.Changing[k] == i)
            ++k;
        else if (frame.Keys[i] != c.Keys[i])
            return false;
    }
    return true;
}

// A drag frame: where a layer changed, the image below the changing layers,
// then each changing layer with the image of the layers above it laid over.
void StageRenderer::ComposeChanges(const Frame& frame, QImage& image, std::string& reason) {
    std::vector<QRect> dirty;
    for (const std::size_t i : frame.Changed)
        if (const QRect r = lastLayers_[i].Bounds | frame.Layers[i].Bounds; !r.isEmpty()) dirty.push_back(r);
    resumedAt_ = snapshotStep_;
    layersDrawn_ = 0;
    const DragCache& c = drag_;
    for (const QRect& r : MergeRects(std::move(dirty))) {
        CopyRect(snapshot_, image, r);
        for (std::size_t k = 0; k < c.Changing.size(); ++k) {
            DrawSteps(frame, image, c.Changing[k], c.Changing[k] + 1, r, reason);
            if (!c.Runs[k].isNull() && r.intersects(c.RunBounds[k]))
                ComposeOver(image, c.Runs[k], r & c.RunBounds[k], c.RunBounds[k].topLeft());
        }
    }
}

// Copies the image, holding the steps below `step`, as the snapshot; false
// (and no snapshot) when there is no memory for it.
bool StageRenderer::KeepSnapshot(const QImage& image, std::size_t step) {
    if (snapshot_.size() != image.size() || snapshot_.format() != image.format())
        snapshot_ = QImage(image.size(), image.format());
    if (snapshot_.isNull()) {
        snapshotStep_ = 0;
        return false;
    }
    CopyPixels(image, snapshot_);
    snapshotStep_ = step;
    return true;
}

// Draws the frame from step `from` on (the image holds the steps below it),
// keeping for the next frames the image below the changing steps and each run
// of steps above one of them, which the frame is laid together from. Each run
// is drawn in a full-size image, so that its pixels are those of a whole
// render, and kept cropped to where it draws. False, with the frame drawn the
// ordinary road, when the cache would not fit.
bool StageRenderer::BuildDragCache(const Frame& frame, QImage& image, std::size_t from, std::string& reason) {
    DragCache& c = drag_;
    c.Valid = false;
    std::vector<QRect> bounds(frame.Changed.size());
    std::int64_t pixels = 2 * std::int64_t{image.width()} * image.height();
    for (std::size_t k = 0; k < bounds.size(); ++k) {
        const std::size_t end = k + 1 < bounds.size() ? frame.Changed[k + 1] : frame.Keys.size();
        for (std::size_t i = frame.Changed[k] + 1; i < end; ++i) bounds[k] |= frame.Layers[i].Bounds;
        pixels += std::int64_t{bounds[k].width()} * bounds[k].height();
    }
    QImage scratch;
    if (pixels <= MaxDragCachePixels) scratch = QImage(image.size(), QImage::Format_ARGB32_Premultiplied);
    if (scratch.isNull()) {  // too large, or no memory
        DrawExact(frame, image, from, reason);
        return false;
    }
    c.Changing = frame.Changed;
    c.RunBounds = std::move(bounds);
    DrawSteps(frame, image, from, c.Changing.front(), image.rect(), reason);
    if (!KeepSnapshot(image, c.Changing.front())) {
        DrawSteps(frame, image, c.Changing.front(), frame.Keys.size(), image.rect(), reason);
        return false;
    }
    c.Runs.assign(c.Changing.size(), QImage());
    for (std::size_t k = 0; k < c.Changing.size(); ++k) {
        const std::size_t begin = c.Changing[k] + 1;
        const std::size_t end = k + 1 < c.Changing.size() ? c.Changing[k + 1] : frame.Keys.size();
        DrawSteps(frame, image, c.Changing[k], begin, image.rect(), reason);
        const QRect& r = c.RunBounds[k];
        if (r.isEmpty()) continue;
        ClearRect(scratch, r);
        DrawSteps(frame, scratch, begin, end, r, reason);
        ComposeOver(image, scratch, r);
        c.Runs[k] = scratch.copy(r);
        if (c.Runs[k].isNull()) {  // no memory: the rest is drawn directly
            DrawSteps(frame, image, end, frame.Keys.size(), image.rect(), reason);
            return false;
        }
    }
    c.Keys = frame.Keys;
    c.Settings = frame.Settings;
    c.Valid = true;
    return true;
}

// The ordinary road from step `from` on. When the same step changed first
// twice in a row, as while a path is edited, the image below it is kept.
void StageRenderer::DrawExact(const Frame& frame, QImage& image, std::size_t from, std::string& reason) {
    const std::size_t first = frame.FirstChange;
    const bool takeSnapshot = std::int64_t{image.width()} * image.height() <= MaxSnapshotPixels && first > 0 &&
                              first < frame.Keys.size() && first == lastFirstChange_ && from < first;
    if (takeSnapshot) {
        DrawSteps(frame, image, from, first, image.rect(), reason);
        KeepSnapshot(image, first);
        from = first;
    }
    DrawSteps(frame, image, from, frame.Keys.size(), image.rect(), reason);
}

void StageRenderer::PlaceLayers(Frame& frame, const QTransform& stage, const QRect& image) {
    const std::vector<Step>& steps = frame.Steps;
    frame.Layers.resize(steps.size());
    layers_.Reserve(steps.size());
    const std::size_t kept = frame.Settings == lastSettings_ ? std::min(lastKeys_.size(), lastLayers_.size()) : 0;
    std::vector<std::size_t> placed;
    std::vector<LayerCache::Request> wanted;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        if (i < kept && frame.Keys[i] == lastKeys_[i]) {
            frame.Layers[i] = std::move(lastLayers_[i]);
        } else {
            placed.push_back(i);
            wanted.push_back({steps[i].Shape, steps[i].Span});
        }
    }
    const std::vector<std::shared_ptr<const PreparedLayer>> layers = layers_.GetAll(wanted, WorkerCount(frame.Options.Threads));
    for (std::size_t k = 0; k < placed.size(); ++k) {
        Drawn& d = frame.Layers[placed[k]];
        d.Transform = ToQTransform(steps[placed[k]].Place->Matrix) * stage;
        d.Scale = std::sqrt(std::abs(d.Transform.determinant()));
        if (!(d.Scale > 0) || !std::isfinite(d.Scale)) continue;
        d.Layer = layers[k];
        d.Bounds = DeviceBounds(*d.Layer, d.Transform, d.Scale, image);
    }
}

void StageRenderer::Render(const ParsedMovie& movie, const StageOptions& options, QImage& image, std::string& reason) {
    const int stageW = std::max(options.Width, 1), stageH = std::max(options.Height, 1);
    const QRect view = options.Viewport.isEmpty() ? QRect(0, 0, stageW, stageH) : options.Viewport;
    const int w = view.width(), h = view.height();
    Frame frame{movie, options, StepsOf(movie), {}, {}, 0, 0, {}, false};
    const std::vector<Step>& steps = frame.Steps;
    std::vector<std::uint64_t>& keys = frame.Keys;
    keys.resize(steps.size());
    for (std::size_t i = 0; i < steps.size(); ++i) keys[i] = steps[i].Key;

    const SwfRect& f = movie.Header.FrameSize;
    std::uint64_t settings = Mix(Mix(static_cast<std::uint64_t>(w) << 32 | static_cast<std::uint32_t>(h), options.Background),
                                 options.AntiAlias);
    settings = Mix(Mix(settings, (std::uint64_t{static_cast<std::uint32_t>(f.Xmin)} << 32) | static_cast<std::uint32_t>(f.Xmax)),
                   (std::uint64_t{static_cast<std::uint32_t>(f.Ymin)} << 32) | static_cast<std::uint32_t>(f.Ymax));
    settings = Mix(settings, movie.Header.Version);
    settings = Mix(Mix(settings, (std::uint64_t{static_cast<std::uint32_t>(stageW)} << 32) | static_cast<std::uint32_t>(stageH)),
                   (std::uint64_t{static_cast<std::uint32_t>(view.x())} << 32) | static_cast<std::uint32_t>(view.y()));
    frame.Settings = settings;

    // The steps that differ from the previous frame: from the first change on,
    // and with as many steps as before, each one that changed.
    std::size_t firstChange = 0;
    if (settings == lastSettings_)
        while (firstChange < keys.size() && firstChange < lastKeys_.size() && keys[firstChange] == lastKeys_[firstChange])
            ++firstChange;
    frame.FirstChange = firstChange;
    frame.SameSteps = settings == lastSettings_ && keys.size() == lastKeys_.size();
    if (frame.SameSteps)
        for (std::size_t i = firstChange; i < keys.size(); ++i)
            if (keys[i] != lastKeys_[i]) frame.Changed.push_back(i);
    const bool resume = snapshotStep_ > 0 && settings == lastSettings_ && snapshotStep_ <= firstChange &&
                        snapshot_.width() == w && snapshot_.height() == h;
    // The same few steps changed twice in a row, as while paths are dragged.
    const bool steadyDrag = options.AllowComposite && !frame.Changed.empty() && frame.Changed == lastChanged_ &&
                            frame.Changed.size() <= MaxChangingLayers;

    if (image.width() != w || image.height() != h || image.format() != QImage::Format_ARGB32_Premultiplied)
        image = QImage(w, h, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        reason += (reason.empty() ? "" : "; ") + ("no memory for a " + std::to_string(w) + " x " + std::to_string(h) + " image");
        lastKeys_.clear();
        snapshotStep_ = 0;
        drag_.Valid = false;
        return;
    }
    const QTransform stage =
        StageTransform(movie.Header.FrameSize, stageW, stageH) * QTransform::fromTranslate(-view.x(), -view.y());
    PlaceLayers(frame, stage, image.rect());

    const bool composed = CanCompose(frame, image);
    bool built = false;
    if (composed) {
        ComposeChanges(frame, image, reason);
    } else {
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
        if (steadyDrag)
            built = BuildDragCache(frame, image, from, reason);
        else
            DrawExact(frame, image, from, reason);
    }
    layers_.EndFrame(steps.size());
    bitmaps_.Retain(movie);
    lastLayers_ = std::move(frame.Layers);
    lastKeys_ = std::move(keys);
    lastFirstChange_ = firstChange;
    lastChanged_ = std::move(frame.Changed);
    lastSettings_ = settings;
    approximate_ = composed || built;
    lastImageKey_ = image.cacheKey();
}
