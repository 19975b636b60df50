#pragma once

#include "veltutil/platform/host/windows/wnd.h"

constexpr DWORD ES_MULTILINE = 0x0004;
constexpr DWORD ES_AUTOVSCROLL = 0x0040;
constexpr DWORD ES_AUTOHSCROLL = 0x0080;
constexpr DWORD ES_WANTRETURN = 0x1000;

// A text entry. Typed characters (WM_CHAR) go in at the selection, which is the end of the text
// unless SetSel moved it; Return starts a new line ("\r\n") in a multi-line entry with
// ES_WANTRETURN and is ignored otherwise; backspace deletes. Every change made by typing or
// ReplaceSel tells the parent EN_CHANGE; SetWindowText does so too, except in a multi-line
// entry, as the platform's edit control does.
class VELTHOST_API CEdit : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    void SetWindowText(const char* text) override;
    int GetLineCount() const;
    // Selects [start, end) of the text; -1 as end means the end of the text.
    void SetSel(int start, int end);
    void GetSel(int& start, int& end) const;
    void ReplaceSel(const char* text);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Type(char ch);
    void ClampSelection();

    int selStart_ = 0;
    int selEnd_ = 0;
};
