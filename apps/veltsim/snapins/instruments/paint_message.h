#pragma once

#include <veltutil/veltutil.h>

namespace veltsim {

// Answers the two ways a window is asked to draw itself: WM_PAINT (the screen, or nothing
// headless) and WM_PRINTCLIENT (the caller's device context, which checks record). False for
// any other message.
template <class Paint>
bool AnswerPaint(CWnd& wnd, UINT message, WPARAM wParam, Paint paint) {
    if (message == WM_PAINT) {
        CPaintDC dc(&wnd);
        paint(static_cast<CDC&>(dc));
        return true;
    }
    if (message == WM_PRINTCLIENT) {
        if (CDC* dc = CDC::FromHandle(reinterpret_cast<HDC>(wParam))) paint(*dc);
        return true;
    }
    return false;
}

}  // namespace veltsim
