#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/Records.h"

// What an importer could not carry over, by kind.
struct LeftOut {
    enum Kind { Filter, Mask, ClipPath, Pattern, Marker, Image, Dash, Text, Bitmap, Script, Object, UnknownTag, DamagedTag, TextField, Glyph, Simplified, KindCount };
    std::array<std::int64_t, KindCount> Counts{};
    void Add(Kind k, std::int64_t n = 1) { Counts[static_cast<std::size_t>(k)] += n; }
    bool Empty() const;
    // "3 filters, 1 mask and 2 images were left out"; empty when nothing was.
    std::string Sentence() const;
};

// A foreign drawing as Lumivane paths, in stacking order (back-most first),
// with the canvas size it asks for.
struct Drawing {
    std::vector<PathShape> Paths;
    std::int32_t CanvasWidth = 0;
    std::int32_t CanvasHeight = 0;
    int Frames = 1;  // frames of the movie it came from
    bool HasBackground = false;
    std::uint8_t Background[3] = {255, 255, 255};
};

struct ImportResult {
    bool Ok = false;
    std::string Error;  // why nothing was imported, when !Ok
    Drawing Result;
    LeftOut Missing;
};

// Most anchors one import may make, and the coordinates (twips) its anchors
// are held within: far beyond the largest canvas, well within the movie's fields.
inline constexpr std::int64_t MaxImportAnchors = 4'000'000;
inline constexpr std::int32_t MinImportTwip = -1'000'000, MaxImportTwip = 1'000'000;

// "the drawing would have more than 4000000 anchors"
std::string ImportAnchorCapMessage();

// Whether a file name ends with `suffix` (lower case), in any case: ".svg", ".SWF".
bool HasSuffix(std::string_view fileName, std::string_view suffix);

// Appends a path with these anchors, clamped to the coordinates above, to
// `d`; a path of fewer than two anchors is dropped. Counts the anchors in
// `anchorCount`; past MaxImportAnchors nothing is appended and `error` says so.
void AppendImportedPath(Drawing& d, PathShape p, std::vector<AnchorPoint> anchors, bool closed,
                        std::int64_t& anchorCount, std::string& error);

// Largest canvas side in pixels an imported drawing asks for: the editor's own limit.
inline constexpr std::int32_t MaxImportCanvasSide = MaxCanvasSide;
