#pragma once

namespace veltbench {

// Allocations this thread has made so far: every form of the global operator new (replaced in
// allocation_count.cpp), and allocations that a peer's own allocator reports through
// CountAllocation.
long AllocationsSoFar();
void CountAllocation();

}  // namespace veltbench
