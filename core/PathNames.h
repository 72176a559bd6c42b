#pragma once
#include <string>

// Parts of a file path with '/' as the separator.
std::string GetDirName(const std::string& path);
std::string GetFileName(const std::string& path);
std::string GetFileExt(const std::string& path);
