#include "veltutil/platform/host/loop/message_queue.h"
#include "veltutil/platform/host/internal/window_registry.h"
#include "veltutil/platform/host/windows/wnd.h"

LRESULT DispatchMessage(const MSG* msg) {
    if (!msg) return 0;
    return SendMessage(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = veltutil::detail::WindowFromHandle(hwnd);
    return wnd ? wnd->SendMessage(message, wParam, lParam) : 0;
}
