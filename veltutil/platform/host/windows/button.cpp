#include "veltutil/platform/host/windows/button.h"

#include <algorithm>

#include "veltutil/platform/host/face/internal/face_hooks.h"

namespace {

bool isRadio(const CWnd* wnd) {
    auto* button = dynamic_cast<const CButton*>(wnd);
    if (!button) return false;
    DWORD type = button->GetStyle() & BS_TYPEMASK;
    return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

}  // namespace

BOOL CButton::Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(text, style | WS_CHILD, rect, parent, id);
}

void CButton::SetCheck(int check) {
    check_ = check;
    veltutil::detail::ContentChanged(*this);
}

LRESULT CButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == BM_CLICK) {
        Click();
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CButton::Click() {
    if (!IsWindowEnabled() || !IsWindowVisible()) return;
    switch (GetStyle() & BS_TYPEMASK) {
    case BS_AUTOCHECKBOX: SetCheck(check_ == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED); break;
    case BS_AUTORADIOBUTTON:
        SetCheck(BST_CHECKED);
        UncheckGroupSiblings();
        break;
    default: break;
    }
    NotifyParent(BN_CLICKED);
}

void CButton::UncheckGroupSiblings() {
    CWnd* parent = GetParent();
    if (!parent) return;
    const auto& siblings = parent->GetChildren();
    auto self = std::find(siblings.begin(), siblings.end(), this);
    if (self == siblings.end()) return;
    auto first = self;
    while (first != siblings.begin() && !((*first)->GetStyle() & WS_GROUP)) --first;
    for (auto it = first; it != siblings.end(); ++it) {
        if (it != first && ((*it)->GetStyle() & WS_GROUP)) break;
        if (*it != this && isRadio(*it)) static_cast<CButton*>(*it)->SetCheck(BST_UNCHECKED);
    }
}

void CheckRadioButton(CWnd* parent, int first, int last, int id) {
    if (!parent) return;
    for (CWnd* child : parent->GetChildren()) {
        int childId = child->GetDlgCtrlID();
        if (childId < first || childId > last) continue;
        if (auto* button = dynamic_cast<CButton*>(child)) button->SetCheck(childId == id ? BST_CHECKED : BST_UNCHECKED);
    }
}

int GetCheckedRadioButton(const CWnd* parent, int first, int last) {
    if (!parent) return 0;
    for (CWnd* child : parent->GetChildren()) {
        int childId = child->GetDlgCtrlID();
        auto* button = dynamic_cast<CButton*>(child);
        if (button && childId >= first && childId <= last && button->GetCheck() == BST_CHECKED) return childId;
    }
    return 0;
}
