#include "core/PathNames.h"

std::string GetDirName(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return {};
    // The root keeps its separator.
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string GetFileName(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string GetFileExt(const std::string& path) {
    const auto dot = path.rfind('.');
    if (dot == std::string::npos) return {};
    const auto slash = path.rfind('/');
    if (slash != std::string::npos && slash > dot) return {};
    return path.substr(dot + 1);
}
