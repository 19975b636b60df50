#include "veltutil/platform/host/modules/module.h"

#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct LoadedModule {
    void* handle;
    int loads;
};

// Handles given out by LoadLibrary, so that FreeLibrary never closes a module it did not open.
struct LoadedModules {
    std::mutex mutex;
    std::map<HMODULE, LoadedModule> byBase;
};

// Never destroyed: a front end of static storage duration unloads its modules during static
// destruction, possibly after anything built on first use here would have been destroyed.
LoadedModules& loadedModules() {
    static LoadedModules* modules = new LoadedModules;
    return *modules;
}

// The variable replaces the default rather than adding to it, so that a program (or a test)
// can choose exactly which build of a module it gets, or that none is found.
std::vector<fs::path> searchDirectories() {
    std::vector<fs::path> dirs;
    if (const char* path = std::getenv("VELT_MODULE_PATH")) {
        std::string_view rest(path);
        while (!rest.empty()) {
            std::size_t colon = rest.find(':');
            std::string_view dir = rest.substr(0, colon);
            if (!dir.empty()) dirs.emplace_back(dir);
            rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
        }
        return dirs;
    }
    // Beside the host library, then in the veltutil/ folder there, where an installed
    // package keeps its run-time modules out of the system's library folder.
    CString self = GetModuleFileName(GetModuleHandleFromAddress(reinterpret_cast<const void*>(&LoadLibrary)));
    if (!self.IsEmpty()) {
        fs::path libraries = fs::path(self.str()).parent_path();
        dirs.push_back(libraries);
        dirs.push_back(libraries / "veltutil");
    }
    return dirs;
}

std::vector<std::string> candidateNames(const std::string& name) {
    std::vector<std::string> names{name};
    constexpr std::string_view dll = ".dll";
    if (name.size() > dll.size() && CString(name.substr(name.size() - dll.size()).c_str()).CompareNoCase(".dll") == 0) {
        std::string stem = name.substr(0, name.size() - dll.size());
        names.push_back(stem + ".so");
        names.push_back("lib" + stem + ".so");
    }
    return names;
}

void* openModule(const char* fileName) {
    std::string name(fileName);
    if (name.find('/') != std::string::npos) return dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
    for (const fs::path& dir : searchDirectories()) {
        for (const std::string& candidate : candidateNames(name)) {
            fs::path file = dir / candidate;
            std::error_code error;
            if (!fs::is_regular_file(file, error)) continue;
            if (void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL)) return handle;
        }
    }
    return nullptr;
}

HMODULE baseOf(void* handle) {
    link_map* map = nullptr;
    if (dlinfo(handle, RTLD_DI_LINKMAP, &map) != 0 || map == nullptr) return nullptr;
    return GetModuleHandleFromAddress(map->l_ld);
}

}  // namespace

HMODULE LoadLibrary(const char* fileName) {
    if (fileName == nullptr || *fileName == '\0') return nullptr;
    void* handle = openModule(fileName);
    if (handle == nullptr) return nullptr;
    HMODULE base = baseOf(handle);
    if (base == nullptr) {
        dlclose(handle);
        return nullptr;
    }
    LoadedModules& modules = loadedModules();
    std::lock_guard lock(modules.mutex);
    auto [it, inserted] = modules.byBase.try_emplace(base, LoadedModule{handle, 0});
    ++it->second.loads;
    if (!inserted) dlclose(handle);  // the first handle already holds the module
    return base;
}

FARPROC GetProcAddress(HMODULE module, const char* name) {
    if (module == nullptr || name == nullptr) return nullptr;
    Dl_info info{};
    if (dladdr(module, &info) == 0 || info.dli_fbase != module) return nullptr;
    // A handle of an already mapped module, whether LoadLibrary mapped it or not.
    void* handle = dlopen(info.dli_fname, RTLD_NOW | RTLD_NOLOAD);
    if (handle == nullptr) return nullptr;
    void* symbol = dlsym(handle, name);
    dlclose(handle);
    return reinterpret_cast<FARPROC>(symbol);
}

BOOL FreeLibrary(HMODULE module) {
    void* handle = nullptr;
    {
        LoadedModules& modules = loadedModules();
        std::lock_guard lock(modules.mutex);
        auto it = modules.byBase.find(module);
        if (it == modules.byBase.end()) return FALSE;
        if (--it->second.loads > 0) return TRUE;
        handle = it->second.handle;
        modules.byBase.erase(it);
    }
    return dlclose(handle) == 0 ? TRUE : FALSE;
}

HMODULE GetModuleHandleFromAddress(const void* address) {
    Dl_info info{};
    if (address == nullptr || dladdr(address, &info) == 0) return nullptr;
    return static_cast<HMODULE>(info.dli_fbase);
}

CString GetModuleFileName(HMODULE module) {
    std::error_code error;
    if (module == nullptr) {
        fs::path program = fs::read_symlink("/proc/self/exe", error);
        return error ? CString() : CString(program.string());
    }
    Dl_info info{};
    if (dladdr(module, &info) == 0 || info.dli_fbase != module || info.dli_fname == nullptr) return CString();
    fs::path file = fs::absolute(info.dli_fname, error);
    return error ? CString(info.dli_fname) : CString(file.string());
}
