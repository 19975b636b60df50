#pragma once

#include "veltutil/platform/host/strings/cstring.h"
#include "veltutil/platform/host/host_export.h"
#include "veltutil/platform/host/win_types.h"

// Loadable modules. As on Windows, a module handle is the address at which the module is
// mapped, so a module that never went through LoadLibrary (the library itself, the program)
// still has one, found from any address inside it.
//
// A bare file name is searched for in the directories of the environment variable
// VELT_MODULE_PATH (colon-separated) when it is set, otherwise beside the host library and in
// the veltutil/ folder there (where the installed package puts its modules). In
// each directory the name is tried as given and, for a name ending in ".dll", as the
// platform's module names "<stem>.so" and "lib<stem>.so": "grapher.dll" finds grapher.so.

using FARPROC = void (*)();

VELTHOST_API HMODULE LoadLibrary(const char* fileName);
// The exported function `name` of module, or null.
VELTHOST_API FARPROC GetProcAddress(HMODULE module, const char* name);
// Undoes one LoadLibrary; FALSE for a handle that LoadLibrary did not give out.
VELTHOST_API BOOL FreeLibrary(HMODULE module);

// The module that contains `address` (code or data), or null.
VELTHOST_API HMODULE GetModuleHandleFromAddress(const void* address);
// The path of module's file; null gives the program's path. Empty when unknown.
VELTHOST_API CString GetModuleFileName(HMODULE module);
