#pragma once

#include "veltutil/platform/host/host_export.h"
#include "veltutil/platform/host/windows/tree_ctrl.h"

// What a person does at the keyboard and mouse, as the input messages it posts to the current
// thread's queue: nothing happens until the messages are pumped. For scripted sessions and tests.

// Types the text into the window, one WM_CHAR per character.
VELTHOST_API void PostTypedText(CWnd& wnd, const char* text);
// Presses and releases a key: WM_KEYDOWN (which TranslateMessage turns into a character where
// the key types one) and WM_KEYUP.
VELTHOST_API void PostKeyPress(CWnd& wnd, UINT virtualKey);
VELTHOST_API void PostClick(CWnd& button);
// Double-clicks the row of a tree item; FALSE (and nothing posted) when the item has no row on screen.
VELTHOST_API BOOL PostDoubleClick(CTreeCtrl& tree, HTREEITEM item);
// Clicks the window's close box.
VELTHOST_API void PostClose(CWnd& wnd);
