#pragma once

#include <QDialog>

#include "veltutil/platform/host/win_types.h"

namespace veltface {

// Shows `dialog` application-modal and pumps the host's queue until the dialog is finished:
// the host's own loop, whose waits handle Qt's events, so that the windows' messages keep
// their order and no Qt event loop runs. WM_QUIT ends the dialog (rejected) and is posted
// again for the loop outside. Returns the dialog's result.
int RunModal(QDialog& dialog);
// The loop RunModal runs, until `finished` is set by a Qt event handled in its waits (whoever
// sets it posts a message, so that the wait ends); FALSE when WM_QUIT ended it instead, posted
// again for the loop outside.
bool PumpUntil(const bool& finished);

// The widget that shows `owner`'s top-level window, or null.
QWidget* OwnerWidget(HWND owner);

}  // namespace veltface
