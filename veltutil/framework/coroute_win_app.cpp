#include "veltutil/framework/coroute_win_app.h"

#include <optional>

#include "veltutil/framework/internal/depth_scope.h"
#include "veltutil/platform/host/loop/message_queue.h"

CCorouteWinApp::CCorouteWinApp() : CWinApp(nullptr) {}

int CCorouteWinApp::Run() {
    YieldTime(0);
    return exitCode_;
}

void CCorouteWinApp::YieldTime(int steps) {
    OnIdle(0);
    OnIdle(1);
    const bool counted = steps != 0;
    // An exception from pre-translation or idle processing leaves the loop in the state stored
    // before the call and the level as before this yield.
    std::optional<veltutil::detail::DepthScope> level;
    if (counted) level.emplace(yieldLevel_);
    while (state_ != kQuit) {
        if (state_ != kPump && state_ != kClassify && state_ != kLookMore) {
            IdlePhase();
            state_ = counted ? kLookMore : kPump;
        }
        for (bool more = true; more;) {
            if (counted && steps-- == 0) return;
            more = PumpTurn();
        }
    }
}

void CCorouteWinApp::IdlePhase() {
    state_ = kLookIdle;
    while (idle_) {
        if (state_ == kLookIdle) {
            if (PeekMessage(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE)) break;
            state_ = kCallIdle;
        } else {
            // The next state is stored before every call that may re-enter the loop.
            state_ = kLookIdle;
            if (!OnIdle(idleCount_++)) idle_ = 0;
        }
    }
}

bool CCorouteWinApp::PumpTurn() {
    if (state_ == kPump) {
        state_ = kClassify;
        if (!PumpMessage()) {
            state_ = kQuit;
            exitCode_ = ExitInstance();
            return false;
        }
    }
    if (state_ == kClassify) {
        state_ = kLookMore;
        if (IsIdleMessage(&m_msgCur)) {
            idle_ = 1;
            idleCount_ = 0;
        }
    }
    if (state_ != kLookMore) return false;
    if (PeekMessage(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE)) {
        state_ = kPump;
        return true;
    }
    state_ = kNewPass;
    if (!OnIdle(idleCount_++)) idle_ = 0;
    return false;
}
