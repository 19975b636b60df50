#include "veltutil/platform/host/controls/header_ctrl.h"

#include <algorithm>
#include <cstring>

#include "veltutil/platform/host/face/internal/face_hooks.h"

BOOL CHeaderCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create("", style | WS_CHILD, rect, parent, id);
}

int CHeaderCtrl::InsertItem(int index, const HDITEM* item) {
    if (!item || index < 0) return -1;
    index = std::min(index, GetItemCount());
    items_.insert(items_.begin() + index, Item{});
    SetItem(index, item);
    return index;
}

BOOL CHeaderCtrl::DeleteItem(int index) {
    if (!IsItem(index)) return FALSE;
    items_.erase(items_.begin() + index);
    veltutil::detail::ContentChanged(*this);
    return TRUE;
}

BOOL CHeaderCtrl::GetItem(int index, HDITEM* item) const {
    if (!IsItem(index) || !item) return FALSE;
    const Item& found = items_[static_cast<std::size_t>(index)];
    if (item->mask & HDI_WIDTH) item->cxy = found.width;
    if (item->mask & HDI_FORMAT) item->fmt = found.format;
    if (item->mask & HDI_LPARAM) item->lParam = found.data;
    if ((item->mask & HDI_TEXT) && item->pszText && item->cchTextMax > 0) {
        auto length = std::min<std::size_t>(found.text.str().size(), static_cast<std::size_t>(item->cchTextMax - 1));
        std::memcpy(item->pszText, found.text.GetString(), length);
        item->pszText[length] = '\0';
    }
    return TRUE;
}

BOOL CHeaderCtrl::SetItem(int index, const HDITEM* item) {
    if (!IsItem(index) || !item) return FALSE;
    Item& changed = items_[static_cast<std::size_t>(index)];
    if (item->mask & HDI_WIDTH) changed.width = std::max(item->cxy, 0);
    if (item->mask & HDI_FORMAT) changed.format = item->fmt;
    if (item->mask & HDI_LPARAM) changed.data = item->lParam;
    if (item->mask & HDI_TEXT) changed.text = item->pszText;
    veltutil::detail::ContentChanged(*this);
    return TRUE;
}

BOOL CHeaderCtrl::GetItemRect(int index, RECT* rect) const {
    if (!IsItem(index) || !rect) return FALSE;
    long left = 0;
    for (int i = 0; i < index; ++i) left += items_[static_cast<std::size_t>(i)].width;
    *rect = CRect(left, 0, left + items_[static_cast<std::size_t>(index)].width, Height);
    return TRUE;
}

int CHeaderCtrl::ItemFromX(long x) const {
    long right = 0;
    for (int i = 0; i < GetItemCount(); ++i) {
        long left = right;
        right += items_[static_cast<std::size_t>(i)].width;
        if (x >= left && x < right) return i;
    }
    return -1;
}

LRESULT CHeaderCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LBUTTONDOWN) {
        pressed_ = ItemFromX(GET_X_LPARAM(lParam));
        return 0;
    }
    if (message == WM_LBUTTONUP) {
        int released = ItemFromX(GET_X_LPARAM(lParam));
        bool clicked = released >= 0 && released == pressed_ && (GetStyle() & HDS_BUTTONS) && IsWindowEnabled() &&
                       IsWindowVisible();
        pressed_ = -1;
        if (clicked && GetParent()) {
            NMHEADER notice;
            notice.hdr = NMHDR{m_hWnd, static_cast<UINT>(GetDlgCtrlID()), HDN_ITEMCLICK};
            notice.iItem = released;
            GetParent()->SendMessage(WM_NOTIFY, static_cast<WPARAM>(GetDlgCtrlID()), reinterpret_cast<LPARAM>(&notice));
        }
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CHeaderCtrl::OnDestroy() {
    items_.clear();
    pressed_ = -1;
}
