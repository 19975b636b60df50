#pragma once

#include <string>

namespace veltsim {

// The same file however it was named: "rc.cir", "./rc.cir" and its absolute path are one; an
// empty name is only the empty name.
bool SamePath(const std::string& a, const std::string& b);

// Why `path` cannot be read as a file, in strerror's words ("No such file or directory", "Is a
// directory", "Permission denied"); empty when it can be.
std::string UnreadableReason(const std::string& path);

}  // namespace veltsim
