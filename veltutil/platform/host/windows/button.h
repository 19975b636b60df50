#pragma once

#include "veltutil/platform/host/windows/wnd.h"

constexpr DWORD BS_PUSHBUTTON = 0x0000;
constexpr DWORD BS_DEFPUSHBUTTON = 0x0001;
constexpr DWORD BS_CHECKBOX = 0x0002;
constexpr DWORD BS_AUTOCHECKBOX = 0x0003;
constexpr DWORD BS_RADIOBUTTON = 0x0004;
constexpr DWORD BS_AUTORADIOBUTTON = 0x0009;
constexpr DWORD BS_TYPEMASK = 0x000F;

constexpr int BST_UNCHECKED = 0;
constexpr int BST_CHECKED = 1;

// Push, check and radio buttons. A click (BM_CLICK, as a person's click arrives) on an enabled
// button updates an automatic button's check state and tells the parent BN_CLICKED. An
// automatic radio button unchecks the other radio buttons of its group: the siblings from the
// nearest WS_GROUP button before it up to the next WS_GROUP.
class VELTHOST_API CButton : public CWnd {
public:
    BOOL Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int GetCheck() const { return check_; }
    void SetCheck(int check);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Click();
    void UncheckGroupSiblings();

    int check_ = BST_UNCHECKED;
};

// Checks `id` and unchecks the other buttons with ids in [first, last] among `parent`'s children.
VELTHOST_API void CheckRadioButton(CWnd* parent, int first, int last, int id);
// The id of the checked button in [first, last], or 0.
VELTHOST_API int GetCheckedRadioButton(const CWnd* parent, int first, int last);
