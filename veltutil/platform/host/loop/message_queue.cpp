#include "veltutil/platform/host/loop/message_queue.h"

#include "veltutil/platform/host/loop/internal/thread_queue.h"
#include "veltutil/platform/host/internal/window_registry.h"

using veltutil::detail::CurrentQueue;
using veltutil::detail::MakeMessage;
using veltutil::detail::QueueOf;

BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD threadId = GetCurrentThreadId();
    if (hwnd && !veltutil::detail::WindowThread(hwnd, threadId)) return FALSE;
    auto queue = QueueOf(threadId);
    if (!queue) return FALSE;
    queue->Post(MakeMessage(hwnd, message, wParam, lParam));
    return TRUE;
}

BOOL PostThreadMessage(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam) {
    auto queue = QueueOf(threadId);
    if (!queue) return FALSE;
    queue->Post(MakeMessage(nullptr, message, wParam, lParam));
    return TRUE;
}

void PostQuitMessage(int exitCode) { CurrentQueue().PostQuit(exitCode); }

BOOL PeekMessage(MSG* msg, HWND hwnd, UINT first, UINT last, UINT remove) {
    MSG found;
    if (!CurrentQueue().Peek(found, hwnd, first, last, (remove & PM_REMOVE) != 0)) return FALSE;
    if (msg) *msg = found;
    return TRUE;
}

BOOL GetMessage(MSG* msg, HWND hwnd, UINT first, UINT last) {
    if (!msg) return -1;
    CurrentQueue().Get(*msg, hwnd, first, last);
    return msg->message == WM_QUIT ? 0 : 1;
}

DWORD MsgWaitForMultipleObjectsEx(DWORD count, const HANDLE* /*handles*/, DWORD milliseconds, DWORD /*wakeMask*/,
                                  DWORD /*flags*/) {
    if (count != 0) return WAIT_FAILED;
    return CurrentQueue().WaitForInput(milliseconds) ? WAIT_OBJECT_0 + count : WAIT_TIMEOUT;
}
