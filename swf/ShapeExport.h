#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/BitString.h"
#include "core/Records.h"
#include "swf/SWFMakeCore.h"

// Appends one DefineShape3 tag holding every path of `paths` (used 1-based),
// each with its own styles, earlier paths beneath later ones. Paths with an
// empty ShapeCache are encoded and their cache filled; the others reuse it.
// With `styleStarts`, entry i gets the index in mk.MovieBuffer of the byte
// where path i's style arrays start, 0 for a path not in the shape.
void DefineDrawingShape(SWFMakeCore& mk, std::uint16_t characterId, std::vector<PathShape>& paths,
                        std::int32_t canvasWidth, std::int32_t canvasHeight,
                        std::vector<std::size_t>* styleStarts = nullptr);

// The path's cached records, encoded into its ShapeCache first when that is
// empty; null for a path that is not exported (its cache stays empty).
const BitString* CachedPathBits(PathShape& path);
// CachedPathBits of every path after the first, on several cores when many
// are stale (a document just read).
void EncodeStalePaths(std::vector<PathShape>& paths);

// The shape records of one path (not byte-aligned); empty for a path of fewer
// than two anchors. Independent of the path's place in the list.
BitString EncodePathRecords(const PathShape& path);
// Appends the edge records of a path whose pen starts at (penX, penY); the pen
// ends at the last edge's end.
void EncodeEdges(BitString& out, const PathShape& path, std::int64_t& penX, std::int64_t& penY);
// pathBits with zeros inserted after its first six bits so that, appended to
// a text of accumulatedLength bits, its style arrays start on a byte boundary.
BitString AlignStyleBits(const BitString& pathBits, std::size_t accumulatedLength);
// Appends the same as AlignStyleBits(pathBits, out.size()) without building it.
void AppendAlignedPath(BitString& out, const BitString& pathBits);
// Appends the gradient MATRIX of a path and one zero bit: 160 bits.
void EncodeGradientMatrix(BitString& out, const PathShape& path);

// (a + b) / 2 rounded to nearest, halves to even.
std::int64_t MidpointHalfEven(std::int64_t a, std::int64_t b);
