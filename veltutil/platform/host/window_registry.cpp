#include "veltutil/platform/host/internal/window_registry.h"

#include <cstdint>
#include <mutex>
#include <unordered_map>

#include "veltutil/platform/host/kernel.h"

namespace veltutil::detail {

namespace {

struct WindowEntry {
    CWnd* wnd;
    DWORD threadId;
};

struct Registry {
    std::mutex mutex;
    std::unordered_map<HWND, WindowEntry> windows;
    std::uintptr_t lastHandle = 0;
};

Registry& registry() {
    // Never destroyed: windows of static objects may unregister during process exit.
    static Registry* instance = new Registry;
    return *instance;
}

}  // namespace

HWND RegisterWindow(CWnd* wnd) {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    // Even numbers, well away from null and from the small sentinel values handles are compared with.
    r.lastHandle += 0x10;
    auto hwnd = reinterpret_cast<HWND>(0x10000 + r.lastHandle);
    r.windows.emplace(hwnd, WindowEntry{wnd, GetCurrentThreadId()});
    return hwnd;
}

void UnregisterWindow(HWND hwnd) {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    r.windows.erase(hwnd);
}

CWnd* WindowFromHandle(HWND hwnd) {
    if (!hwnd) return nullptr;
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    auto it = r.windows.find(hwnd);
    return it == r.windows.end() ? nullptr : it->second.wnd;
}

bool WindowThread(HWND hwnd, DWORD& threadId) {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    auto it = r.windows.find(hwnd);
    if (it == r.windows.end()) return false;
    threadId = it->second.threadId;
    return true;
}

}  // namespace veltutil::detail
