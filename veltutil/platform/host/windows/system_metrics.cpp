#include "veltutil/platform/host/windows/system_metrics.h"

#include <cstring>

namespace {

struct Metrics {
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

}  // namespace

int GetSystemMetrics(int index) {
    switch (index) {
    case SM_CXSCREEN: return GetDeviceCaps(GetDC(nullptr), HORZRES);
    case SM_CYSCREEN: return GetDeviceCaps(GetDC(nullptr), VERTRES);
    default: return 0;
    }
}

BOOL SystemParametersInfo(UINT action, UINT uiParam, void* pvParam, UINT) {
    if (action != SPI_GETICONTITLELOGFONT || pvParam == nullptr || uiParam < sizeof(LOGFONT)) return FALSE;
    *static_cast<LOGFONT*>(pvParam) = metrics().iconTitleFont;
    return TRUE;
}

void SetIconTitleLogFont(const LOGFONT& font) { metrics().iconTitleFont = font; }
