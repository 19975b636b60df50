#pragma once

#include <QString>

namespace veltface {

// Why Qt could not open its platform here (no display to connect to, no plugin for the chosen
// platform), so that the face says so instead of Qt ending the process; empty when it can.
QString DisplayProblem();

}  // namespace veltface
