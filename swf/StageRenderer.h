#pragma once
#include <cstdint>
#include <memory>
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
    // While a drag changes the same layers frame after frame, the layers above
    // them may come from a cached image laid over: faster, within 2 per channel.
    bool AllowComposite = false;
    // Threads that draw bands of a large image side by side; 0: one per core.
    int Threads = 0;
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
    // True when the last image laid cached layers over the changed ones.
    bool Approximate() const { return approximate_; }

private:
    struct Step {
        const Placement* Place;
        const ShapeDefinition* Shape;
        const LayerSpan* Span;
        std::uint64_t Key;
    };
    std::vector<Step> StepsOf(const ParsedMovie& movie) const;
    struct Drawn {
        std::shared_ptr<const PreparedLayer> Layer;  // null: not drawable
        QTransform Transform;
        double Scale = 0;
        QRect Bounds;  // pixels it may touch
    };
    struct Frame {
        const ParsedMovie& Movie;
        const StageOptions& Options;
        std::vector<Step> Steps;
        std::vector<std::uint64_t> Keys;
        std::vector<Drawn> Layers;
        std::uint64_t Settings = 0;
        std::size_t FirstChange = 0;
        std::vector<std::size_t> Changed;  // steps whose key differs from the previous frame's
        bool SameSteps = false;            // as many steps as before, same settings
    };
    // What one drawing thread draws with.
    struct Tools {
        CoverageRaster Raster;
        StrokeRaster Stroke;
        QImage Scratch;  // a bitmap's pixels under the path being filled
    };
    // Every layer of the frame placed on the stage: as in the previous frame
    // where its step kept its key under the same settings (a drag's step then
    // costs nothing per unchanged layer), else converted or taken from the cache.
    void PlaceLayers(Frame& frame, const QTransform& stage, const QRect& image);
    void DrawSteps(const Frame& frame, QImage& target, std::size_t from, std::size_t to, const QRect& clip, std::string& reason);
    void DrawBand(const Frame& frame, QImage& target, Tools& tools, std::size_t from, std::size_t to, const QRect& clip,
                  const QRect& band, bool ownPaths, std::string& reason);
    void DrawInBands(const Frame& frame, QImage& target, std::size_t from, std::size_t to, const QRect& clip, int bands,
                     int threads, std::string& reason);
    bool CanCompose(const Frame& frame, const QImage& image) const;
    void ComposeChanges(const Frame& frame, QImage& image, std::string& reason);
    bool KeepSnapshot(const QImage& image, std::size_t step);
    bool BuildDragCache(const Frame& frame, QImage& image, std::size_t from, std::string& reason);
    void DrawExact(const Frame& frame, QImage& image, std::size_t from, std::string& reason);

    LayerCache layers_;
    std::vector<Tools> tools_ = std::vector<Tools>(1);  // the first is the calling thread's
    BitmapCache bitmaps_;
    std::vector<std::uint64_t> lastKeys_;
    std::uint64_t lastSettings_ = 0;
    QImage snapshot_;
    std::size_t snapshotStep_ = 0;  // 0: no snapshot
    std::size_t lastFirstChange_ = 0;
    std::vector<std::size_t> lastChanged_;
    // The previous frame's layers: taken over where a step kept its key (a
    // taken layer keeps its bounds), and where the others were drawn.
    std::vector<Drawn> lastLayers_;
    qint64 lastImageKey_ = 0;
    bool approximate_ = false;
    // While a drag changes the same few layers frame after frame: the image
    // below the lowest of them is the snapshot, and Runs[i] holds the layers
    // between changing layer i and the next one (the last: up to the top),
    // drawn on transparency, cropped to RunBounds[i] (null when empty).
    struct DragCache {
        std::vector<std::size_t> Changing;
        std::vector<QImage> Runs;
        std::vector<QRect> RunBounds;
        std::vector<std::uint64_t> Keys;  // every step's key when it was built
        std::uint64_t Settings = 0;
        bool Valid = false;
    } drag_;
    std::size_t layersDrawn_ = 0, resumedAt_ = 0;
};
