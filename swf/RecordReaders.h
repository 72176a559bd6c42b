#pragma once
#include "swf/BitReader.h"
#include "swf/MovieData.h"

// Readers of the movie format's small records. Each starts on a byte
// boundary as the format requires; faults show in `r.failed()`.
SwfRect ReadRect(BitReader& r);
SwfMatrix ReadMatrix(BitReader& r);
SwfColorTransform ReadColorTransformAlpha(BitReader& r);
SwfColorTransform ReadColorTransform(BitReader& r);  // without alpha terms
SwfColor ReadRgb(BitReader& r);
SwfColor ReadRgba(BitReader& r);
