#pragma once

#include "veltutil/platform/host/win_types.h"

class CWnd;

namespace veltutil::detail {

// Maps window handles to their objects and owning threads. Handles are never reused, so a
// message posted to a window that has since been destroyed finds nothing instead of a stranger.
HWND RegisterWindow(CWnd* wnd);
void UnregisterWindow(HWND hwnd);
CWnd* WindowFromHandle(HWND hwnd);
bool WindowThread(HWND hwnd, DWORD& threadId);

}  // namespace veltutil::detail
