#pragma once
#include <string>
#include <vector>

// The document named on the command line: the arguments joined by single
// blanks; a text that both starts and ends with a double quote loses them.
std::string CommandLineDocument(const std::vector<std::string>& args);
