#include "veltutil/platform/host/controls/combo_box.h"

#include <algorithm>

#include "veltutil/platform/host/controls/internal/string_list.h"
#include "veltutil/platform/host/face/internal/face_hooks.h"

CComboBox::CComboBox() : items_(std::make_unique<veltutil::detail::StringList>()) {}

CComboBox::~CComboBox() = default;

int CComboBox::GetCount() const { return items_->Count(); }

BOOL CComboBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create("", style | WS_CHILD, rect, parent, id);
}

int CComboBox::AddString(const char* text) {
    int index = items_->Add(text, (GetStyle() & CBS_SORT) != 0);
    veltutil::detail::ContentChanged(*this);
    return index;
}

int CComboBox::InsertString(int index, const char* text) {
    int inserted = items_->Insert(index, text);
    if (inserted != CB_ERR) veltutil::detail::ContentChanged(*this);
    return inserted;
}

int CComboBox::DeleteString(UINT index) {
    int selected = items_->Current();
    if (!items_->Delete(static_cast<int>(index))) return CB_ERR;
    if (selected == static_cast<int>(index)) SetCurSel(-1);
    veltutil::detail::ContentChanged(*this);
    return GetCount();
}

void CComboBox::ResetContent() {
    items_->Clear();
    CWnd::SetWindowText("");
    veltutil::detail::ContentChanged(*this);
}

void CComboBox::GetLBText(int index, CString& text) const {
    text = items_->IsItem(index) ? items_->At(index).text : CString();
}

int CComboBox::GetLBTextLen(int index) const { return items_->IsItem(index) ? items_->At(index).text.GetLength() : CB_ERR; }

DWORD_PTR CComboBox::GetItemData(int index) const { return items_->Data(index); }

int CComboBox::SetItemData(int index, DWORD_PTR data) { return items_->SetData(index, data) ? 0 : CB_ERR; }

int CComboBox::FindString(int start, const char* text) const { return items_->Find(start, text, false); }

int CComboBox::FindStringExact(int start, const char* text) const { return items_->Find(start, text, true); }

int CComboBox::SelectString(int start, const char* text) {
    int found = FindString(start, text);
    return found == CB_ERR ? CB_ERR : SetCurSel(found);
}

int CComboBox::SetCurSel(int index) {
    bool valid = items_->IsItem(index);
    items_->SetCurrent(index);
    CWnd::SetWindowText(valid ? items_->At(index).text.GetString() : "");
    return valid ? index : CB_ERR;
}

void CComboBox::PersonSelects(int index) {
    if (index == items_->Current() || !items_->IsItem(index)) return;
    SetCurSel(index);
    NotifyParent(CBN_SELCHANGE);
}

void CComboBox::Type(char ch) {
    if (IsDropDownList()) {
        if (static_cast<unsigned char>(ch) >= 0x20) PersonSelects(FindString(items_->Current(), CString(ch)));
        return;
    }
    CString text = GetWindowText();
    if (ch == '\b') {
        if (text.IsEmpty()) return;
        text.Delete(text.GetLength() - 1);
    } else if (static_cast<unsigned char>(ch) >= 0x20) {
        text += ch;
    } else {
        return;
    }
    CWnd::SetWindowText(text);
    NotifyParent(CBN_EDITCHANGE);
}

void CComboBox::Key(UINT virtualKey) {
    switch (virtualKey) {
    case VK_UP: PersonSelects(std::max(items_->Current() - 1, 0)); break;
    case VK_DOWN: PersonSelects(std::min(items_->Current() + 1, GetCount() - 1)); break;
    case VK_HOME: PersonSelects(0); break;
    case VK_END: PersonSelects(GetCount() - 1); break;
    default: break;
    }
}

LRESULT CComboBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_CHAR && message != WM_KEYDOWN) return CWnd::WindowProc(message, wParam, lParam);
    if (!IsWindowEnabled()) return 0;
    if (message == WM_CHAR) {
        Type(static_cast<char>(wParam));
        return 0;
    }
    Key(static_cast<UINT>(wParam));
    return CWnd::WindowProc(message, wParam, lParam);  // F1 still asks for help
}

int CComboBox::GetCurSel() const { return items_->Current(); }
