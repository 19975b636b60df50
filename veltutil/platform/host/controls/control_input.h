#pragma once

#include "veltutil/platform/host/controls/list_box.h"
#include "veltutil/platform/host/controls/list_ctrl.h"

// A person's clicks on list controls, posted to the current thread's queue like the rest of
// user_input.h: nothing happens until the messages are pumped. Each click presses and releases
// the left button at the middle of its target; `keys` is the key state (MK_CONTROL) it carries.
// FALSE, and nothing posted, when the target does not exist.

// Clicks a list box item.
VELTHOST_API BOOL PostItemClick(CListBox& list, int index, WPARAM keys = 0);
// Clicks the cell of `row` in `column` of a list control.
VELTHOST_API BOOL PostCellClick(CListCtrl& list, int row, int column, WPARAM keys = 0);
// Clicks the title of `column` on a list control's header.
VELTHOST_API BOOL PostColumnClick(CListCtrl& list, int column);
