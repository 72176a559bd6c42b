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

// Hash of the bits [beginBit, endBit) of `data`; beginBit must be a byte boundary.
std::uint64_t HashBits(const std::uint8_t* data, std::size_t beginBit, std::size_t endBit, std::uint64_t seed);
