#pragma once

#include "veltutil/platform/host/strings/cstring.h"

namespace veltutil::detail {

// The help context for a simulator message: that of the first known message fragment found
// in the line, ignoring letter case; 0 when none is found.
unsigned long FindAdvisorContext(const CString& line);

}  // namespace veltutil::detail
