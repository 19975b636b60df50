#include "file_path.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace veltsim {

bool SamePath(const std::string& a, const std::string& b) {
    if (a.empty() || b.empty()) return a == b;
    std::error_code error;
    return std::filesystem::absolute(a, error).lexically_normal() == std::filesystem::absolute(b, error).lexically_normal();
}

std::string UnreadableReason(const std::string& path) {
    // A directory opens for reading and then reads as nothing; it says what it is instead.
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) return std::strerror(EISDIR);
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::strerror(errno);
    close(fd);
    return "";
}

}  // namespace veltsim
