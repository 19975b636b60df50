#pragma once

// Counts every global allocation of the test program, the library's included, and can refuse
// large ones. Include this header in exactly one source file of a test executable: it replaces
// the global operator new.

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <limits>
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

inline std::atomic<std::size_t> largestAllowed{std::numeric_limits<std::size_t>::max()};

// While it lives, every allocation larger than `bytes` fails (std::bad_alloc, or null from the
// nothrow forms): code that must refuse a size before allocating it fails its test at once
// instead of touching gigabytes.
class AllocationLimit {
public:
    explicit AllocationLimit(std::size_t bytes) : previous_(largestAllowed.exchange(bytes)) {}
    ~AllocationLimit() { largestAllowed.store(previous_); }
    AllocationLimit(const AllocationLimit&) = delete;
    AllocationLimit& operator=(const AllocationLimit&) = delete;

private:
    std::size_t previous_;
};
}  // namespace velttest

#define VELTTEST_EXPORT __attribute__((visibility("default")))

// The replaced operators pair malloc with free by design; g++ flags the pairs it inlines.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

VELTTEST_EXPORT void* operator new(std::size_t size) {
    ++velttest::allocations;
    if (size <= velttest::largestAllowed.load()) {
        if (void* p = std::malloc(size ? size : 1)) return p;
    }
    throw std::bad_alloc();
}
VELTTEST_EXPORT void* operator new[](std::size_t size) { return operator new(size); }
VELTTEST_EXPORT void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    ++velttest::allocations;
    return size <= velttest::largestAllowed.load() ? std::malloc(size ? size : 1) : nullptr;
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

#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif
