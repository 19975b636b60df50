#pragma once

#include "veltutil/platform/host/windows/message_box.h"

namespace veltface {

// A message box as a Qt dialog over its owner, with the buttons, icon and default button of
// its type; the answer is the button pressed. Closing the box without a button answers Cancel
// when the box has one, else its default button.
int AskWithMessageBox(const MessageBoxRequest& request);

}  // namespace veltface
