#pragma once

namespace veltface {

// Message boxes, file dialogs and beeps go to Qt from now on, unless the program installed a
// service of its own before the face was chosen: that one stays.
void InstallServices();

}  // namespace veltface
