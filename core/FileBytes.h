#pragma once
#include <cstddef>
#include <string>

// Files larger than this are refused by every reader: no document, clip or
// movie of this program comes near it.
inline constexpr std::size_t MaxReadBytes = std::size_t{256} << 20;

// Reads a whole file. False when it cannot be opened or read, or is larger than `limit`.
bool ReadFileBytes(const std::string& path, std::string& out, std::size_t limit = MaxReadBytes);
// Writes `bytes` to `path` through a temporary file in the same folder that
// then replaces it, so a failed write leaves the old file whole.
bool WriteFileReplacing(const std::string& path, const std::string& bytes);
