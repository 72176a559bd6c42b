#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "swf/BitReader.h"
#include "swf/MovieData.h"

// A morph shape: start and end edges in pairs, styles with start and end
// values; drawn at a blend between the two.
struct MorphFill {
    FillStyle Start, End;
};
struct MorphLine {
    LineStyle Start, End;
};
struct MorphDefinition {
    std::uint16_t Id = 0;
    int TagCode = 0;  // 46 or 84
    SwfRect StartBounds, EndBounds;
    std::vector<MorphFill> Fills;
    std::vector<MorphLine> Lines;
    std::vector<ShapeRecord> StartEdges, EndEdges;
};

// Reads a DefineMorphShape (46) or DefineMorphShape2 (84) body into `morph`.
// Returns the empty string when the whole tag was read, otherwise a reason.
// `recordBudget` caps the records of the whole movie and is decreased.
std::string ReadMorphShape(BitReader& r, int tagCode, MorphDefinition& morph, std::size_t& recordBudget);

// The shape at blend `ratio` (0 = the start, 65535 = the end) as one layer of
// blended styles: edges are blended pair by pair, a straight edge paired with
// a curve counting as a curve with its control point at its middle.
ShapeDefinition MorphShapeAt(const MorphDefinition& morph, std::uint16_t ratio);
