#pragma once

#include <memory>

#include "veltutil/platform/host/windows/wnd.h"

namespace veltutil::detail {
class StringList;
}

constexpr DWORD LBS_NOTIFY = 0x0001;
constexpr DWORD LBS_SORT = 0x0002;
constexpr DWORD LBS_MULTIPLESEL = 0x0008;
constexpr DWORD LBS_EXTENDEDSEL = 0x0800;

constexpr int LB_ERR = -1;
constexpr int LBN_SELCHANGE = 1;
constexpr int LBN_DBLCLK = 2;

// A list of strings, each with a data value, in rows of ItemHeight pixels from the top (the
// headless list does not scroll). LBS_SORT keeps the strings in case-insensitive order. A
// single-selection list has at most one selected item (GetCurSel, SetCurSel); LBS_MULTIPLESEL
// and LBS_EXTENDEDSEL allow many (GetSel, SetSel, GetSelItems). A person's left click on an
// item of the enabled list selects it alone; with LBS_MULTIPLESEL it toggles the item instead,
// and so does a click with MK_CONTROL in an LBS_EXTENDEDSEL list. With LBS_NOTIFY the parent
// hears LBN_SELCHANGE after a click and LBN_DBLCLK after a double click.
class VELTHOST_API CListBox : public CWnd {
public:
    CListBox();
    ~CListBox() override;

    static constexpr int ItemHeight = 16;

    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int GetCount() const;
    // The new item's index.
    int AddString(const char* text);
    // Before `index` (-1: at the end), never sorted; LB_ERR past the end.
    int InsertString(int index, const char* text);
    // The number of items left, or LB_ERR.
    int DeleteString(UINT index);
    void ResetContent();

    // The text's length, or LB_ERR (and `text` empty) for no such item.
    int GetText(int index, CString& text) const;
    int GetTextLen(int index) const;
    DWORD_PTR GetItemData(int index) const;
    int SetItemData(int index, DWORD_PTR data);
    // The first item after `start` (-1: from the first), wrapping, that begins with (exactly
    // matches) `text`, ignoring case; LB_ERR for none.
    int FindString(int start, const char* text) const;
    int FindStringExact(int start, const char* text) const;

    // Greater than zero when selected, 0 when not, LB_ERR for no such item.
    int GetSel(int index) const;
    // Multiple selection only; index -1 changes every item. LB_ERR otherwise.
    int SetSel(int index, BOOL select = TRUE);
    int GetSelCount() const;
    // Up to `maxItems` selected indices in order, returning how many; LB_ERR for a
    // single-selection list.
    int GetSelItems(int maxItems, int* indices) const;
    // Single selection: the selected item, LB_ERR for none. Multiple: the item with the caret.
    int GetCurSel() const;
    // Single selection only: selects `index` alone (-1: none); LB_ERR for no such item.
    int SetCurSel(int index);
    int GetCaretIndex() const;
    // The item's row in client coordinates; LB_ERR for no such item.
    int GetItemRect(int index, RECT* rect) const;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void OnDestroy() override { ResetContent(); }

private:
    bool IsMultiple() const { return (GetStyle() & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }
    void SelectOnly(int index);
    void Click(CPoint point, WPARAM keys);

    std::unique_ptr<veltutil::detail::StringList> items_;  // its current item is the caret
};
