#include "veltutil/framework/windows_message_processing.h"

#include "veltutil/framework/internal/depth_scope.h"
#include "veltutil/platform/host/loop/message_queue.h"
#include "veltutil/platform/host/loop/win_app.h"

namespace {

constexpr int kBurstLimit = 50;
constexpr int kWaitPumpLimit = 100;
constexpr DWORD kWaitMilliseconds = 1;
constexpr DWORD kWakeMask = 0xBF;

// The running yield: its budget and its level fall back however it ends. Handlers' exceptions
// stop in the window procedure (CWnd::SendMessage), but pre-translation and idle processing
// run outside it, and what they throw leaves the yield.
class YieldScope {
public:
    YieldScope(int& pending, int& level, int budget) : pending_(pending), level_(level) { pending_ = budget; }
    ~YieldScope() { pending_ = 0; }
    YieldScope(const YieldScope&) = delete;
    YieldScope& operator=(const YieldScope&) = delete;

private:
    int& pending_;
    veltutil::detail::DepthScope level_;
};

}  // namespace

void CWindowsMessageProcessing::YieldTime(int level) {
    if (pending_ > 0) {
        pending_ += level;
        return;
    }
    YieldScope yield(pending_, yieldLevel_, level != 0 ? level : 1);
    DWORD start = GetTickCount();

    OnIdle();
    bool quit = !PumpWaiting(kBurstLimit, false);
    // pending_ is re-read on every pass: handlers may lengthen the yield meanwhile.
    while (!fasterMode_ && !quit && static_cast<long long>(GetTickCount() - start) < pending_) {
        if (MsgWaitForMultipleObjectsEx(0, nullptr, kWaitMilliseconds, kWakeMask, QS_ALLEVENTS) == WAIT_FAILED) break;
        quit = !PumpWaiting(kWaitPumpLimit, true);
    }

    if (accountingOn_) idledAmount_ += static_cast<DWORD>(pending_);
}

bool CWindowsMessageProcessing::PumpWaiting(int limit, bool idleAfterEach) {
    for (int i = 0; i < limit && PeekMessage(&message_, nullptr, 0, 0, PM_NOREMOVE); ++i) {
        if (!PumpMessage()) return false;
        if (idleAfterEach && IsIdleMessage(&message_)) OnIdle();
    }
    return true;
}

void CWindowsMessageProcessing::SimTimeBegin() {
    accountingOn_ = true;
    idledAmount_ = 0;
}

bool CWindowsMessageProcessing::PumpMessage() {
    if (!GetMessage(&message_, nullptr, 0, 0)) return false;
    if (message_.message == WM_KICKIDLE || PreTranslateMessage(&message_)) return true;
    TranslateMessage(&message_);
    DispatchMessage(&message_);
    return true;
}

void CWindowsMessageProcessing::OnIdle() {
    AfxUpdateIdleWindows(AfxGetMainWnd());
    if (CWinApp* app = AfxGetApp()) app->OnIdle(0);
}

bool CWindowsMessageProcessing::IsIdleMessage(MSG* msg) {
    return AfxIsIdleMessage(msg, lastMousePoint_, lastMouseMessage_);
}

bool CWindowsMessageProcessing::PreTranslateMessage(MSG* msg) {
    if (!msg->hwnd) return true;
    return AfxPreTranslateUpToMainWindow(msg, AfxGetMainWnd());
}
