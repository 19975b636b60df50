#pragma once

#include "veltutil/platform/host/drawing/device_caps.h"
#include "veltutil/platform/host/host_export.h"
#include "veltutil/platform/host/win_types.h"

// System settings of the headless host: the screen's size (as its device reports it,
// drawing/device_caps.h) and a 9-point icon-title font, which tests and hosts change with
// SetIconTitleLogFont.

constexpr int LF_FACESIZE = 32;

struct LOGFONT {
    LONG lfHeight = 0;  // negative: character height in pixels
    LONG lfWidth = 0;
    LONG lfEscapement = 0;
    LONG lfOrientation = 0;
    LONG lfWeight = 0;
    BYTE lfItalic = 0;
    BYTE lfUnderline = 0;
    BYTE lfStrikeOut = 0;
    BYTE lfCharSet = 0;
    BYTE lfOutPrecision = 0;
    BYTE lfClipPrecision = 0;
    BYTE lfQuality = 0;
    BYTE lfPitchAndFamily = 0;
    char lfFaceName[LF_FACESIZE] = {};
};

constexpr UINT SPI_GETICONTITLELOGFONT = 0x001F;
constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;

// SM_CXSCREEN and SM_CYSCREEN give the screen's size in pixels (1280 x 1024 at first); other
// indices give 0.
VELTHOST_API int GetSystemMetrics(int index);

// SPI_GETICONTITLELOGFONT copies the icon-title font into the LOGFONT at `pvParam` (whose
// size `uiParam` must be at least sizeof(LOGFONT)); other actions are not supported (FALSE).
VELTHOST_API BOOL SystemParametersInfo(UINT action, UINT uiParam, void* pvParam, UINT winIni);

VELTHOST_API void SetIconTitleLogFont(const LOGFONT& font);
