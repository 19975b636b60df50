#pragma once

#include "veltutil/export.h"
#include "veltutil/platform/host/windows/button.h"
#include "veltutil/platform/host/windows/wnd.h"

// Small helpers for dialog code. They keep no state: everything lives in the controls.

// One entry of a button table; a table ends with an entry whose button is null.
struct ButtonAssoc {
    int value;
    CButton* button;
};

// Radio-style choice over a button table.
// choice != -1: checks every button whose value is `choice` and unchecks every other checked
// one; returns choice when some entry had it, else -1.
// choice == -1: the position (not the value) of the first checked button, -1 when none is.
// -1 at once for a table whose first entry has no button.
//   {10, 20, 30} with the second checked: exclusiveChoice(-1, t) -> 1, exclusiveChoice(30, t) -> 30
VELTUTIL_API int exclusiveChoice(int choice, ButtonAssoc* table);

// Enables (enable != 0) or disables each window of the null-terminated array.
VELTUTIL_API void enabledIf(int enable, CWnd** windows);

// Shows the first submenu of the menu resource `menuId` (from whichever loaded module holds
// it) at the mouse position, tracking the right button; the chosen command goes to the
// application's main window. Nothing happens when no module holds the menu.
VELTUTIL_API void rButtonMenu(unsigned long menuId);
