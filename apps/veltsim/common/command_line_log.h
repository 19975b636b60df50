#pragma once

#include <veltutil/veltutil.h>

namespace veltsim {

// The log that snap-ins answer into: the application's command-line log, registered with the
// container under kCommandLineLogName, or else the front end's audit trail. Null without either.
CTreeLog* CommandLineLog(CGuiFE& frontEnd);

}  // namespace veltsim
