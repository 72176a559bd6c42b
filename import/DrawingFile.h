#pragma once
#include <string>
#include <vector>

#include "core/DrawCore.h"
#include "core/Records.h"
#include "import/Drawing.h"

// Reading a drawing from a file that may be a Lumivane document, an SVG or a
// movie, chosen by its content and name.
struct DrawingFileResult {
    bool Ok = false;
    bool Foreign = false;  // the file is not a Lumivane document: it must not be saved over
    std::string Error;     // the message for the user, when !Ok
    std::string Unreadable;  // why the file could not be read at all ("cannot open X: ..."), else empty
    LeftOut Missing;
    std::string Format;    // "svg" or "swf" for a foreign file
    int Frames = 1;        // frames of a movie
};

// On success fills `paths` (1-based) and, for a document, the document fields
// of `setup`; for an SVG or movie its canvas size (and a movie's background),
// with the underlay switched off. Otherwise leaves both unchanged. A movie is
// taken at frame `frame`.
DrawingFileResult ReadDrawingFile(const std::string& path, CanvasSetup& setup, std::vector<PathShape>& paths,
                                  int frame = 1);

// The SVG or movie import of `path`, for adding to a drawing. `result.Foreign` is set.
DrawingFileResult ReadForeignFile(const std::string& path, Drawing& drawing, int frame = 1);


// "svg: 3 filters, 1 mask and 2 images were left out"; empty when nothing was.
std::string LeftOutLine(const LeftOut& missing, const std::string& format = "svg");

// Adds imported paths to the drawing as a paste does: front-most and the only
// ones selected. Their groups take numbers no path of the drawing uses.
void AddImportedPaths(DrawCore& doc, std::vector<PathShape> paths);
