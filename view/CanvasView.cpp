#include "view/CanvasView.h"

#include <QElapsedTimer>
#include <algorithm>
#include <optional>

#include "view/BusyCursor.h"

#include "view/CanvasSurface.h"

namespace {
QScrollBar* MakeScrollBar(Qt::Orientation orientation, QWidget* parent, const char* name) {
    auto* bar = new QScrollBar(orientation, parent);
    bar->setObjectName(name);
    bar->setSingleStep(50);
    bar->setPageStep(100);
    bar->setRange(0, 0);
    return bar;
}

void ApplyRange(QScrollBar* bar, const ScrollRange& range) {
    if (!range.Enabled) {
        bar->setValue(0);
        bar->setRange(0, 0);
        bar->setEnabled(false);
        return;
    }
    bar->setEnabled(true);
    bar->setRange(range.Min, range.Max);
}
}  // namespace

CanvasView::CanvasView(QWidget* parent)
    : Picture1(new CanvasWidget(parent)),
      HScroll1(MakeScrollBar(Qt::Horizontal, Picture1, "HScroll1")),
      VScroll1(MakeScrollBar(Qt::Vertical, Picture1, "VScroll1")) {}

ViewGeometry CanvasView::Geometry(float zoomRate) const {
    ViewGeometry g;
    g.ScrollX = HScroll1->value();
    g.ScrollY = VScroll1->value();
    g.ScaleWidth = Picture1->width();
    g.ScaleHeight = Picture1->height();
    g.VScrollWidth = VScroll1->width();
    g.HScrollHeight = HScroll1->height();
    g.PlayerWidth = PlayerWidth;
    g.PlayerHeight = PlayerHeight;
    g.ZoomRate = zoomRate;
    return g;
}

void CanvasView::LayoutScrollBars() {
    const int barW = VScroll1->sizeHint().width();
    const int barH = HScroll1->sizeHint().height();
    const int w = Picture1->width(), h = Picture1->height();
    HScroll1->setGeometry(0, h - barH, std::max(0, w - barW), barH);
    VScroll1->setGeometry(w - barW, 0, barW, std::max(0, h - barH));
}

void CanvasView::SetScrollRanges(float zoomRate, const CanvasSetup& setup) {
    const ViewGeometry g = Geometry(zoomRate);
    ApplyRange(HScroll1, ComputeScrollRange(g.ScaleWidth - g.VScrollWidth, zoomRate, setup.CanvasWidth));
    ApplyRange(VScroll1, ComputeScrollRange(g.ScaleHeight - g.HScrollHeight, zoomRate, setup.CanvasHeight));
}

DrawingArea CanvasView::PaintMovie(int mode, float zoomRate, const CanvasSetup& setup, const std::string& moviePath) {
    PlayerWidth = zoomRate * static_cast<float>(setup.CanvasWidth);
    PlayerHeight = zoomRate * static_cast<float>(setup.CanvasHeight);
    const DrawingArea a = ComputeDrawingArea(Geometry(zoomRate));
    ShockwaveFlash1.Movie = moviePath;
    CanvasSurface surface(*Picture1);
    // The stage at zoom × ratio, as `--render` sizes it, from the device
    // pixel where the drawing area begins.
    const float deviceZoom = zoomRate * static_cast<float>(surface.Ratio());
    const auto side = [deviceZoom](std::int32_t canvasSide) {
        return static_cast<int>(std::clamp(StageSide(deviceZoom, canvasSide), 0.0, 1073741824.0));
    };
    const QSize size(side(setup.CanvasWidth), side(setup.CanvasHeight));
    const bool drawn = a.Right > a.Left && a.Bottom > a.Top && !size.isEmpty();
    stage_ = QRect(QPoint(surface.ToDevice(a.Left), surface.ToDevice(a.Top)), drawn ? size : QSize(0, 0));
    QRect shown;  // the player's image on the canvas
    const QImage* image = nullptr;
    if (const std::optional<QRect> viewport = drawn ? PlayerViewport(stage_) : std::nullopt) {
        image = &RenderPlayer(stage_.width(), stage_.height(), *viewport);
        shown = QRect(stage_.topLeft() + viewport->topLeft(), image->size());
    }
    // With the player's image as last painted and in the same place, only the
    // pixels overlays drew over since then are painted again.
    QRect& damage = Picture1->Damage();
    const bool same = mode > 0 && image && shown == shown_ && ShockwaveFlash1.RenderCount() == shownRender_;
    const QRect area = same ? damage : Picture1->Image().rect();
    const QColor blank(255, 255, 255);
    if (mode == 0) surface.Clear(blank);
    if (image) surface.DrawDeviceImage(shown.topLeft(), *image, area);
    if (mode > 0) {
        const int sw = Picture1->Image().width(), sh = Picture1->Image().height();
        const int left = shown.left(), top = shown.top(), right = left + shown.width(), bottom = top + shown.height();
        for (const QRect& margin : {QRect(0, 0, sw, top), QRect(QPoint(0, top), QPoint(left - 1, bottom - 1)),
                                    QRect(QPoint(right, top), QPoint(sw - 1, bottom - 1)),
                                    QRect(QPoint(0, bottom), QPoint(sw - 1, sh - 1))})
            surface.FillDeviceRect(margin & area, blank);
    }
    shown_ = shown;
    shownRender_ = ShockwaveFlash1.RenderCount();
    damage = QRect();
    return a;
}

std::optional<QRect> CanvasView::PlayerViewport(const QRect& stage) const {
    if (std::int64_t{stage.width()} * stage.height() <= MaxWholeStagePixels) return QRect();
    // A deeply magnified drawing is drawn only where the canvas shows it.
    const QRect visible = stage.intersected(Picture1->Image().rect());
    if (visible.isEmpty()) return std::nullopt;
    return visible.translated(-stage.topLeft());
}

const QImage& CanvasView::RenderPlayer(int width, int height, const QRect& viewport) {
    // A drawing whose last render took long shows the busy cursor while it is drawn again.
    std::optional<BusyCursor> busy;
    if (slowRender_) busy.emplace();
    const std::size_t renders = ShockwaveFlash1.RenderCount();
    QElapsedTimer timer;
    timer.start();
    const QImage& image = ShockwaveFlash1.Render(width, height, viewport);
    if (ShockwaveFlash1.RenderCount() != renders) slowRender_ = timer.elapsed() > SlowRenderMs;
    return image;
}
