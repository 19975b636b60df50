#pragma once

#include "veltutil/platform/host/host_export.h"
#include "veltutil/platform/host/win_types.h"

// The screen as a device: its device context and what it answers about itself. The headless
// screen starts at 1280 x 1024 pixels and 96 pixels per inch; tests and hosts change it with
// the setters below (the system metrics SM_CXSCREEN and SM_CYSCREEN follow the same size).

using HDC = struct HDC__*;

constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 89;

// The screen's device context, for the screen (null), the desktop window or any other window
// (a window draws on the screen); null for a handle that is not a window. The screen has one
// context, shared by every caller.
VELTHOST_API HDC GetDC(HWND window);
// 1 for the screen's context, else 0.
VELTHOST_API int ReleaseDC(HWND window, HDC dc);
// HORZRES and VERTRES give the screen's size in pixels, LOGPIXELSX and LOGPIXELSY its pixels
// per inch; other indices, and contexts that are not the screen's, give 0.
VELTHOST_API int GetDeviceCaps(HDC dc, int index);

VELTHOST_API void SetScreenSize(int width, int height);
VELTHOST_API void SetScreenPixelsPerInch(int pixelsPerInch);
