#pragma once

#include <string>

namespace veltsim {

// The same file however it was named: "rc.cir", "./rc.cir" and its absolute path are one; an
// empty name is only the empty name.
bool SamePath(const std::string& a, const std::string& b);

}  // namespace veltsim
