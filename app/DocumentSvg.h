#pragma once
#include <ostream>
#include <string>

#include "core/DrawCore.h"
#include "swf/SWFMakeCore.h"

// The document as SVG, made from its preview movie so that the two always
// agree: the canvas at 100 % in pixels on its background colour.
std::string DocumentSvg(SWFMakeCore& mk, DrawCore& doc);

// `--export-svg`: writes the SVG of the document `inLvd` to `outSvg`.
// Returns 0 on success; otherwise prints the reason on `err`.
int RunExportSvg(const std::string& inLvd, const std::string& outSvg, std::ostream& err);
