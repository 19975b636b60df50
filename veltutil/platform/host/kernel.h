#pragma once

#include "veltutil/platform/host/host_export.h"
#include "veltutil/platform/host/win_types.h"

// The two kernel services that every family of the host layer stands on: which thread is
// running and what time it is. They depend on nothing else in the host layer.

// A small number naming the calling thread, unique for the life of the process and never 0.
VELTHOST_API DWORD GetCurrentThreadId();
// Milliseconds since an arbitrary start, wrapping after about 49.7 days as a 32-bit count.
VELTHOST_API DWORD GetTickCount();
