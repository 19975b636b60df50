#include "veltutil/foundation/file_info_simple.h"

#include "veltutil/platform/host/files/file_find.h"
#include "veltutil/platform/host/modules/module_path.h"

CFileInfoSimple::CFileInfoSimple() = default;

CFileInfoSimple::~CFileInfoSimple() = default;

int CFileInfoSimple::DirFile(const char* pattern, bool withoutExtension) {
    ResetContent();
    WIN32_FIND_DATA entry;
    HANDLE find = FindFirstFile(pattern, &entry);
    if (find == INVALID_HANDLE_VALUE) return 0;
    do {
        if (entry.cFileName[0] == '\0' || (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
        if (withoutExtension) {
            char name[_MAX_FNAME];
            _splitpath(entry.cFileName, nullptr, nullptr, name, nullptr);
            names_.Add(name);
        } else {
            names_.Add(entry.cFileName);
        }
    } while (FindNextFile(find, &entry));
    FindClose(find);
    return GetCount();
}

CString CFileInfoSimple::GetFileName(int i) const {
    return i >= 0 && i < GetCount() ? names_.GetAt(i) : CString();
}
