#pragma once

#include <memory>

#include "veltutil/platform/host/windows/wnd.h"

namespace veltutil::detail {
class StringList;
}

constexpr DWORD CBS_SIMPLE = 0x0001;
constexpr DWORD CBS_DROPDOWN = 0x0002;
constexpr DWORD CBS_DROPDOWNLIST = 0x0003;
constexpr DWORD CBS_SORT = 0x0100;

constexpr int CB_ERR = -1;
constexpr int CBN_SELCHANGE = 1;
constexpr int CBN_EDITCHANGE = 5;

// A list of strings with a current selection, and the window text that shows it: selecting an
// item sets the text to the item's. CBS_SORT keeps the strings in case-insensitive order.
//
// What a person types: in a CBS_DROPDOWNLIST box a character selects the next item (after the
// current one, wrapping) that begins with it, ignoring case; in the other kinds it edits the
// text (appended; backspace deletes the last character) and the parent hears CBN_EDITCHANGE.
// The up, down, home and end keys move the selection in every kind. A selection a person makes
// tells the parent CBN_SELCHANGE; one the program makes does not.
class VELTHOST_API CComboBox : public CWnd {
public:
    CComboBox();
    ~CComboBox() override;

    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int GetCount() const;
    int AddString(const char* text);
    // Before `index` (-1: at the end), never sorted; CB_ERR past the end.
    int InsertString(int index, const char* text);
    // The number of items left, or CB_ERR. Deleting the selected item clears the selection.
    int DeleteString(UINT index);
    void ResetContent();

    // Empty for no such item.
    void GetLBText(int index, CString& text) const;
    int GetLBTextLen(int index) const;
    DWORD_PTR GetItemData(int index) const;
    int SetItemData(int index, DWORD_PTR data);

    // The first item after `start` (-1: from the first), wrapping, that begins with (exactly
    // matches) `text`, ignoring case; CB_ERR for none.
    int FindString(int start, const char* text) const;
    int FindStringExact(int start, const char* text) const;
    // Selects what FindString finds and returns its index; CB_ERR, and the selection
    // unchanged, when nothing matches.
    int SelectString(int start, const char* text);

    int GetCurSel() const;
    // Selects `index` and shows its text; -1 or no such item clears both (CB_ERR for the latter).
    int SetCurSel(int index);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void OnDestroy() override { ResetContent(); }

private:
    bool IsDropDownList() const { return (GetStyle() & CBS_DROPDOWNLIST) == CBS_DROPDOWNLIST; }
    void PersonSelects(int index);
    void Type(char ch);
    void Key(UINT virtualKey);

    std::unique_ptr<veltutil::detail::StringList> items_;  // its current item is the selection
};
