#pragma once

#include <QKeyEvent>
#include <QMouseEvent>

#include "veltutil/platform/host/windows/wnd.h"

namespace veltface {

// A key a person pressed on `target`'s widget, posted to the window that has the host's
// keyboard focus in the same top-level window (else to `target`): keys the host knows as a
// key press, other characters as typed text. FALSE when the key means nothing to the host.
bool PostKey(CWnd& target, const QKeyEvent& event);
// As PostKey, to `wnd` itself: a control's widget, which has the keyboard only when a person
// or the host gave it to that control.
bool PostKeyTo(CWnd& wnd, const QKeyEvent& event);
// A left button press, release or double click, posted with its client coordinates.
void PostMouse(CWnd& target, const QMouseEvent& event);

}  // namespace veltface
