#pragma once

#include "veltutil/platform/host/host_export.h"
#include "veltutil/platform/host/win_types.h"

// Directory enumeration with wildcard patterns. The directory part of the pattern (up to its
// last '/', the current directory when there is none) selects the folder; the name part is
// matched against each entry with '*' (any run of characters) and '?' (any one character),
// case-sensitively as the file system is. "*.*" matches every name, dotted or not, as the
// pattern conventionally means. "." and ".." are entries like any other. Entries come in
// byte order of their names so that listings are the same on every run.

constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;

inline const HANDLE INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1));

struct WIN32_FIND_DATA {
    DWORD dwFileAttributes = 0;
    char cFileName[MAX_PATH] = {};
};

// Returns INVALID_HANDLE_VALUE when the folder cannot be read or nothing matches; otherwise
// fills `data` with the first entry.
VELTHOST_API HANDLE FindFirstFile(const char* pattern, WIN32_FIND_DATA* data);
// Fills `data` with the next entry; FALSE when there is none left.
VELTHOST_API BOOL FindNextFile(HANDLE find, WIN32_FIND_DATA* data);
VELTHOST_API BOOL FindClose(HANDLE find);
