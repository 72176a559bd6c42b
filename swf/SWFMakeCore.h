#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/Records.h"
#include "swf/PreviewSplice.h"

// State of the movie writer for one editor run; the main window owns one,
// tests and the command line make their own.
struct SWFMakeCore {
    // The movie being built. Empty between builds: a build starts with the
    // header at index 0 and ends when the bytes are taken or written. Its
    // capacity is kept, so a rebuild does not allocate the movie afresh.
    std::string MovieBuffer;
    // Scratch for the shape records of a build, kept for its capacity too.
    BitString ShapeBits;
    // The last preview movie, which the next preview build splices into.
    PreviewSplice LastPreview;
    // ShowFrame tags written since the header of the current build.
    std::int32_t FrameCounter = 0;

    // The underlay's tags as bytes (everything after a movie header). A single
    // byte means stale: nothing cached.
    std::string UnderlayTagCache = std::string(1, '\0');
    // Paths of an underlay document, used 1-based like DrawCore::Paths.
    std::vector<PathShape> UnderlayPaths = std::vector<PathShape>(1);
    // Mirrors of the main window's check boxes: show the underlay in the
    // preview ("下絵"), and place it in front of the drawing.
    bool ShowUnderlay = false;
    bool UnderlayInFront = false;

    // Player properties set by the last rebuild; the preview owner hands them
    // to the player. BackgroundColor is 0xRRGGBB.
    std::int32_t BackgroundColor = 0xFFFFFF;
    std::string Quality2 = "high";
};
