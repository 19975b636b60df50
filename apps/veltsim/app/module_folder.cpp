#include "module_folder.h"

#include <cstdlib>
#include <filesystem>
#include <vector>

#include <veltutil/veltutil.h>

namespace veltsim {

namespace fs = std::filesystem;

std::string LiveModuleFolder(const std::string& program) {
    const fs::path bin = fs::path(program).parent_path();
    for (const fs::path& folder : {bin / ".." / ".." / "livegrapher", bin / ".." / "lib" / "veltutil" / "live"}) {
        std::error_code error;
        if (fs::is_regular_file(folder / "grapher.so", error)) return fs::weakly_canonical(folder, error).string();
    }
    return "";
}

void PutModuleFolderFirst(const std::string& folder) {
    std::vector<std::string> folders{folder};
    if (const char* current = std::getenv("VELT_MODULE_PATH")) {
        folders.emplace_back(current);
    } else {
        const CString host = GetModuleFileName(GetModuleHandleFromAddress(reinterpret_cast<const void*>(&LoadLibrary)));
        const fs::path libraries = fs::path(host.str()).parent_path();
        folders.push_back(libraries.string());
        folders.push_back((libraries / "veltutil").string());
    }
    std::string path;
    for (const std::string& each : folders) path.append(path.empty() ? "" : ":").append(each);
    ::setenv("VELT_MODULE_PATH", path.c_str(), 1);
}

}  // namespace veltsim
