#pragma once
#include <cstdint>
#include <string>

#include <QImage>
#include <QTransform>

#include "swf/BitmapCache.h"
#include "swf/MovieData.h"
#include "swf/PreparedLayers.h"

struct StageOptions {
    int Width = 0, Height = 0;
    std::uint32_t Background = 0xFFFFFF;  // 0xRRGGBB
    bool AntiAlias = true;
};

// Twips of the movie's frame to pixels of a Width x Height stage: uniform
// scale that shows the whole frame, centred.
QTransform StageTransform(const SwfRect& frame, int width, int height);
QTransform ToQTransform(const SwfMatrix& m);

// Draws the movie's first frame onto `image` (resized to the stage and
// filled with the background). Problems met while drawing are appended to `reason`.
void RenderStage(const ParsedMovie& movie, const StageOptions& options, LayerCache& layers, BitmapCache& bitmaps,
                 QImage& image, std::string& reason);
