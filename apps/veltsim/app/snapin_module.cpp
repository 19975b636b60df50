#include "snapin_module.h"

namespace veltsim {

SnapInModule::~SnapInModule() {
    if (snapIn_) destroy_(snapIn_);
    if (module_) FreeLibrary(module_);
}

bool SnapInModule::Load(const std::string& file, std::string& error) {
    module_ = LoadLibrary(file.c_str());
    if (!module_) {
        error = "snap-in module not found: " + file + " (looked in VELT_MODULE_PATH, else beside the libraries)";
        return false;
    }
    auto create = reinterpret_cast<CreateSnapInFunction>(GetProcAddress(module_, kCreateSnapInExport));
    destroy_ = reinterpret_cast<DestroySnapInFunction>(GetProcAddress(module_, kDestroySnapInExport));
    snapIn_ = create && destroy_ ? create() : nullptr;
    if (!snapIn_) {
        error = "not a veltsim snap-in module: " + file;
        FreeLibrary(module_);
        module_ = nullptr;
        return false;
    }
    return true;
}

}  // namespace veltsim
