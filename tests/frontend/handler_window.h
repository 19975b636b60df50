#pragma once

#include <functional>

#include "../support/message_pump.h"
#include "veltutil/platform/host/windows/frame_wnd.h"

namespace velttest {

// A window whose WM_USER handler runs a test's reaction: what a person's click would run while
// the simulator yields.
class HandlerWindow : public CFrameWnd {
public:
    HandlerWindow() { Create("handler", WS_POPUP | WS_VISIBLE, CRect(), nullptr); }
    ~HandlerWindow() override { DestroyWindow(); }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_USER) {
            ++handled;
            if (onMessage) onMessage();
        }
        return CFrameWnd::WindowProc(message, wParam, lParam);
    }
    // Runs outside the window procedure, so what it throws leaves the message loop.
    BOOL PreTranslateMessage(MSG*) override {
        if (onPreTranslate) onPreTranslate();
        return FALSE;
    }

    int handled = 0;
    std::function<void()> onMessage;
    std::function<void()> onPreTranslate;
};

}  // namespace velttest
