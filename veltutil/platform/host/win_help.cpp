#include "veltutil/platform/host/win_help.h"

#include <utility>

namespace {

WinHelpService& currentService() {
    static WinHelpService service;
    return service;
}

}  // namespace

WinHelpService SetWinHelpService(WinHelpService service) { return std::exchange(currentService(), std::move(service)); }

BOOL WinHelp(HWND owner, const char* helpFile, UINT command, std::uintptr_t data) {
    const WinHelpService& service = currentService();
    return service ? service(WinHelpRequest{owner, CString(helpFile), command, data}) : FALSE;
}

RecordedHelpRequests::RecordedHelpRequests() {
    previous_ = SetWinHelpService([this](const WinHelpRequest& request) {
        requests_.push_back(request);
        return TRUE;
    });
}

RecordedHelpRequests::~RecordedHelpRequests() { SetWinHelpService(std::move(previous_)); }
