#pragma once

#include <string>

namespace veltsim {

// The folder of the live plotting module, which shows pages in windows of their own, for the
// program at `program`: in a build tree the build's livegrapher/ folder, two folders above the
// program's; installed, lib/veltutil/live beside the program's bin/. Empty when neither holds
// the module.
std::string LiveModuleFolder(const std::string& program);

// Puts `folder` first in VELT_MODULE_PATH, so that LoadLibrary finds a module there before
// any other. Unset, the variable gets the folders LoadLibrary searched without it after
// `folder`, so that every other module is still found where it was.
void PutModuleFolderFirst(const std::string& folder);

}  // namespace veltsim
