#include "veltutil/platform/host/windows/system_metrics.h"

#include <cstring>

namespace {

struct Metrics {
    int pixelsPerInch = 96;
    int screenWidth = 1280;
    int screenHeight = 1024;
    LOGFONT iconTitleFont = defaultIconTitleFont();

    static LOGFONT defaultIconTitleFont() {
        LOGFONT font;
        font.lfHeight = -12;  // 9 points at 96 pixels per inch
        font.lfWeight = 400;
        std::strcpy(font.lfFaceName, "Sans");
        return font;
    }
};

Metrics& metrics() {
    static Metrics instance;
    return instance;
}

HDC screenDC() {
    static char screen;
    return reinterpret_cast<HDC>(&screen);
}

}  // namespace

int GetSystemMetrics(int index) {
    switch (index) {
    case SM_CXSCREEN: return metrics().screenWidth;
    case SM_CYSCREEN: return metrics().screenHeight;
    default: return 0;
    }
}

HDC GetDC(HWND) { return screenDC(); }

int ReleaseDC(HWND, HDC dc) { return dc == screenDC() ? 1 : 0; }

int GetDeviceCaps(HDC dc, int index) {
    if (dc != screenDC()) return 0;
    return index == LOGPIXELSX || index == LOGPIXELSY ? metrics().pixelsPerInch : 0;
}

BOOL SystemParametersInfo(UINT action, UINT uiParam, void* pvParam, UINT) {
    if (action != SPI_GETICONTITLELOGFONT || pvParam == nullptr || uiParam < sizeof(LOGFONT)) return FALSE;
    *static_cast<LOGFONT*>(pvParam) = metrics().iconTitleFont;
    return TRUE;
}

void SetScreenPixelsPerInch(int pixelsPerInch) { metrics().pixelsPerInch = pixelsPerInch; }

void SetIconTitleLogFont(const LOGFONT& font) { metrics().iconTitleFont = font; }

void SetScreenSize(int width, int height) {
    metrics().screenWidth = width;
    metrics().screenHeight = height;
}
