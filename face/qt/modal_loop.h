#pragma once

#include <QDialog>

#include "veltutil/platform/host/win_types.h"

namespace veltface {

// Shows `dialog` application-modal and pumps the host's queue until the dialog is finished:
// the host's own loop, whose waits handle Qt's events, so that the windows' messages keep
// their order and no Qt event loop runs. WM_QUIT ends the dialog (rejected) and is posted
// again for the loop outside. Returns the dialog's result.
int RunModal(QDialog& dialog);

// The widget that shows `owner`'s top-level window, or null.
QWidget* OwnerWidget(HWND owner);

}  // namespace veltface
