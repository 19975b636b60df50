#pragma once

#include <vector>

#include "veltutil/platform/host/windows/wnd.h"

constexpr int HDN_ITEMCLICK = -302;

constexpr UINT HDI_WIDTH = 0x0001;
constexpr UINT HDI_TEXT = 0x0002;
constexpr UINT HDI_FORMAT = 0x0004;
constexpr UINT HDI_LPARAM = 0x0008;

constexpr int HDF_LEFT = 0;
constexpr int HDF_RIGHT = 1;
constexpr int HDF_CENTER = 2;

// One header item; `mask` says which fields count. GetItem copies the text into pszText, at
// most cchTextMax - 1 characters and a terminating zero.
struct HDITEM {
    UINT mask = 0;
    int cxy = 0;
    char* pszText = nullptr;
    int cchTextMax = 0;
    int fmt = HDF_LEFT;
    LPARAM lParam = 0;
};

// HDN_ITEMCLICK: which item was clicked.
struct NMHEADER {
    NMHDR hdr;
    int iItem = -1;
    int iButton = 0;
    HDITEM* pitem = nullptr;
};

constexpr DWORD HDS_BUTTONS = 0x0002;

// The row of column titles above a list: items side by side from the left edge, in index order.
// With HDS_BUTTONS, a click (button pressed and released over the same item) on the enabled,
// visible header tells the parent HDN_ITEMCLICK.
class VELTHOST_API CHeaderCtrl : public CWnd {
public:
    static constexpr int Height = 20;

    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int GetItemCount() const { return static_cast<int>(items_.size()); }
    // Inserts before `index` (after the last item when index is past the end); returns the new
    // item's index, -1 for a negative index or a null item.
    int InsertItem(int index, const HDITEM* item);
    BOOL DeleteItem(int index);
    BOOL GetItem(int index, HDITEM* item) const;
    BOOL SetItem(int index, const HDITEM* item);
    BOOL GetItemRect(int index, RECT* rect) const;
    // The item whose rectangle holds client x, -1 for none.
    int ItemFromX(long x) const;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void OnDestroy() override;

private:
    struct Item {
        CString text;
        int width = 0;
        int format = HDF_LEFT;
        LPARAM data = 0;
    };
    bool IsItem(int index) const { return index >= 0 && index < GetItemCount(); }

    std::vector<Item> items_;
    int pressed_ = -1;
};
