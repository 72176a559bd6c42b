#pragma once
#include <QScrollBar>
#include <optional>
#include <string>

#include "core/Records.h"
#include "swf/SwfPlayer.h"
#include "view/CanvasWidget.h"
#include "view/ViewMapping.h"

// The canvas with its two scroll bars inside it and the hidden player whose
// image it shows.
class CanvasView {
public:
    // Up to this size the player draws the whole magnified drawing, so that
    // scrolling reuses its image; beyond it only the visible part.
    static constexpr std::int64_t MaxWholeStagePixels = std::int64_t{1} << 22;

    explicit CanvasView(QWidget* parent);

    CanvasWidget* Picture1;
    QScrollBar* HScroll1;
    QScrollBar* VScroll1;
    SwfPlayer ShockwaveFlash1;
    // The player control's size, set by every redraw.
    float PlayerWidth = 320;
    float PlayerHeight = 320;

    // The mapping's inputs, read afresh from the controls.
    ViewGeometry Geometry(float zoomRate) const;
    // Places the scroll bars along the canvas' bottom and right edges.
    void LayoutScrollBars();
    // Sets both scroll ranges for the magnified canvas.
    void SetScrollRanges(float zoomRate, const CanvasSetup& setup);
    // Sizes the player, hands it the movie file and paints its image at the
    // drawing area; mode 0 clears first, modes above 0 blank the four margins.
    // The player draws at zoom × the canvas' device pixel ratio, and its image
    // is copied 1:1 in device pixels.
    DrawingArea PaintMovie(int mode, float zoomRate, const CanvasSetup& setup, const std::string& moviePath);

    // The player's whole stage on the canvas image, in device pixels, as the last redraw placed it.
    const QRect& Stage() const { return stage_; }
    // The part of the player's stage drawn for a stage at `stage` on the
    // canvas image: an empty rect for the whole stage, else the part the
    // canvas shows; none when the canvas shows none of it.
    std::optional<QRect> PlayerViewport(const QRect& stage) const;

private:
    static constexpr qint64 SlowRenderMs = 100;
    const QImage& RenderPlayer(int width, int height, const QRect& viewport);
    bool slowRender_ = false;
    QRect stage_;
    QRect shown_;  // the player's image on the canvas as last painted, and its render
    std::size_t shownRender_ = 0;
};
