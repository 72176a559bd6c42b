#pragma once
#include <cstddef>
#include <cstdint>

#include "swf/MovieData.h"

// Most shape records one movie may hold; beyond it the rest is not read.
inline constexpr std::size_t MaxMovieShapeRecords = std::size_t{1} << 21;

// Reads an uncompressed movie's header and the tags of its first frame.
// Never fails outright: whatever could be read is returned, and `Reason`
// says why the result is blank or partial.
ParsedMovie ReadMovie(const std::uint8_t* data, std::size_t size);

// What becomes of a tag whose header is sound but whose body is damaged (bad
// bit fields, lengths inside it that lie). Keep: what it held up to the fault
// is kept and the fault joins `Reason`, as the player shows a movie. Skip: the
// tag is left out whole and counted in `DamagedTags`, as an import wants it.
// A broken tag stream (a tag running past the end) is reported either way.
enum class DamagedTagMode { Keep, Skip };

// As ReadMovie, for the display list as it stands at the end of frame
// `frame` (1-based); definitions are read up to there.
ParsedMovie ReadMovieFrame(const std::uint8_t* data, std::size_t size, int frame,
                           DamagedTagMode damaged = DamagedTagMode::Keep);
