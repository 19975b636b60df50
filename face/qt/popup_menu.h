#pragma once

#include "veltutil/platform/host/windows/menu.h"

namespace veltface {

// The pop-up menu service: shows the menu as a Qt menu at the point the request gives, aligned
// as its flags say, and runs the host's modal loop until the person chose a command (its id)
// or dismissed the menu (0).
UINT ChooseFromMenu(const PopupMenuRequest& request);

}  // namespace veltface
