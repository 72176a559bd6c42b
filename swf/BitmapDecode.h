#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include <QImage>

#include "swf/MovieData.h"

// The picture of a movie's bitmap (premultiplied ARGB) from any of its tags:
// JPEG (also PNG or GIF data in the JPEG tags) with or without packed alpha,
// and the lossless kinds with colour tables, 15-bit or 32-bit pixels. At most
// MaxJpegPixels pixels; packed data is inflated only as far as the stated
// size needs, so a size that lies takes no more memory than the data holds.
// A null image and the reason when it cannot be decoded.
QImage DecodeBitmap(const BitmapDefinition& bitmap, std::string& reason);

// One JPEG stream from a movie's JPEG data, which may hold several start and
// end markers before the picture (an empty table block, or the movie's
// JPEGTables joined to it): those between the first start and the scan go.
std::vector<std::uint8_t> JoinJpegParts(std::span<const std::uint8_t> data);

// The mean colour of a picture, each pixel's colour weighted by its alpha,
// with the mean alpha; transparent black for a wholly transparent picture.
SwfColor AverageColor(const QImage& image);
