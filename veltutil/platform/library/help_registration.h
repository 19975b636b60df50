#pragma once

#include "veltutil/platform/host/win_types.h"
#include "veltutil/platform/library/library_export.h"

// Context help: before the framework opens help, the module whose window asked registers
// itself and the help id of that window, so that the help request is resolved against that
// module's help rather than the application's.
struct HelpDllRegistration {
    HINSTANCE module = nullptr;
    UINT helpId = 0;
};

VELTLIBRARY_API void SetHelpDllInstance(HINSTANCE module, UINT helpId);
// The latest registration; an empty one before the first.
VELTLIBRARY_API HelpDllRegistration GetHelpDllInstance();
