#pragma once
#include <string_view>

#include "swf/MovieData.h"

// Brings `movie`, read from the bytes `before`, up to date with `after`, when
// `after` has the same size and differs only inside the layers of one shape:
// as while a path is edited in place. Only the layers holding changed bytes
// are read again. ReadWhole when that does not hold: then `movie` may be left
// partly updated, and the new bytes must be read whole.
enum class MovieUpdate { Unchanged, Updated, ReadWhole };
MovieUpdate UpdateMovie(ParsedMovie& movie, std::string_view before, std::string_view after);
