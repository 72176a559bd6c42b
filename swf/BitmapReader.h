#pragma once
#include <string>

#include "swf/BitReader.h"
#include "swf/MovieData.h"

// Reads a bitmap tag (DefineBits, JPEGTables, DefineBitsJPEG2/3/4,
// DefineBitsLossless and 2) into `movie`: the bytes are kept as they are and
// decoded only when drawn. A DefineBits picture is joined to the movie's
// JPEGTables read before it. Returns a reason when the tag is too short for
// its fields; then nothing is added.
std::string ReadBitmapTag(BitReader& r, int tagCode, ParsedMovie& movie);
