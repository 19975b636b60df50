#pragma once

#include "veltutil/platform/host/host_export.h"
#include "veltutil/platform/host/win_types.h"

// The mouse cursor of the headless host: nothing is drawn, but the current cursor shape and
// position are kept so that callers and tests can read them back.

using HCURSOR = struct HCURSOR__*;

inline const LPCSTR IDC_ARROW = MAKEINTRESOURCE(32512);
inline const LPCSTR IDC_IBEAM = MAKEINTRESOURCE(32513);
inline const LPCSTR IDC_WAIT = MAKEINTRESOURCE(32514);
inline const LPCSTR IDC_CROSS = MAKEINTRESOURCE(32515);

// With a null instance, one of the standard cursors above; anything else is not found (null).
VELTHOST_API HCURSOR LoadCursor(HINSTANCE instance, LPCSTR name);
// Makes `cursor` current and returns the previous one.
VELTHOST_API HCURSOR SetCursor(HCURSOR cursor);
VELTHOST_API HCURSOR GetCursor();
VELTHOST_API BOOL GetCursorPos(POINT* point);
VELTHOST_API BOOL SetCursorPos(int x, int y);
