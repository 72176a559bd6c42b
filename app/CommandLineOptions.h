#pragma once
#include <optional>
#include <ostream>
#include <string>
#include <vector>

// The program's command line: `lumivane [FILE]` starts the editor; the
// headless commands write a movie, an SVG or a PNG without a window.
// `args` are the words after the program name, as their bytes.
// Returns the exit code of a command that ran (help, version, a headless
// command, a usage error), or nothing when the editor is to start.
std::optional<int> RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
