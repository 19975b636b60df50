#pragma once

#include "veltutil/platform/host/host_export.h"
#include "veltutil/platform/host/win_types.h"

// The running module's file and the runtime's path splitting and joining. Paths use '/' as the
// separator and have no drive, so the drive part is always empty.

constexpr int _MAX_PATH = MAX_PATH;
constexpr int _MAX_DRIVE = 3;
constexpr int _MAX_DIR = 256;
constexpr int _MAX_FNAME = 256;
constexpr int _MAX_EXT = 256;

// Full path of module's file, null for the running executable (module.h). Writes at most
// `size` characters including the terminating zero, truncating a longer path, and returns the
// number of characters written without the zero; 0 on failure.
VELTHOST_API DWORD GetModuleFileName(HMODULE module, char* buffer, DWORD size);

// Splits `path` into drive, directory (with its trailing '/'), file name and extension (with
// its dot). Any output may be null; each must hold its _MAX_ size and longer parts are cut.
VELTHOST_API void _splitpath(const char* path, char* drive, char* dir, char* fname, char* ext);
// Joins the parts into `path` (at least _MAX_PATH characters): a '/' is put after a directory
// that lacks one and a '.' before an extension that lacks one. Null parts are left out.
VELTHOST_API void _makepath(char* path, const char* drive, const char* dir, const char* fname, const char* ext);
