#pragma once
#include <cstddef>
#include <string>

#include "swf/BitReader.h"
#include "swf/MovieData.h"

// Reads the body of a DefineShape (2), DefineShape2 (22) or DefineShape3 (32)
// tag into `shape`. Returns the empty string when the whole shape was read;
// otherwise a reason, with `shape` holding every record read before the fault.
// `recordBudget` caps the records of the whole movie and is decreased.
std::string ReadShape(BitReader& r, int tagCode, ShapeDefinition& shape, std::size_t& recordBudget);

// Reads edge records that carry no style arrays of their own (a morph's start
// or end edges): the widths of the style indexes, then records up to the end
// record. Returns a reason when they are cut short or hold new styles.
std::string ReadEdgeRecords(BitReader& r, std::vector<ShapeRecord>& records, std::size_t& recordBudget);

// Reads a font's glyph: a SHAPE (fill and line bit counts, then records)
// without style arrays, whose fill style 1 is the glyph. `shape` gets one
// solid fill style for it; otherwise as ReadShape.
std::string ReadGlyphShape(BitReader& r, ShapeDefinition& shape, std::size_t& recordBudget);

// Reads the layers of `shape` again from layer `first` on, from the tag body
// `body` whose bits changed from that layer's style arrays up to
// `changedEndBit` and nowhere else. True when the layers read stand in for the
// old ones (as many, of as many records, followed by the same layer); then
// `shape` holds the new records, styles and hashes. False leaves `shape` as it
// was: the tag must be read whole.
bool RereadLayers(const std::uint8_t* body, std::size_t size, ShapeDefinition& shape, std::size_t first,
                  std::size_t changedEndBit);

// Hash of the bits [beginBit, endBit) of `data`; beginBit must be a byte boundary.
std::uint64_t HashBits(const std::uint8_t* data, std::size_t beginBit, std::size_t endBit, std::uint64_t seed);
