#include "veltutil/resources/internal/resource_module.h"

#include "veltutil/platform/host/modules/module.h"
#include "veltutil/platform/library/resource_strings.h"

namespace veltutil::detail {

HINSTANCE LibraryModule() {
    static const HINSTANCE module = GetModuleHandleFromAddress(reinterpret_cast<const void*>(&LibraryModule));
    return module;
}

CString LoadLibraryString(UINT id) { return GetResourceString(id, LibraryModule()); }

}  // namespace veltutil::detail
