#include "veltutil/platform/host/windows/edit.h"

#include <algorithm>

BOOL CEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create("", style | WS_CHILD, rect, parent, id);
}

void CEdit::SetWindowText(const char* text) {
    CWnd::SetWindowText(text);
    selStart_ = selEnd_ = GetWindowTextLength();
    if (!(GetStyle() & ES_MULTILINE)) NotifyParent(EN_CHANGE);
}

int CEdit::GetLineCount() const {
    const std::string& text = GetWindowText().str();
    return 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

void CEdit::SetSel(int start, int end) {
    int length = GetWindowTextLength();
    selStart_ = std::clamp(start, 0, length);
    selEnd_ = end < 0 ? length : std::clamp(end, selStart_, length);
}

void CEdit::GetSel(int& start, int& end) const {
    start = selStart_;
    end = selEnd_;
}

void CEdit::ClampSelection() {
    int length = GetWindowTextLength();
    selStart_ = std::clamp(selStart_, 0, length);
    selEnd_ = std::clamp(selEnd_, selStart_, length);
}

void CEdit::ReplaceSel(const char* text) {
    ClampSelection();
    CString next = GetWindowText();
    next.Delete(selStart_, selEnd_ - selStart_);
    CString inserted(text);
    next.Insert(selStart_, inserted);
    selStart_ = selEnd_ = selStart_ + inserted.GetLength();
    CWnd::SetWindowText(next);
    NotifyParent(EN_CHANGE);
}

LRESULT CEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CHAR) {
        Type(static_cast<char>(wParam));
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CEdit::Type(char ch) {
    if (!IsWindowEnabled()) return;
    if (ch == '\r') {
        if ((GetStyle() & (ES_MULTILINE | ES_WANTRETURN)) == (ES_MULTILINE | ES_WANTRETURN)) ReplaceSel("\r\n");
        return;
    }
    if (ch == '\b') {
        ClampSelection();
        if (selStart_ == selEnd_ && selStart_ > 0) --selStart_;
        if (selStart_ != selEnd_) ReplaceSel("");
        return;
    }
    // Other control characters (Escape, Tab) belong to the dialog, not to the text.
    if (static_cast<unsigned char>(ch) < 0x20) return;
    ReplaceSel(CString(ch));
}
