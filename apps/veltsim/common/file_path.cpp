#include "file_path.h"

#include <filesystem>

namespace veltsim {

bool SamePath(const std::string& a, const std::string& b) {
    if (a.empty() || b.empty()) return a == b;
    std::error_code error;
    return std::filesystem::absolute(a, error).lexically_normal() == std::filesystem::absolute(b, error).lexically_normal();
}

}  // namespace veltsim
