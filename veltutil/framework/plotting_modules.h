#pragma once

#include "veltutil/platform/host/strings/cstring.h"
#include "veltutil/platform/host/win_types.h"

class CGrapherSource;

namespace veltutil::detail {

// The plotting sources 0 and 1 shared by every front end, and the file names of their
// modules; built on first use and never destroyed, so that a front end may reach them at any
// point of static destruction.
CGrapherSource& PlottingSource(long index);
const char* PlottingModuleName(long index);

// A front end's hold on one loaded plotting module.
struct PlottingModuleRecord {
    HMODULE module = nullptr;
    CString fileName;

    // Unloads the module. The sources are unbound first: their root object lives in the module
    // and would dangle.
    void Release();
};

}  // namespace veltutil::detail
