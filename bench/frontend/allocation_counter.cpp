// Replaces the global allocation functions of this program with counting ones. Kept apart from
// the benchmarks so that the compiler never sees the replacement and its callers together.
#include "../../tests/support/allocation_counter.h"

long AllocationsSoFar() { return velttest::allocations.load(); }
