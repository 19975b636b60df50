#pragma once

#include "veltutil/platform/host/loop/message_queue.h"
#include "veltutil/platform/host/windows/wnd.h"

namespace velttest {

// Delivers everything posted so far, as the application's loop would: each message is first
// offered to its window and the windows above it (dialogs take Enter and Escape there).
inline void PumpPosted() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (CWnd::WalkPreTranslateTree(nullptr, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

// As PumpPosted, but each message is first offered to PreTranslateMessage of its window and
// the window's parents, as the application's own loop does.
inline void PumpPostedThroughPreTranslate() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (CWnd::WalkPreTranslateTree(nullptr, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

// Leaves no message of one test for the next.
inline void DrainQueue() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {}
}

}  // namespace velttest
