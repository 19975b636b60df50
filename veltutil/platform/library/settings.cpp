#include "veltutil/platform/library/settings.h"

void CUTStatusBar::SetTextInfo(const char* text) { text_ = text; }

CUTSettings* GetSettings() {
    static CUTSettings settings;
    return &settings;
}
