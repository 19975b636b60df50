#include "veltutil/platform/host/windows/user_input.h"

void PostTypedText(CWnd& wnd, const char* text) {
    for (const char* p = text; p && *p; ++p) wnd.PostMessage(WM_CHAR, static_cast<unsigned char>(*p));
}

void PostKeyPress(CWnd& wnd, UINT virtualKey) {
    wnd.PostMessage(WM_KEYDOWN, virtualKey);
    wnd.PostMessage(WM_KEYUP, virtualKey);
}

void PostClick(CWnd& button) { button.PostMessage(BM_CLICK); }

BOOL PostDoubleClick(CTreeCtrl& tree, HTREEITEM item) {
    RECT row;
    if (!tree.GetItemRect(item, &row, TRUE)) return FALSE;
    auto x = static_cast<WORD>(row.left + 1);
    auto y = static_cast<WORD>(row.top + CTreeCtrl::ItemHeight / 2);
    tree.PostMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(x, y));
    tree.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    return tree.PostMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(x, y));
}

void PostClose(CWnd& wnd) { wnd.PostMessage(WM_SYSCOMMAND, SC_CLOSE); }
