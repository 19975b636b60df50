#include "veltutil/platform/host/windows/dialog.h"

#include <algorithm>
#include <cstring>

#include "veltutil/platform/host/controls/combo_box.h"
#include "veltutil/platform/host/controls/list_box.h"
#include "veltutil/platform/host/controls/list_ctrl.h"
#include "veltutil/platform/host/face/internal/face_hooks.h"
#include "veltutil/platform/host/windows/button.h"
#include "veltutil/platform/host/windows/edit.h"
#include "veltutil/platform/host/windows/tree_ctrl.h"
#include "veltutil/platform/host/loop/win_app.h"
#include "veltutil/platform/host/windows/win_help.h"

namespace {

std::unique_ptr<CWnd> makeControl(const char* windowClass) {
    if (!windowClass) return std::make_unique<CWnd>();
    if (!std::strcmp(windowClass, "Button")) return std::make_unique<CButton>();
    if (!std::strcmp(windowClass, "Edit")) return std::make_unique<CEdit>();
    if (!std::strcmp(windowClass, "SysTreeView32")) return std::make_unique<CTreeCtrl>();
    if (!std::strcmp(windowClass, "SysListView32")) return std::make_unique<CListCtrl>();
    if (!std::strcmp(windowClass, "ListBox")) return std::make_unique<CListBox>();
    if (!std::strcmp(windowClass, "ComboBox")) return std::make_unique<CComboBox>();
    return std::make_unique<CWnd>();
}

}  // namespace

CDialog::~CDialog() {
    // The controls are members of this object: take them off the window before they go.
    controls_.clear();
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
    const DialogTemplate* dialog = AfxFindDialogResource(AfxGetResourceHandle(), templateId);
    if (!dialog || !CreateIndirect(*dialog, parent)) return FALSE;
    m_nIDHelp = templateId;
    return TRUE;
}

BOOL CDialog::CreateIndirect(const DialogTemplate& dialog, CWnd* parent) {
    if (m_hWnd) return FALSE;
    // At 96 pixels per inch a font's height in pixels is 4/3 of its point size; the average
    // character is half as wide.
    baseUnitY_ = dialog.pointSize > 0 ? dialog.pointSize * 4 / 3 : 12;
    baseUnitX_ = baseUnitY_ / 2;
    // On a screen the units come from the font the screen has.
    veltutil::detail::Face* face = veltutil::detail::ChooseFaceOfThisThread();
    if (face) {
        CSize units = face->DialogBaseUnits(dialog.fontName, dialog.pointSize);
        baseUnitX_ = static_cast<int>(units.cx);
        baseUnitY_ = static_cast<int>(units.cy);
    }
    CRect rect(dialog.x, dialog.y, dialog.x + dialog.cx, dialog.y + dialog.cy);
    MapDialogRect(&rect);
    if (!CWnd::Create(dialog.caption, dialog.style & ~WS_VISIBLE, rect, parent, 0)) return FALSE;
    if (face) face->DialogFontChosen(*this, dialog.fontName, dialog.pointSize);
    controls_.clear();
    for (const DialogItemTemplate& item : dialog.items) {
        CRect itemRect(item.x, item.y, item.x + item.cx, item.y + item.cy);
        MapDialogRect(&itemRect);
        std::unique_ptr<CWnd> control = makeControl(item.windowClass);
        if (control->Create(item.text, item.style | WS_CHILD, itemRect, this, item.id)) controls_.push_back(std::move(control));
    }
    SendMessage(WM_INITDIALOG);
    if (dialog.style & WS_VISIBLE) ShowWindow(SW_SHOW);
    return TRUE;
}

void CDialog::EndDialog(int result) {
    result_ = result;
    ShowWindow(SW_HIDE);
}

void CDialog::MapDialogRect(RECT* rect) const {
    if (!rect) return;
    rect->left = rect->left * baseUnitX_ / 4;
    rect->right = rect->right * baseUnitX_ / 4;
    rect->top = rect->top * baseUnitY_ / 8;
    rect->bottom = rect->bottom * baseUnitY_ / 8;
}

CWnd* CDialog::NextTabStop(const CWnd* from) const {
    const std::vector<CWnd*>& controls = GetChildren();
    auto start = std::find(controls.begin(), controls.end(), from);
    std::size_t count = controls.size();
    std::size_t first = start == controls.end() ? 0 : static_cast<std::size_t>(start - controls.begin()) + 1;
    for (std::size_t i = 0; i < count; ++i) {
        CWnd* control = controls[(first + i) % count];
        if ((control->GetStyle() & WS_TABSTOP) && control->IsWindowVisible() && control->IsWindowEnabled()) return control;
    }
    return nullptr;
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
    if (!msg || msg->message != WM_KEYDOWN) return FALSE;
    if (msg->wParam != VK_RETURN && msg->wParam != VK_ESCAPE && msg->wParam != VK_TAB) return FALSE;
    CWnd* target = CWnd::FromHandle(msg->hwnd);
    // Only keys typed into this dialog: its own window or a control inside it.
    CWnd* wnd = target;
    CWnd* control = nullptr;  // the dialog's child that holds the target
    while (wnd && wnd != this && (wnd->GetStyle() & WS_CHILD)) {
        control = wnd;
        wnd = wnd->GetParent();
    }
    if (wnd != this) return FALSE;
    if (msg->wParam == VK_TAB) {
        if (CWnd* next = NextTabStop(control)) next->SetFocus();
        return TRUE;
    }
    bool enter = msg->wParam == VK_RETURN;
    if (enter && dynamic_cast<CEdit*>(target) &&
        (target->GetStyle() & (ES_MULTILINE | ES_WANTRETURN)) == (ES_MULTILINE | ES_WANTRETURN)) {
        return FALSE;
    }
    SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(enter ? IDOK : IDCANCEL), BN_CLICKED));
    return TRUE;
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) return OnInitDialog();
    return CWnd::WindowProc(message, wParam, lParam);
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (lParam == 0 || HIWORD(wParam) == BN_CLICKED) {
        if (LOWORD(wParam) == IDOK) {
            OnOK();
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CDialog::OnHelpInfo() {
    CWinApp* app = AfxGetApp();
    if (!app) return FALSE;
    app->WinHelp(HID_BASE_RESOURCE + m_nIDHelp, HELP_CONTEXT);
    return TRUE;
}
