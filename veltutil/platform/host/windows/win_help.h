#pragma once

#include <cstdint>
#include <functional>

#include "veltutil/platform/host/strings/cstring.h"
#include "veltutil/platform/host/host_export.h"
#include "veltutil/platform/host/win_types.h"

// Help requests go through one replaceable service, like message boxes. Without a service
// there is no help viewer: the request is dropped and WinHelp answers FALSE.

constexpr UINT HELP_CONTEXT = 0x0001;
constexpr UINT HELP_QUIT = 0x0002;
constexpr UINT HELP_CONTENTS = 0x0003;
constexpr UINT HELP_FINDER = 0x000B;

struct WinHelpRequest {
    HWND owner = nullptr;
    CString helpFile;
    UINT command = HELP_CONTENTS;
    std::uintptr_t data = 0;  // the context number for HELP_CONTEXT
};

using WinHelpService = std::function<BOOL(const WinHelpRequest&)>;

// Installs `service` and returns the one it replaces; an empty service restores the default.
VELTHOST_API WinHelpService SetWinHelpService(WinHelpService service);
VELTHOST_API BOOL WinHelp(HWND owner, const char* helpFile, UINT command, std::uintptr_t data);
