#include "veltutil/platform/host/controls/control_input.h"

namespace {

BOOL postClickAt(CWnd& wnd, const RECT& target, WPARAM keys) {
    auto x = static_cast<WORD>((target.left + target.right) / 2);
    auto y = static_cast<WORD>((target.top + target.bottom) / 2);
    wnd.PostMessage(WM_LBUTTONDOWN, keys | MK_LBUTTON, MAKELPARAM(x, y));
    return wnd.PostMessage(WM_LBUTTONUP, keys, MAKELPARAM(x, y));
}

}  // namespace

BOOL PostItemClick(CListBox& list, int index, WPARAM keys) {
    CRect item;
    return list.GetItemRect(index, &item) != LB_ERR && postClickAt(list, item, keys);
}

BOOL PostCellClick(CListCtrl& list, int row, int column, WPARAM keys) {
    CRect cell;
    return list.GetSubItemRect(row, column, LVIR_LABEL, cell) && postClickAt(list, cell, keys);
}

BOOL PostColumnClick(CListCtrl& list, int column) {
    CHeaderCtrl* header = list.GetHeaderCtrl();
    CRect title;
    return header && header->GetItemRect(column, &title) && postClickAt(*header, title, 0);
}
