#include "veltutil/framework/plotting_modules.h"

#include "veltutil/grapher/grapher_source.h"
#include "veltutil/platform/host/modules/module.h"

namespace veltutil::detail {

CGrapherSource& PlottingSource(long index) {
    static CGrapherSource sources[2];
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
