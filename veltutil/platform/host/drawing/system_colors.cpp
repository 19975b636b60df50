#include "veltutil/platform/host/drawing/system_colors.h"

#include <array>

namespace {

constexpr int kElementCount = 31;  // COLOR_SCROLLBAR (0) to COLOR_MENUBAR (30)

std::array<COLORREF, kElementCount>& colors() {
    static std::array<COLORREF, kElementCount> table = [] {
        std::array<COLORREF, kElementCount> initial{};
        initial.fill(RGB(240, 240, 240));
        initial[COLOR_WINDOW] = RGB(255, 255, 255);
        initial[COLOR_WINDOWTEXT] = RGB(0, 0, 0);
        initial[COLOR_HIGHLIGHT] = RGB(0, 120, 215);
        initial[COLOR_HIGHLIGHTTEXT] = RGB(255, 255, 255);
        initial[COLOR_GRAYTEXT] = RGB(109, 109, 109);
        initial[COLOR_BTNTEXT] = RGB(0, 0, 0);
        return initial;
    }();
    return table;
}

bool isElement(int index) { return index >= 0 && index < kElementCount; }

}  // namespace

DWORD GetSysColor(int index) { return isElement(index) ? colors()[static_cast<std::size_t>(index)] : 0; }

BOOL SetSysColors(int count, const int* elements, const COLORREF* values) {
    if (count < 0 || (count > 0 && (!elements || !values))) return FALSE;
    for (int i = 0; i < count; ++i) {
        if (!isElement(elements[i])) return FALSE;
    }
    for (int i = 0; i < count; ++i) colors()[static_cast<std::size_t>(elements[i])] = values[i];
    return TRUE;
}
