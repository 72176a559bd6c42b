#include "core/FileBytes.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct FileDescriptor {
    int Fd;
    ~FileDescriptor() {
        if (Fd >= 0) ::close(Fd);
    }
};

std::string Failure(const char* verb, const std::string& path, const std::string& why) {
    return std::string("cannot ") + verb + " " + path + ": " + why;
}

// The file a write to `path` lands on: the end of its chain of symbolic links.
// Empty for a chain that does not end.
std::string WriteTarget(const std::string& path) {
    fs::path p = path;
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(p, ec))) return p.string();
        const fs::path next = fs::read_symlink(p, ec);
        if (ec) return {};
        p = next.is_absolute() ? next : p.parent_path() / next;
    }
    return {};
}

}  // namespace

std::string ReadFileOrReason(const std::string& path, std::string& out, std::size_t limit) {
    // Opened without blocking, so that a FIFO is refused below instead of waiting for a writer.
    const FileDescriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (file.Fd < 0) return Failure("open", path, std::strerror(errno));
    struct stat st {};
    if (::fstat(file.Fd, &st) != 0) return Failure("read", path, std::strerror(errno));
    if (S_ISDIR(st.st_mode)) return Failure("open", path, std::strerror(EISDIR));
    if (!S_ISREG(st.st_mode)) return Failure("open", path, "not a regular file");
    if (static_cast<std::uintmax_t>(st.st_size) > limit)
        return Failure("read", path, "larger than " + std::to_string(limit) + " bytes");
    out.assign(static_cast<std::size_t>(st.st_size), '\0');
    std::size_t done = 0;
    while (done < out.size()) {
        const ssize_t n = ::read(file.Fd, out.data() + done, out.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return Failure("read", path, std::strerror(errno));
        if (n == 0) return Failure("read", path, "the file became shorter while it was read");
        done += static_cast<std::size_t>(n);
    }
    return {};
}

bool ReadFileBytes(const std::string& path, std::string& out, std::size_t limit) {
    return ReadFileOrReason(path, out, limit).empty();
}

std::string OutputRefusal(const std::string& out, const std::string& in) {
    struct stat st {};
    if (::stat(out.c_str(), &st) != 0)  // a new file (or a link to one) is fine; the write says the rest
        return errno == ENOENT ? std::string() : Failure("write", out, std::strerror(errno));
    if (S_ISDIR(st.st_mode)) return Failure("write", out, std::strerror(EISDIR));
    if (!S_ISREG(st.st_mode)) return Failure("write", out, "not a regular file (a device or FIFO is never replaced)");
    std::error_code ec;
    if (!in.empty() && fs::equivalent(in, out, ec)) return Failure("write", out, "it is the input file");
    return {};
}

bool WriteFileReplacing(const std::string& path, const std::string& bytes) {
    // A link is written through, so that it keeps naming the new bytes; what
    // is not a regular file is never replaced.
    const std::string target = WriteTarget(path);
    if (target.empty()) return false;
    std::error_code ec;
    const fs::file_status status = fs::status(target, ec);
    if (fs::exists(status) && !fs::is_regular_file(status)) return false;
    const std::string temp = target + ".part";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            out.close();
            std::remove(temp.c_str());
            return false;
        }
    }
    fs::rename(temp, target, ec);
    if (ec) std::remove(temp.c_str());
    return !ec;
}
