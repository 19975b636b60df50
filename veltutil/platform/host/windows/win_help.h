#pragma once

#include <cstdint>

#include "veltutil/platform/host/strings/cstring.h"
#include "veltutil/platform/host/host_export.h"
#include "veltutil/platform/host/host_service.h"
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

using WinHelpService = veltutil::detail::ServiceFunction<WinHelpRequest, BOOL>;

// Installs `service` and returns the one it replaces; an empty service restores the default.
VELTHOST_API WinHelpService SetWinHelpService(WinHelpService service);
VELTHOST_API BOOL WinHelp(HWND owner, const char* helpFile, UINT command, std::uintptr_t data);

// For tests: records every help request; each is shown successfully unless a FALSE answer was
// queued. Restores the previous service when destroyed.
using RecordedHelpRequests =
    veltutil::detail::ScriptedService<WinHelpRequest, BOOL, &SetWinHelpService,
                                      &veltutil::detail::FixedReply<WinHelpRequest, BOOL, TRUE>>;
