#pragma once

#include <memory>
#include <vector>

#include "veltutil/platform/host/windows/message_box.h"
#include "veltutil/platform/host/modules/resources.h"
#include "veltutil/platform/host/windows/wnd.h"

constexpr DWORD HID_BASE_RESOURCE = 0x20000;

// A dialog built from a template: the window and its controls (CButton, CEdit, CTreeCtrl,
// CListCtrl, CListBox, CComboBox by window class; a plain CWnd for others), which the dialog
// owns. A dialog class that wants its own control object for an item takes the item over with
// SubclassDlgItem. Closing the dialog and the Escape key's IDCANCEL end it through OnCancel.
// As on the platform, Enter pressed anywhere in the dialog is IDOK (OnOK) and Escape IDCANCEL
// (OnCancel), except Enter in a multi-line entry that wants it (ES_WANTRETURN); this happens
// when the message loop offers the key to PreTranslateMessage, as the application's loop does.
// There too Tab moves the keyboard focus to the next visible, enabled control with WS_TABSTOP
// in the template's order, round to the first.
class VELTHOST_API CDialog : public CWnd {
public:
    CDialog() = default;
    ~CDialog() override;

    // Creates the modeless dialog `templateId` of the current resource module, owned by parent.
    // FALSE when the module has no such template or the dialog exists already.
    BOOL Create(UINT templateId, CWnd* parent = nullptr);
    BOOL CreateIndirect(const DialogTemplate& dialog, CWnd* parent = nullptr);

    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // Hides the dialog and keeps the result.
    void EndDialog(int result);
    int GetResult() const { return result_; }

    // Converts dialog units of the template's font to pixels.
    void MapDialogRect(RECT* rect) const;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Takes Enter, Escape and Tab meant for this dialog or one of its controls.
    BOOL PreTranslateMessage(MSG* msg) override;

    // The help id of the dialog: its template id.
    UINT m_nIDHelp = 0;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnClose() override { OnCancel(); }
    // F1: the application's help at the dialog's topic (HID_BASE_RESOURCE + m_nIDHelp).
    BOOL OnHelpInfo() override;

private:
    // The tab stop after the child `from` (null: from the start).
    CWnd* NextTabStop(const CWnd* from) const;

    std::vector<std::unique_ptr<CWnd>> controls_;
    int baseUnitX_ = 6;
    int baseUnitY_ = 12;
    int result_ = 0;
};
