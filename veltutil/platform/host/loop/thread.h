#pragma once

#include "veltutil/platform/host/host_export.h"
#include "veltutil/platform/host/loop/message_queue.h"  // the wait results and INFINITE
#include "veltutil/platform/host/win_types.h"

// Worker threads with Windows-style handles: start one, wait for it to end, close the handle.

using LPTHREAD_START_ROUTINE = DWORD (*)(void* parameter);

// Starts start(parameter) on a new thread; null when no thread could be started.
VELTHOST_API HANDLE CreateThread(LPTHREAD_START_ROUTINE start, void* parameter);
// WAIT_OBJECT_0 once the thread has ended, WAIT_TIMEOUT when milliseconds passed first.
VELTHOST_API DWORD WaitForSingleObject(HANDLE thread, DWORD milliseconds);
// Releases the handle; a thread still running goes on by itself.
VELTHOST_API BOOL CloseHandle(HANDLE thread);
