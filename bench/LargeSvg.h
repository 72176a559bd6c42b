#pragma once
#include <string>

// The import benchmarks' SVG: 10,000 filled and outlined paths of ten cubic
// curves each on a 1200 × 900 canvas, about 5 MB.
const std::string& LargeSvg();
