#pragma once
#include <ostream>
#include <string>
#include <vector>

#include "core/DrawCore.h"
#include "swf/SWFMakeCore.h"

// The document as SVG, made from its preview movie so that the two always
// agree: the canvas at 100 % in pixels on its background colour.
std::string DocumentSvg(SWFMakeCore& mk, DrawCore& doc);

// `--export-svg IN.lvd OUT.svg [--underlay] [--underlay-front]`: writes the
// SVG of the document; `args` are the words after the command. Returns 0 on
// success; otherwise prints the reason on `err`.
int RunExportSvg(const std::vector<std::string>& args, std::ostream& err);
