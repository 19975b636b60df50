#pragma once

#include "veltutil/export.h"
#include "veltutil/platform/host/strings/cstring.h"

class CMenu;

// Small conveniences around the host's user interface.

// Shows the "Internal Error" box with `message`. With `askQuit` the box also asks whether to
// quit (Yes/No); the answer is deliberately not acted on, since what quitting should mean for
// the application hosting the library is the application's decision. Returns once the box is
// closed.
VELTUTIL_API void ProgrammerError(const char* message, int askQuit);

// Directory of the running executable, always ending in the directory separator ("/" here);
// "/" alone when the executable's path cannot be read.
VELTUTIL_API CString MainDir();

// 1 when the system's icon-title font is smaller than 6 points, else 0.
VELTUTIL_API int IsLargeSize();

// Switches to the standard wait cursor when it can be loaded.
VELTUTIL_API void DispHourGlass();

// Tracks the first submenu of `menu` as a right-button pop-up at the cursor position, owned by
// the application's main window (none without an application), which gets the chosen command;
// returns the result of the tracking call, or 0 when `menu` has no first submenu.
VELTUTIL_API int PopupRightButtonMenu(CMenu& menu);
