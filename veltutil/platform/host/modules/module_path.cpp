#include "veltutil/platform/host/modules/module_path.h"

#include "veltutil/platform/host/modules/module.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

namespace {

// Copies `part` into a buffer of `capacity` characters, cutting what does not fit.
void copyPart(char* out, std::string_view part, std::size_t capacity) {
    if (out == nullptr) return;
    std::size_t n = std::min(part.size(), capacity - 1);
    if (n > 0) std::memcpy(out, part.data(), n);
    out[n] = '\0';
}

}  // namespace

DWORD GetModuleFileName(HMODULE module, char* buffer, DWORD size) {
    if (buffer == nullptr || size == 0) return 0;
    CString path = GetModuleFileName(module);
    copyPart(buffer, path.view(), size);
    return static_cast<DWORD>(std::min<std::size_t>(path.str().size(), size - 1));
}

void _splitpath(const char* path, char* drive, char* dir, char* fname, char* ext) {
    std::string_view text = path != nullptr ? path : "";
    std::size_t slash = text.rfind('/');
    std::string_view directory = slash == std::string_view::npos ? std::string_view{} : text.substr(0, slash + 1);
    std::string_view name = text.substr(directory.size());
    std::size_t dot = name.rfind('.');
    std::string_view base = dot == std::string_view::npos ? name : name.substr(0, dot);
    copyPart(drive, {}, _MAX_DRIVE);
    copyPart(dir, directory, _MAX_DIR);
    copyPart(fname, base, _MAX_FNAME);
    copyPart(ext, name.substr(base.size()), _MAX_EXT);
}

void _makepath(char* path, const char* drive, const char* dir, const char* fname, const char* ext) {
    if (path == nullptr) return;
    std::string result;
    if (drive != nullptr) result += drive;
    if (dir != nullptr && *dir != '\0') {
        result += dir;
        if (result.back() != '/') result += '/';
    }
    if (fname != nullptr) result += fname;
    if (ext != nullptr && *ext != '\0') {
        if (*ext != '.') result += '.';
        result += ext;
    }
    copyPart(path, result, _MAX_PATH);
}
