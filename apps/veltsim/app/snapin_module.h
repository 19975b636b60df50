#pragma once

#include <string>

#include <veltutil/veltutil.h>

#include "snapin_protocol.h"

namespace veltsim {

// One snap-in module, loaded through the library's own module loading (LoadLibrary finds a
// bare name such as "veltsim_simulator.dll" in VELT_MODULE_PATH or beside the libraries), and
// the one snap-in it made. Destroying this destroys the snap-in through the module, then
// unloads the module.
class SnapInModule {
public:
    SnapInModule() = default;
    SnapInModule(const SnapInModule&) = delete;
    SnapInModule& operator=(const SnapInModule&) = delete;
    ~SnapInModule();

    // False, with the reason in `error`, when the module is not found, lacks the entry points
    // or makes no snap-in.
    bool Load(const std::string& file, std::string& error);
    CInstrumentInterface* SnapIn() const { return snapIn_; }

private:
    HMODULE module_ = nullptr;
    DestroySnapInFunction destroy_ = nullptr;
    CInstrumentInterface* snapIn_ = nullptr;
};

}  // namespace veltsim
