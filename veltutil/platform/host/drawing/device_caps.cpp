#include "veltutil/platform/host/drawing/device_caps.h"

#include <atomic>

#include "veltutil/platform/host/internal/window_registry.h"

namespace {

struct Screen {
    std::atomic<int> width{1280};
    std::atomic<int> height{1024};
    std::atomic<int> pixelsPerInch{96};
};

Screen& screen() {
    static Screen instance;
    return instance;
}

HDC screenDC() {
    static char context;
    return reinterpret_cast<HDC>(&context);
}

}  // namespace

HDC GetDC(HWND window) {
    if (window && !veltutil::detail::WindowFromHandle(window)) return nullptr;
    return screenDC();
}

int ReleaseDC(HWND, HDC dc) { return dc == screenDC() ? 1 : 0; }

int GetDeviceCaps(HDC dc, int index) {
    if (dc != screenDC()) return 0;
    switch (index) {
    case HORZRES: return screen().width;
    case VERTRES: return screen().height;
    case LOGPIXELSX:
    case LOGPIXELSY: return screen().pixelsPerInch;
    default: return 0;
    }
}

void SetScreenSize(int width, int height) {
    screen().width = width;
    screen().height = height;
}

void SetScreenPixelsPerInch(int pixelsPerInch) { screen().pixelsPerInch = pixelsPerInch; }
