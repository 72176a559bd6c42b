#pragma once
#include <string>

// The import benchmarks' SVG: 10,000 filled and outlined paths of ten cubic
// curves each on a 1200 × 900 canvas, about 5 MB.
const std::string& LargeSvg();

// Writes `bytes` to `path`; false when they could not all be written.
bool WriteBenchFile(const std::string& path, const std::string& bytes);
