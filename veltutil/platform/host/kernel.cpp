#include "veltutil/platform/host/kernel.h"

#include <atomic>
#include <chrono>

DWORD GetCurrentThreadId() {
    static std::atomic<DWORD> last{0};
    thread_local const DWORD id = ++last;
    return id;
}

DWORD GetTickCount() {
    using namespace std::chrono;
    auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return static_cast<DWORD>(ms);
}
