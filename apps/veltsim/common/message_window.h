#pragma once

#include <functional>
#include <utility>

#include <veltutil/veltutil.h>

namespace veltsim {

// A hidden window of the thread that makes it, to which a message is posted so that work is
// done when that thread's loop takes the message, wherever it pumps: in its own loop or in a
// yield. Every other message goes to the window's default handling.
class MessageWindow : public CWnd {
public:
    using Handler = std::function<void(WPARAM wParam)>;

    MessageWindow(const char* name, UINT message, Handler handler) : message_(message), handler_(std::move(handler)) {
        Create(name, WS_POPUP, CRect(0, 0, 0, 0), nullptr);
    }
    ~MessageWindow() override { DestroyWindow(); }

    BOOL Post(WPARAM wParam = 0) { return PostMessage(message_, wParam); }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != message_) return CWnd::WindowProc(message, wParam, lParam);
        handler_(wParam);
        return 0;
    }

private:
    UINT message_;
    Handler handler_;
};

}  // namespace veltsim
