#pragma once
#include <string_view>

#include "import/Drawing.h"

// Reads one frame of a movie (FWS, CWS or ZWS) as Lumivane paths: the shapes
// on its display list in depth order, placed by their matrices and colour
// transforms, and texts as glyph outlines. Masks, bitmaps, scripts and
// other characters are left out and counted; scripts never run. On bad
// input nothing is returned but the reason.
ImportResult ImportSwf(std::string_view bytes, int frame = 1);

// Whether a file of this name and these first bytes is a movie: by its
// signature, or by its name when the signature is not one of the three.
bool LooksLikeSwf(std::string_view fileName, std::string_view bytes);
