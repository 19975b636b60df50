#pragma once

#include "veltutil/platform/host/strings/cstring.h"
#include "veltutil/platform/host/win_types.h"

namespace veltutil::detail {

// This library's own module: where its string table (and its dialog template) are found.
HINSTANCE LibraryModule();

// A text of this library's string table; empty for an unknown id.
CString LoadLibraryString(UINT id);

}  // namespace veltutil::detail
