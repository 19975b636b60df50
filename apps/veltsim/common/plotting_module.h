#pragma once

#include <veltutil/veltutil.h>

namespace veltsim {

// The file name the front end loads the plotting module by.
inline constexpr const char* kPlottingModule = "grapher.dll";

// A hold on the plotting module for as long as pages made in it live. The container
// uninitialises the front end, which unloads the module, before the snap-ins; and a page, a
// table or a chart log names its module object once more when it is closed or destroyed.
class PlottingModuleHold {
public:
    PlottingModuleHold() = default;
    PlottingModuleHold(const PlottingModuleHold&) = delete;
    PlottingModuleHold& operator=(const PlottingModuleHold&) = delete;
    ~PlottingModuleHold() { Release(); }

    // Loads the module (the one the front end loaded: the same file name, found the same way)
    // unless it is held already.
    void Take() {
        if (!module_) module_ = LoadLibrary(kPlottingModule);
    }
    void Release() {
        if (module_) FreeLibrary(module_);
        module_ = nullptr;
    }
    HMODULE Module() const { return module_; }

private:
    HMODULE module_ = nullptr;
};

}  // namespace veltsim
