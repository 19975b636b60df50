#pragma once

#include "veltutil/platform/host/host_export.h"
#include "veltutil/platform/host/win_types.h"

// Colours: 0x00BBGGRR values, and the system's colours for window elements. The headless
// system answers fixed colours, those of a freshly installed desktop; tests and hosts change
// them with SetSysColors.

constexpr COLORREF RGB(BYTE red, BYTE green, BYTE blue) {
    return static_cast<COLORREF>(red) | (static_cast<COLORREF>(green) << 8) | (static_cast<COLORREF>(blue) << 16);
}
constexpr BYTE GetRValue(COLORREF color) { return static_cast<BYTE>(color & 0xFF); }
constexpr BYTE GetGValue(COLORREF color) { return static_cast<BYTE>((color >> 8) & 0xFF); }
constexpr BYTE GetBValue(COLORREF color) { return static_cast<BYTE>((color >> 16) & 0xFF); }

constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWTEXT = 8;
constexpr int COLOR_HIGHLIGHT = 13;
constexpr int COLOR_HIGHLIGHTTEXT = 14;
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_3DFACE = COLOR_BTNFACE;
constexpr int COLOR_GRAYTEXT = 17;
constexpr int COLOR_BTNTEXT = 18;

// The colour of a display element; 0 (black) for an index that names none.
VELTHOST_API DWORD GetSysColor(int index);
// Sets `count` elements at once; FALSE, and nothing changed, when an index names no element.
VELTHOST_API BOOL SetSysColors(int count, const int* elements, const COLORREF* values);
