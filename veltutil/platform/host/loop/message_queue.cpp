#include "veltutil/platform/host/loop/message_queue.h"

#include <chrono>

#include "veltutil/platform/host/face/internal/face_hooks.h"
#include "veltutil/platform/host/internal/window_registry.h"
#include "veltutil/platform/host/loop/internal/thread_queue.h"

using veltutil::detail::CurrentQueue;
using veltutil::detail::Face;
using veltutil::detail::FaceOfThisThread;
using veltutil::detail::MakeMessage;
using veltutil::detail::QueueOf;

namespace {

// The face's UI thread waits in the toolkit's event loop, so that the screen stays alive while
// the thread waits for its queue; a post to the queue wakes that loop.
template <class Ready>
bool waitInFace(Face& face, DWORD milliseconds, Ready ready) {
    auto start = std::chrono::steady_clock::now();
    for (;;) {
        face.ArmWake();
        if (ready()) return true;
        DWORD left = INFINITE;
        if (milliseconds != INFINITE) {
            auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
            if (spent.count() >= milliseconds) return false;
            left = milliseconds - static_cast<DWORD>(spent.count());
        }
        face.ProcessEvents(left);
    }
}

}  // namespace

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
    // A loop that only peeks (a yield, an idle loop) keeps the screen alive too.
    if (Face* face = FaceOfThisThread()) face->ProcessEvents(0);
    MSG found;
    if (!CurrentQueue().Peek(found, hwnd, first, last, (remove & PM_REMOVE) != 0)) return FALSE;
    if (msg) *msg = found;
    return TRUE;
}

BOOL GetMessage(MSG* msg, HWND hwnd, UINT first, UINT last) {
    if (!msg) return -1;
    if (Face* face = FaceOfThisThread()) {
        waitInFace(*face, INFINITE, [&] { return CurrentQueue().Peek(*msg, hwnd, first, last, true); });
    } else {
        CurrentQueue().Get(*msg, hwnd, first, last);
    }
    return msg->message == WM_QUIT ? 0 : 1;
}

DWORD MsgWaitForMultipleObjectsEx(DWORD count, const HANDLE* /*handles*/, DWORD milliseconds, DWORD /*wakeMask*/,
                                  DWORD /*flags*/) {
    if (count != 0) return WAIT_FAILED;
    bool input = false;
    if (Face* face = FaceOfThisThread()) {
        MSG ignored;
        input = waitInFace(*face, milliseconds, [&] { return CurrentQueue().Peek(ignored, nullptr, 0, 0, false); });
    } else {
        input = CurrentQueue().WaitForInput(milliseconds);
    }
    return input ? WAIT_OBJECT_0 + count : WAIT_TIMEOUT;
}
