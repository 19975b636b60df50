#pragma once

#include <vector>

#include "veltutil/platform/host/controls/header_ctrl.h"
#include "veltutil/platform/host/windows/wnd.h"

class CDC;

constexpr DWORD LVS_REPORT = 0x0001;
constexpr DWORD LVS_SINGLESEL = 0x0004;
constexpr DWORD LVS_SHOWSELALWAYS = 0x0008;
constexpr DWORD LVS_OWNERDRAWFIXED = 0x0400;
constexpr DWORD LVS_NOCOLUMNHEADER = 0x4000;
constexpr DWORD LVS_NOSORTHEADER = 0x8000;

constexpr int LVCFMT_LEFT = 0;
constexpr int LVCFMT_RIGHT = 1;
constexpr int LVCFMT_CENTER = 2;

constexpr UINT LVCF_FMT = 0x0001;
constexpr UINT LVCF_WIDTH = 0x0002;
constexpr UINT LVCF_TEXT = 0x0004;

constexpr UINT LVIS_FOCUSED = 0x0001;
constexpr UINT LVIS_SELECTED = 0x0002;

constexpr int LVNI_ALL = 0x0000;
constexpr int LVNI_FOCUSED = 0x0001;
constexpr int LVNI_SELECTED = 0x0002;

constexpr UINT LVIR_BOUNDS = 0;
constexpr UINT LVIR_ICON = 1;
constexpr UINT LVIR_LABEL = 2;

constexpr UINT LVHT_NOWHERE = 0x0001;
constexpr UINT LVHT_ONITEMLABEL = 0x0004;

constexpr int LVN_COLUMNCLICK = -108;

// A column as InsertColumn, GetColumn and SetColumn take it; `mask` says which fields count.
// GetColumn copies the title into pszText, at most cchTextMax - 1 characters and a zero.
struct LVCOLUMN {
    UINT mask = 0;
    int fmt = LVCFMT_LEFT;
    int cx = 0;
    char* pszText = nullptr;
    int cchTextMax = 0;
};

// LVN_COLUMNCLICK: iSubItem is the clicked column.
struct NMLISTVIEW {
    NMHDR hdr;
    int iItem = -1;
    int iSubItem = 0;
    UINT uNewState = 0;
    UINT uOldState = 0;
    UINT uChanged = 0;
    POINT ptAction;
    LPARAM lParam = 0;
};

// Negative when the first item goes first, positive when the second does, 0 when either may.
using PFNLVCOMPARE = int (*)(LPARAM item1, LPARAM item2, LPARAM sortData);

// A list control in report view (the one view modelled): rows of texts under a header (a
// CHeaderCtrl child, GetHeaderCtrl) that holds the columns. Rows are ItemHeight pixels high and
// start below the header (at the top with LVS_NOCOLUMNHEADER), scrolled so that GetTopIndex is
// the first; a row's cells lie side by side with the columns' widths. Each row has texts per
// column, a data value and a state (LVIS_SELECTED, LVIS_FOCUSED).
//
// Painting (WM_PAINT, or PrintClient into a caller's context) draws every visible row: an
// LVS_OWNERDRAWFIXED control asks its parent with WM_DRAWITEM, which the parent reflects back
// to DrawItem (nothing is drawn without a parent); any other draws the texts itself. A left
// click selects the row under the pointer alone (with MK_CONTROL it toggles that row, except
// with LVS_SINGLESEL); a click beside every row clears the selection; a click that changes a
// row's state invalidates the control. A click on a column title, through the header, tells
// the parent LVN_COLUMNCLICK.
class VELTHOST_API CListCtrl : public CWnd {
public:
    static constexpr int ItemHeight = 16;

    CListCtrl();
    ~CListCtrl() override;

    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    // Null before the control is created.
    CHeaderCtrl* GetHeaderCtrl() { return header_.GetSafeHwnd() ? &header_ : nullptr; }

    // Inserts before `column` (at the end when past it); the new column's index, or -1. A width
    // of -1 makes the column as wide as its title.
    int InsertColumn(int column, const char* heading, int format = LVCFMT_LEFT, int width = -1);
    int InsertColumn(int column, const LVCOLUMN* info);
    BOOL DeleteColumn(int column);
    BOOL GetColumn(int column, LVCOLUMN* info) const;
    BOOL SetColumn(int column, const LVCOLUMN* info);
    // 0 for no such column.
    int GetColumnWidth(int column) const;
    BOOL SetColumnWidth(int column, int width);
    int GetColumnCount() const { return header_.GetItemCount(); }

    int GetItemCount() const { return static_cast<int>(rows_.size()); }
    // Inserts before `item` (at the end when past it); the new row's index, or -1 for a
    // negative index.
    int InsertItem(int item, const char* text);
    BOOL DeleteItem(int item);
    BOOL DeleteAllItems();
    // Empty for no such row or column.
    CString GetItemText(int item, int subItem) const;
    // FALSE for no such row, or a sub-item with no column (sub-item 0 always exists).
    BOOL SetItemText(int item, int subItem, const char* text);
    DWORD_PTR GetItemData(int item) const;
    BOOL SetItemData(int item, DWORD_PTR data);
    UINT GetItemState(int item, UINT mask) const;
    // Item -1 changes every row. Selecting a row of an LVS_SINGLESEL control unselects the rest.
    BOOL SetItemState(int item, UINT state, UINT mask);
    // The first row after `start` (from the top with -1) with the LVNI_ state; -1 for none.
    int GetNextItem(int start, int flags) const;
    UINT GetSelectedCount() const;

    // LVIR_BOUNDS: the whole row; LVIR_LABEL: its cell in column 0; LVIR_ICON: an empty
    // rectangle at its left edge (there are no images). Rows scrolled away have rectangles
    // outside the client area.
    BOOL GetItemRect(int item, RECT* rect, UINT code) const;
    BOOL GetSubItemRect(int item, int subItem, int area, CRect& rect) const;
    // The row under a client point, anywhere across its cells (as with full-row selection);
    // -1 for none. `flags` gets LVHT_ONITEMLABEL or LVHT_NOWHERE.
    int HitTest(CPoint point, UINT* flags = nullptr) const;
    int GetTopIndex() const { return topIndex_; }
    int GetCountPerPage() const;
    BOOL EnsureVisible(int item, BOOL partialOK);
    // The width of `text` in the control's font.
    int GetStringWidth(const char* text) const;

    COLORREF GetBkColor() const { return bkColor_; }
    BOOL SetBkColor(COLORREF color);
    COLORREF GetTextColor() const { return textColor_; }
    BOOL SetTextColor(COLORREF color);
    COLORREF GetTextBkColor() const { return textBkColor_; }
    BOOL SetTextBkColor(COLORREF color);

    // Orders the rows by `compare` applied to their data values, in O(n log n) and stably;
    // any answer of `compare` is safe, even one that is not a consistent order.
    BOOL SortItems(PFNLVCOMPARE compare, DWORD_PTR data);

    // Draws one row of an owner-drawn control; the default draws nothing.
    virtual void DrawItem(LPDRAWITEMSTRUCT drawItem);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    int OnCreate() override;
    void OnDestroy() override;
    // Turns the header's HDN_ITEMCLICK into LVN_COLUMNCLICK for the parent.
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    // Draws a reflected WM_DRAWITEM with DrawItem.
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnSize(UINT type, int cx, int cy) override;

private:
    struct Row {
        std::vector<CString> texts;  // [0] is the row's own text; missing sub-items are empty
        DWORD_PTR data = 0;
        UINT state = 0;
    };

    bool IsRow(int item) const { return item >= 0 && item < GetItemCount(); }
    long RowsTop() const;
    long TotalColumnWidth() const;
    void Paint(CDC& dc, bool erase);
    void DrawRowTexts(CDC& dc, int item);
    void Click(CPoint point, WPARAM keys);

    CHeaderCtrl header_;
    std::vector<Row> rows_;
    int topIndex_ = 0;
    COLORREF bkColor_;
    COLORREF textColor_;
    COLORREF textBkColor_;
};
