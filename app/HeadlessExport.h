#pragma once
#include <ostream>
#include <string>
#include <vector>

struct SWFMakeCore;
struct DrawCore;

// The underlay switches of the headless commands: "--underlay" shows the
// document's underlay as the "下絵" box does, "--underlay-front" places it in
// front of the drawing as well. True when `arg` was one of them.
bool TakeUnderlayFlag(const std::string& arg, SWFMakeCore& mk);

// `--export-swf IN.lvd OUT.swf [--underlay] [--underlay-front]`: writes the
// preview movie of the document without a window. `args` are the words after
// `--export-swf`. Returns 0 on success; otherwise prints the reason on `err`
// and returns non-zero.
int RunExportSwf(const std::vector<std::string>& args, std::ostream& err);

// Reads IN, a document or an SVG drawing, into `doc`. Prints the reason on
// `err` and returns false when it cannot be read; an SVG's left-out line goes
// to `err` too.
bool ReadHeadlessInput(const std::string& in, DrawCore& doc, std::ostream& err);

// The shared road of the headless writers: reads the underlay switches and
// IN OUT from `args`, reads the document, prepares its underlay and writes
// `make(mk, doc)` to OUT. `usage` is printed when the files are not two.
int RunHeadlessWrite(const std::vector<std::string>& args, const char* usage, std::ostream& err,
                     std::string (*make)(SWFMakeCore&, DrawCore&));
