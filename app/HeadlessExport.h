#pragma once
#include <ostream>
#include <string>
#include <vector>

struct SWFMakeCore;

// The underlay switches of the headless commands: "--underlay" shows the
// document's underlay as the "下絵" box does, "--underlay-front" places it in
// front of the drawing as well. True when `arg` was one of them.
bool TakeUnderlayFlag(const std::string& arg, SWFMakeCore& mk);

// `--export-swf IN.lvd OUT.swf [--underlay] [--underlay-front]`: writes the
// preview movie of the document without a window. `args` are the words after
// `--export-swf`. Returns 0 on success; otherwise prints the reason on `err`
// and returns non-zero.
int RunExportSwf(const std::vector<std::string>& args, std::ostream& err);
