#include "veltutil/platform/host/windows/win_help.h"

#include <utility>

#include "veltutil/platform/host/internal/service_slot.h"

namespace {

// Without a service there is no help viewer.
using Slot =
    veltutil::detail::ServiceSlot<WinHelpRequest, BOOL, &veltutil::detail::FixedReply<WinHelpRequest, BOOL, FALSE>>;

Slot& slot() {
    static Slot help;
    return help;
}

}  // namespace

WinHelpService SetWinHelpService(WinHelpService service) { return slot().Replace(std::move(service)); }

BOOL WinHelp(HWND owner, const char* helpFile, UINT command, std::uintptr_t data) {
    return slot().Ask(WinHelpRequest{owner, CString(helpFile), command, data});
}
