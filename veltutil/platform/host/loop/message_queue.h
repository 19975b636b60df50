#pragma once

#include "veltutil/platform/host/host_export.h"
#include "veltutil/platform/host/kernel.h"
#include "veltutil/platform/host/messages.h"

// The message queue of a thread. Each thread that touches the queue gets its own; a window's
// messages go to the queue of the thread that created it. Every posted message counts as input
// for the wait functions: the headless host has no separate input, paint or timer queues.

constexpr UINT PM_NOREMOVE = 0x0000;
constexpr UINT PM_REMOVE = 0x0001;

constexpr DWORD QS_ALLEVENTS = 0x04BF;
constexpr DWORD QS_ALLINPUT = 0x04FF;
constexpr DWORD MWMO_INPUTAVAILABLE = 0x0004;
constexpr DWORD WAIT_OBJECT_0 = 0;
constexpr DWORD WAIT_TIMEOUT = 258;
constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;
constexpr DWORD INFINITE = 0xFFFFFFFF;

// FALSE when the window does not exist. A null window posts to the current thread.
VELTHOST_API BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// FALSE when the thread has no queue yet.
VELTHOST_API BOOL PostThreadMessage(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam);
// Asks the current thread's loop to end: WM_QUIT is delivered once no posted message is left.
VELTHOST_API void PostQuitMessage(int exitCode);

// Looks for the first message for `hwnd` (any window when null) in [first, last] (all when both
// are 0). TRUE and a copy in *msg when found; PM_REMOVE also takes it off the queue.
VELTHOST_API BOOL PeekMessage(MSG* msg, HWND hwnd, UINT first, UINT last, UINT remove);
// Waits for the next matching message and removes it: 0 for WM_QUIT, -1 for a null msg, else 1.
VELTHOST_API BOOL GetMessage(MSG* msg, HWND hwnd, UINT first, UINT last);
// Turns a key press that types a character into a posted WM_CHAR; TRUE when it did
// (key_translation.cpp).
VELTHOST_API BOOL TranslateMessage(const MSG* msg);
// Hands the message to its window; 0 when it has no (living) window (windows/dispatch.cpp).
VELTHOST_API LRESULT DispatchMessage(const MSG* msg);
// Calls the window's handler at once, bypassing the queue; 0 when the window does not exist.
VELTHOST_API LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Sleeps until the current thread's queue holds a message or `milliseconds` pass, whichever
// comes first: WAIT_OBJECT_0 + count for input, WAIT_TIMEOUT otherwise. The headless host has
// no waitable objects, so a non-zero count fails with WAIT_FAILED.
VELTHOST_API DWORD MsgWaitForMultipleObjectsEx(DWORD count, const HANDLE* handles, DWORD milliseconds,
                                               DWORD wakeMask, DWORD flags);
