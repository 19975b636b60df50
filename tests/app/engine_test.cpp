// ngspice in a process of its own: what the session survives of it.

#include <cstdlib>

#include <gtest/gtest.h>

namespace {

// The checks run from the tests' folder, not beside the engine.
const bool kEngineFound = ::setenv("VELTSIM_ENGINE", VELTSIM_ENGINE_PROGRAM, 0) == 0;

}  // namespace
