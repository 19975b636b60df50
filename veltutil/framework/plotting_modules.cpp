#include "veltutil/framework/plotting_modules.h"

#include "veltutil/grapher/grapher_source.h"
#include "veltutil/platform/host/modules/module.h"

namespace veltutil::detail {

// Never destroyed: the application object usually holds the front end, and a front end of
// static storage duration unbinds these sources when it is destroyed, after anything built on
// first use would have been.
CGrapherSource& PlottingSource(long index) {
    static CGrapherSource* sources = new CGrapherSource[2];
    return sources[index == 1 ? 1 : 0];
}

const char* PlottingModuleName(long) { return "grapher.dll"; }

void PlottingModuleRecord::Release() {
    if (module != nullptr) {
        PlottingSource(0).SetGrapher(nullptr);
        PlottingSource(1).SetGrapher(nullptr);
        FreeLibrary(module);
        module = nullptr;
    }
    fileName.Empty();
}

}  // namespace veltutil::detail
