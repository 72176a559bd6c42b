#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include <QImage>
#include <QRect>
#include <QTransform>

#include "swf/BitmapCache.h"
#include "swf/CoverageRaster.h"
#include "swf/StrokeRaster.h"
#include "swf/MovieData.h"
#include "swf/PreparedLayers.h"

struct StageOptions {
    int Width = 0, Height = 0;
    // The part of the Width x Height stage to draw, in stage pixels; the
    // image takes its size. Empty: the whole stage.
    QRect Viewport;
    std::uint32_t Background = 0xFFFFFF;  // 0xRRGGBB
    bool AntiAlias = true;
};

// Twips of the movie's frame to pixels of a Width x Height stage: uniform
// scale that shows the whole frame, centred.
QTransform StageTransform(const SwfRect& frame, int width, int height);
QTransform ToQTransform(const SwfMatrix& m);

// Draws movies' first frames, keeping what the next frame may reuse: the
// converted layers, the decoded bitmaps, and a copy of the image as it was
// before the first layer that changed last time. When the next movie differs
// from the previous one only from that layer on (a path being edited), the
// drawing resumes from that copy instead of from the background.
class StageRenderer {
public:
    // Draws onto `image` (resized to the stage and filled with the
    // background). Problems met while drawing are appended to `reason`.
    void Render(const ParsedMovie& movie, const StageOptions& options, QImage& image, std::string& reason);

    const LayerCache& Layers() const { return layers_; }
    // Layers drawn by the last Render and the layer it resumed at (0: from the background).
    std::size_t LayersDrawn() const { return layersDrawn_; }
    std::size_t ResumedAt() const { return resumedAt_; }

private:
    struct Step {
        const Placement* Place;
        const ShapeDefinition* Shape;
        const LayerSpan* Span;
        std::uint64_t Key;
    };
    std::vector<Step> StepsOf(const ParsedMovie& movie) const;

    LayerCache layers_;
    CoverageRaster raster_;
    StrokeRaster stroke_;
    QImage scratch_;
    BitmapCache bitmaps_;
    std::vector<std::uint64_t> lastKeys_;
    std::uint64_t lastSettings_ = 0;
    QImage snapshot_;
    std::size_t snapshotStep_ = 0;  // 0: no snapshot
    std::size_t lastFirstChange_ = 0;
    std::size_t layersDrawn_ = 0, resumedAt_ = 0;
};
