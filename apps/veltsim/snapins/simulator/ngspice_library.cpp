#include "ngspice_library.h"

#include <dlfcn.h>
#include <link.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <mutex>

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

// An exited ngspice is not unmapped: that would pull its code from under whatever of it still
// runs (its OpenMP runtime, its thread on its way out) and leave its memory where
// LeakSanitizer can no longer name it, so that its leaks pass for ours. It stays mapped for the
// life of the process, and since the loader hands that same instance to whoever opens its file,
// a fresh one comes from a private copy of the file, which the loader takes for another library.
struct Retired {
    std::string file;         // the file the exited instance was mapped from
    void* standIn = nullptr;  // the fresh instance opened in its place, once there is one
};

struct RetiredPaths {
    std::mutex mutex;
    std::map<std::string, Retired> byPath;  // by the path that was asked for
};

RetiredPaths& retiredPaths() {
    static RetiredPaths paths;
    return paths;
}

void* openCopy(const std::string& file, std::string& error) {
    namespace fs = std::filesystem;
    std::error_code failure;
    std::string folder = (fs::temp_directory_path(failure) / "veltsim-ngspice-XXXXXX").string();
    void* handle = nullptr;
    if (!failure && mkdtemp(folder.data()) != nullptr) {
        // Named as the original, so that the copy is known as ngspice wherever it is named.
        const fs::path copy = fs::path(folder) / fs::path(file).filename();
        if (fs::copy_file(file, copy, failure)) handle = dlopen(copy.c_str(), RTLD_NOW | RTLD_LOCAL);
        fs::remove_all(folder, failure);  // the mapping outlives the file
    }
    if (!handle) error = "ngspice could not be loaded afresh from a copy of " + file;
    return handle;
}

}  // namespace

bool NgspiceLibrary::Load(std::string& error) {
    if (handle_) return true;
    const char* configured = std::getenv(kPathVariable);
    const std::string path = configured && *configured ? configured : kDefaultPath;
    RetiredPaths& retired = retiredPaths();
    std::lock_guard lock(retired.mutex);
    auto it = retired.byPath.find(path);
    if (it != retired.byPath.end()) {
        Retired& entry = it->second;
        if (!entry.standIn) entry.standIn = openCopy(entry.file, error);
        if (!entry.standIn || !bindEntryPoints(entry.standIn, error)) return false;
        handle_ = entry.standIn;
    } else {
        void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
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
    }
    path_ = path;
    return true;
}

bool NgspiceLibrary::bindEntryPoints(void* handle, std::string& error) {
    return bind(handle, "ngSpice_Init", Init, error) && bind(handle, "ngSpice_Command", Command, error) &&
           bind(handle, "ngSpice_Circ", Circ, error) && bind(handle, "ngSpice_running", Running, error) &&
           bind(handle, "ngGet_Vec_Info", VectorInfo, error) && bind(handle, "ngSpice_CurPlot", CurrentPlot, error);
}

void NgspiceLibrary::Retire() {
    if (!handle_) return;
    {
        RetiredPaths& retired = retiredPaths();
        std::lock_guard lock(retired.mutex);
        auto it = retired.byPath.find(path_);
        link_map* map = nullptr;
        if (it != retired.byPath.end()) {
            it->second.standIn = nullptr;  // a copy exited in turn: the next comes from the same file
        } else if (dlinfo(handle_, RTLD_DI_LINKMAP, &map) == 0 && map != nullptr) {
            retired.byPath.emplace(path_, Retired{map->l_name, nullptr});
        }
    }
    // The record must outlast this module, which the application may unload and load again.
    Dl_info self{};
    if (dladdr(reinterpret_cast<void*>(&retiredPaths), &self) != 0 && self.dli_fname != nullptr) {
        if (void* pinned = dlopen(self.dli_fname, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE)) dlclose(pinned);
    }
    handle_ = nullptr;
    Init = nullptr;
    Command = nullptr;
    Circ = nullptr;
    Running = nullptr;
    VectorInfo = nullptr;
    CurrentPlot = nullptr;
}

}  // namespace veltsim
