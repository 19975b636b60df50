#pragma once

#include <cstdlib>
#include <string>

namespace velttest {

// Points the module search at the given directories for as long as it lives.
class ModulePath {
public:
    explicit ModulePath(const std::string& dirs) { ::setenv("VELT_MODULE_PATH", dirs.c_str(), 1); }
    ~ModulePath() { ::unsetenv("VELT_MODULE_PATH"); }
    ModulePath(const ModulePath&) = delete;
    ModulePath& operator=(const ModulePath&) = delete;
};

}  // namespace velttest
