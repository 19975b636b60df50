#include "ngspice_library.h"

#include <dlfcn.h>

#include <cstdlib>

namespace veltsim {

namespace {

constexpr const char* kPathVariable = "VELTSIM_NGSPICE";
constexpr const char* kDefaultPath = "libngspice.so.0";

template <typename Function>
bool bind(void* handle, const char* name, Function& function, std::string& error) {
    function = reinterpret_cast<Function>(dlsym(handle, name));
    if (function) return true;
    error = std::string("ngspice shared library lacks ") + name;
    return false;
}

}  // namespace

bool NgspiceLibrary::Load(std::string& error) {
    if (handle_) return true;
    const char* configured = std::getenv(kPathVariable);
    const char* path = configured && *configured ? configured : kDefaultPath;
    void* handle = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* reason = dlerror();
        error = std::string("ngspice shared library not found: ") + (reason ? reason : path);
        return false;
    }
    if (!bindEntryPoints(handle, error)) {
        dlclose(handle);
        return false;
    }
    handle_ = handle;
    return true;
}

bool NgspiceLibrary::bindEntryPoints(void* handle, std::string& error) {
    return bind(handle, "ngSpice_Init", Init, error) && bind(handle, "ngSpice_Command", Command, error) &&
           bind(handle, "ngSpice_Circ", Circ, error) && bind(handle, "ngSpice_running", Running, error) &&
           bind(handle, "ngGet_Vec_Info", VectorInfo, error) && bind(handle, "ngSpice_CurPlot", CurrentPlot, error);
}

}  // namespace veltsim
