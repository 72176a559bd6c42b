#pragma once
#include <cstdint>
#include <string>

#include "core/DrawCore.h"
#include "swf/SWFMakeCore.h"

// The preview movie of the document: header, the cached underlay tags when
// shown, one DefineShape3 of every path (character 1), its placement at depth
// 259, ShowFrame and End. Fills stale ShapeCache fields of doc.Paths. The
// movie is kept in mk.LastPreview: when only paths whose records keep their
// length changed since the last build, their bytes are overwritten in place;
// otherwise it is assembled anew. Valid until the next build with `mk`.
const std::string& UpdatePreviewMovie(SWFMakeCore& mk, DrawCore& doc);
// A copy of UpdatePreviewMovie: exactly the bytes RebuildPreview writes.
std::string BuildPreviewMovie(SWFMakeCore& mk, DrawCore& doc);

// Writes the preview movie into doc.TempMoviePath and sets the player
// properties BackgroundColor and Quality2 of `mk`. When the file cannot be
// written the previous preview file stays, `error` gets a line for the status
// label, and the result is false.
bool RebuildPreview(SWFMakeCore& mk, DrawCore& doc, std::string& error);
// Sets the player properties BackgroundColor and Quality2 of `mk` from the
// canvas settings, as RebuildPreview does.
void SetPlayerProperties(SWFMakeCore& mk, const CanvasSetup& setup);

// Marks the underlay's cached tags stale.
void InvalidateUnderlay(SWFMakeCore& mk);

// Player colour 0xRRGGBB of the canvas background.
std::int32_t BackgroundColorOf(const CanvasSetup& setup);
// Player quality name of Setup.Quality 0..3; empty for any other value.
std::string QualityName(std::int16_t quality);
