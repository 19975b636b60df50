#pragma once

#include "veltutil/platform/host/host_export.h"
#include "veltutil/platform/host/win_types.h"

// Screen and system settings of the headless host. The values start as a 96 dots-per-inch
// screen with a 9-point icon-title font; tests and hosts change them with the setters.

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
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 89;

// SM_CXSCREEN and SM_CYSCREEN give the screen's size in pixels (1280 x 1024 at first); other
// indices give 0.
VELTHOST_API int GetSystemMetrics(int index);

// The screen's device context; the headless screen has one, shared by every caller.
VELTHOST_API HDC GetDC(HWND window);
VELTHOST_API int ReleaseDC(HWND window, HDC dc);
// LOGPIXELSX and LOGPIXELSY give the screen's pixels per inch; other indices give 0.
VELTHOST_API int GetDeviceCaps(HDC dc, int index);
// SPI_GETICONTITLELOGFONT copies the icon-title font into the LOGFONT at `pvParam` (whose
// size `uiParam` must be at least sizeof(LOGFONT)); other actions are not supported (FALSE).
VELTHOST_API BOOL SystemParametersInfo(UINT action, UINT uiParam, void* pvParam, UINT winIni);

VELTHOST_API void SetScreenPixelsPerInch(int pixelsPerInch);
VELTHOST_API void SetScreenSize(int width, int height);
VELTHOST_API void SetIconTitleLogFont(const LOGFONT& font);
