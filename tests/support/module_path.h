#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace velttest {

// Points the module search at the given directories (null: no variable, so the default search
// applies) for as long as it lives, then puts back what the variable held before: test
// programs start with it naming the recording plotting module (recording_module_selection.cpp).
class ModulePath {
public:
    explicit ModulePath(const char* dirs) {
        if (const char* previous = std::getenv("VELT_MODULE_PATH")) previous_ = previous;
        if (dirs != nullptr)
            ::setenv("VELT_MODULE_PATH", dirs, 1);
        else
            ::unsetenv("VELT_MODULE_PATH");
    }
    explicit ModulePath(const std::string& dirs) : ModulePath(dirs.c_str()) {}
    ~ModulePath() {
        if (previous_)
            ::setenv("VELT_MODULE_PATH", previous_->c_str(), 1);
        else
            ::unsetenv("VELT_MODULE_PATH");
    }
    ModulePath(const ModulePath&) = delete;
    ModulePath& operator=(const ModulePath&) = delete;

private:
    std::optional<std::string> previous_;
};

}  // namespace velttest
