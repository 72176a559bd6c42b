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

// Takes "--frame N" out of `args`: the frame of a movie to read. 1 when it is
// not given; 0, with the reason on `err`, when N is not a whole number from 1.
int TakeFrame(std::vector<std::string>& args, std::ostream& err);

// Reads IN, a document, an SVG drawing or frame `frame` of a movie, into
// `doc`; false after saying on `err` why it cannot be used (exit code 1). An
// import's left-out line goes to `err` too.
bool ReadHeadlessInput(const std::string& in, DrawCore& doc, std::ostream& err, int frame = 1);
// False after saying on `err` why OUT must not be written (exit code 2).
bool HeadlessOutputAllowed(const std::string& in, const std::string& out, std::ostream& err);
// Writes OUT; false after saying on `err` that it could not (exit code 2).
bool WriteHeadlessOutput(const std::string& out, const std::string& bytes, std::ostream& err);

// The shared road of the headless writers: reads the underlay switches and
// IN OUT from `args`, reads the document, prepares its underlay and writes
// `make(mk, doc)` to OUT. `usage` is printed when the files are not two.
// Exit codes: 1 unusable IN, 2 bad arguments or OUT, 3 OUT written without
// the underlay that was asked for.
int RunHeadlessWrite(const std::vector<std::string>& args, const char* usage, std::ostream& err,
                     std::string (*make)(SWFMakeCore&, DrawCore&));
