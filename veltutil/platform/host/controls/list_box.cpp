#include "veltutil/platform/host/controls/list_box.h"

#include "veltutil/platform/host/controls/internal/string_list.h"
#include "veltutil/platform/host/face/internal/face_hooks.h"

CListBox::CListBox() : items_(std::make_unique<veltutil::detail::StringList>()) {}

CListBox::~CListBox() = default;

int CListBox::GetCount() const { return items_->Count(); }

BOOL CListBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create("", style | WS_CHILD, rect, parent, id);
}

int CListBox::AddString(const char* text) {
    int index = items_->Add(text, (GetStyle() & LBS_SORT) != 0);
    veltutil::detail::ContentChanged(*this);
    return index;
}

int CListBox::InsertString(int index, const char* text) {
    int inserted = items_->Insert(index, text);
    if (inserted != LB_ERR) veltutil::detail::ContentChanged(*this);
    return inserted;
}

int CListBox::DeleteString(UINT index) {
    if (!items_->Delete(static_cast<int>(index))) return LB_ERR;
    veltutil::detail::ContentChanged(*this);
    return GetCount();
}

void CListBox::ResetContent() {
    items_->Clear();
    veltutil::detail::ContentChanged(*this);
}

int CListBox::GetText(int index, CString& text) const {
    text = items_->IsItem(index) ? items_->At(index).text : CString();
    return items_->IsItem(index) ? text.GetLength() : LB_ERR;
}

int CListBox::GetTextLen(int index) const { return items_->IsItem(index) ? items_->At(index).text.GetLength() : LB_ERR; }

DWORD_PTR CListBox::GetItemData(int index) const { return items_->Data(index); }

int CListBox::SetItemData(int index, DWORD_PTR data) { return items_->SetData(index, data) ? 0 : LB_ERR; }

int CListBox::FindString(int start, const char* text) const { return items_->Find(start, text, false); }

int CListBox::FindStringExact(int start, const char* text) const { return items_->Find(start, text, true); }

int CListBox::GetSel(int index) const {
    if (!items_->IsItem(index)) return LB_ERR;
    return items_->At(index).selected ? 1 : 0;
}

int CListBox::SetSel(int index, BOOL select) {
    if (!IsMultiple() || (index != -1 && !items_->IsItem(index))) return LB_ERR;
    for (int i = 0; i < GetCount(); ++i) {
        if (index == -1 || i == index) items_->At(i).selected = select != FALSE;
    }
    if (index != -1) items_->SetCurrent(index);
    veltutil::detail::ContentChanged(*this);
    return 0;
}

int CListBox::GetSelCount() const {
    if (!IsMultiple()) return LB_ERR;
    return GetSelItems(GetCount(), nullptr);
}

int CListBox::GetSelItems(int maxItems, int* indices) const {
    if (!IsMultiple()) return LB_ERR;
    int found = 0;
    for (int i = 0; i < GetCount() && found < maxItems; ++i) {
        if (!items_->At(i).selected) continue;
        if (indices) indices[found] = i;
        ++found;
    }
    return found;
}

int CListBox::GetCurSel() const {
    if (IsMultiple()) return items_->Current();
    for (int i = 0; i < GetCount(); ++i) {
        if (items_->At(i).selected) return i;
    }
    return LB_ERR;
}

int CListBox::SetCurSel(int index) {
    if (IsMultiple() || (index != -1 && !items_->IsItem(index))) return LB_ERR;
    SelectOnly(index);
    return index;
}

void CListBox::SelectOnly(int index) {
    for (int i = 0; i < GetCount(); ++i) items_->At(i).selected = i == index;
    items_->SetCurrent(index);
    veltutil::detail::ContentChanged(*this);
}

int CListBox::GetItemRect(int index, RECT* rect) const {
    if (!items_->IsItem(index) || !rect) return LB_ERR;
    CRect client;
    GetClientRect(&client);
    *rect = CRect(0, static_cast<long>(index) * ItemHeight, client.right, static_cast<long>(index + 1) * ItemHeight);
    return 0;
}

void CListBox::Click(CPoint point, WPARAM keys) {
    if (point.y < 0) return;
    int index = static_cast<int>(point.y / ItemHeight);
    if (!items_->IsItem(index)) return;
    DWORD style = GetStyle();
    bool toggle = (style & LBS_MULTIPLESEL) || ((style & LBS_EXTENDEDSEL) && (keys & MK_CONTROL));
    if (toggle) {
        items_->At(index).selected = !items_->At(index).selected;
        items_->SetCurrent(index);
        veltutil::detail::ContentChanged(*this);
    } else {
        SelectOnly(index);
    }
    if (style & LBS_NOTIFY) NotifyParent(LBN_SELCHANGE);
}

LRESULT CListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if ((message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) && !IsWindowEnabled()) return 0;
    if (message == WM_LBUTTONDOWN) {
        Click(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)), wParam);
        return 0;
    }
    if (message == WM_LBUTTONDBLCLK) {
        if (GetStyle() & LBS_NOTIFY) NotifyParent(LBN_DBLCLK);
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

int CListBox::GetCaretIndex() const { return items_->Current(); }
