#pragma once
#include <string_view>

#include "import/Drawing.h"

// Reads an SVG drawing (plain or gzip-compressed) as Lumivane paths. Shapes,
// groups, references, transforms, solid colours and gradients come across;
// filters, masks, clip paths, patterns, markers, images, text and dashes are
// left out and counted. On bad input nothing is returned but the reason.
ImportResult ImportSvg(std::string_view bytes);

// Whether a file of this name and these first bytes is an SVG drawing
// rather than a Lumivane document: by its content, and by its name when
// the content says nothing (a compressed stream).
bool LooksLikeSvg(std::string_view fileName, std::string_view bytes);
