#pragma once

// Counts every global allocation of the test program, the library's included. Include this
// header in exactly one source file of a test executable: it replaces the global operator new.

#include <atomic>
#include <cstdlib>
#include <new>

namespace velttest {
inline std::atomic<long> allocations{0};

// Allocations made since construction.
class AllocationCount {
public:
    AllocationCount() : start_(allocations.load()) {}
    long operator()() const { return allocations.load() - start_; }

private:
    long start_;
};
}  // namespace velttest

#define VELTTEST_EXPORT __attribute__((visibility("default")))

VELTTEST_EXPORT void* operator new(std::size_t size) {
    ++velttest::allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
VELTTEST_EXPORT void* operator new[](std::size_t size) { return operator new(size); }
VELTTEST_EXPORT void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    ++velttest::allocations;
    return std::malloc(size ? size : 1);
}
VELTTEST_EXPORT void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
    return operator new(size, tag);
}
VELTTEST_EXPORT void operator delete(void* p) noexcept { std::free(p); }
VELTTEST_EXPORT void operator delete[](void* p) noexcept { std::free(p); }
VELTTEST_EXPORT void operator delete(void* p, std::size_t) noexcept { std::free(p); }
VELTTEST_EXPORT void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
VELTTEST_EXPORT void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
VELTTEST_EXPORT void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
