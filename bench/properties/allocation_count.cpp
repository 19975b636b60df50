// Replaces the global allocation functions of this program with counting ones. The count is
// per thread and not atomic, unlike the tests' counter: a locked increment on every allocation
// would weigh on the timings of exactly the entries that allocate most.
#include "bench/properties/allocation_count.h"

#include <cstdlib>
#include <new>

namespace {
thread_local long count = 0;

void* allocate(std::size_t size) noexcept {
    ++count;
    return std::malloc(size ? size : 1);
}
}  // namespace

long veltbench::AllocationsSoFar() { return count; }
void veltbench::CountAllocation() { ++count; }

#define VELTBENCH_EXPORT __attribute__((visibility("default")))

VELTBENCH_EXPORT void* operator new(std::size_t size) {
    if (void* p = allocate(size)) return p;
    throw std::bad_alloc();
}
VELTBENCH_EXPORT void* operator new[](std::size_t size) { return operator new(size); }
VELTBENCH_EXPORT void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
VELTBENCH_EXPORT void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
VELTBENCH_EXPORT void operator delete(void* p) noexcept { std::free(p); }
VELTBENCH_EXPORT void operator delete[](void* p) noexcept { std::free(p); }
VELTBENCH_EXPORT void operator delete(void* p, std::size_t) noexcept { std::free(p); }
VELTBENCH_EXPORT void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
VELTBENCH_EXPORT void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
VELTBENCH_EXPORT void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
