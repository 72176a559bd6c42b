#pragma once
#include <ostream>
#include <string>

// Writes the preview movie of the document `inLvd` to `outSwf` without a
// window. Returns 0 on success; otherwise prints the reason on `err` and
// returns non-zero.
int RunExportSwf(const std::string& inLvd, const std::string& outSwf, std::ostream& err);
