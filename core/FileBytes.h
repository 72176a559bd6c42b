#pragma once
#include <cstddef>
#include <string>

// Files larger than this are refused by every reader: no document, clip or
// movie of this program comes near it.
inline constexpr std::size_t MaxReadBytes = std::size_t{256} << 20;

// Reads a whole regular file. Empty on success; otherwise what went wrong, as
// "cannot open PATH: No such file or directory". A FIFO or device is refused
// without waiting on it; so is a file larger than `limit`.
std::string ReadFileOrReason(const std::string& path, std::string& out, std::size_t limit = MaxReadBytes);
// The same, true on success.
bool ReadFileBytes(const std::string& path, std::string& out, std::size_t limit = MaxReadBytes);

// Why `out` must not be written by a command that read `in` (empty: it may):
// a folder, device or FIFO stands at its name, or it is the file `in` itself
// (also through links). A name where nothing stands yet is allowed.
std::string OutputRefusal(const std::string& out, const std::string& in);

// Writes `bytes` to `path` through a temporary file in the same folder that
// then replaces it, so a failed write leaves the old file whole. A symbolic
// link is written through to its target; a folder, device or FIFO at the
// name is never replaced (false).
bool WriteFileReplacing(const std::string& path, const std::string& bytes);
