#pragma once

#include <cstdint>
#include <memory>
#include <unordered_set>
#include <vector>

#include "veltutil/platform/host/wnd.h"

struct _TREEITEM;
using HTREEITEM = _TREEITEM*;

// Pseudo-handles: the invisible root above the top-level items, and insertion positions.
inline const HTREEITEM TVI_ROOT = reinterpret_cast<HTREEITEM>(static_cast<std::intptr_t>(-0x10000));
inline const HTREEITEM TVI_FIRST = reinterpret_cast<HTREEITEM>(static_cast<std::intptr_t>(-0x0FFFF));
inline const HTREEITEM TVI_LAST = reinterpret_cast<HTREEITEM>(static_cast<std::intptr_t>(-0x0FFFE));

constexpr DWORD TVS_HASBUTTONS = 0x0001;
constexpr DWORD TVS_HASLINES = 0x0002;
constexpr DWORD TVS_LINESATROOT = 0x0004;
constexpr DWORD TVS_DISABLEDRAGDROP = 0x0010;
constexpr DWORD TVS_SHOWSELALWAYS = 0x0020;

constexpr UINT TVE_COLLAPSE = 0x0001;
constexpr UINT TVE_EXPAND = 0x0002;
constexpr UINT TVE_TOGGLE = 0x0003;

constexpr UINT TVIS_SELECTED = 0x0002;
constexpr UINT TVIS_EXPANDED = 0x0020;

// A tree of text items, each with a data value. Items are laid out in rows of ItemHeight
// pixels: every item whose ancestors are all expanded has a row, in depth-first order, and the
// rows scroll so that the item last made visible is in the client area. A double click on a
// row selects its item and tells the parent NM_DBLCLK. Handles of deleted items are refused by
// every operation rather than trusted.
class VELTHOST_API CTreeCtrl : public CWnd {
public:
    static constexpr int ItemHeight = 16;
    static constexpr int Indent = 19;

    CTreeCtrl();
    ~CTreeCtrl() override;

    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // Null when parent is not an item (or TVI_ROOT) or `after` is not a child of parent (or
    // TVI_FIRST / TVI_LAST).
    HTREEITEM InsertItem(const char* text, HTREEITEM parent = TVI_ROOT, HTREEITEM after = TVI_LAST);
    BOOL DeleteItem(HTREEITEM item);
    BOOL DeleteAllItems();
    unsigned int GetCount() const { return static_cast<unsigned int>(items_.size()); }

    HTREEITEM GetRootItem() const;
    HTREEITEM GetChildItem(HTREEITEM item) const;
    HTREEITEM GetNextSiblingItem(HTREEITEM item) const;
    HTREEITEM GetPrevSiblingItem(HTREEITEM item) const;
    // Null for a top-level item.
    HTREEITEM GetParentItem(HTREEITEM item) const;
    BOOL ItemHasChildren(HTREEITEM item) const;

    CString GetItemText(HTREEITEM item) const;
    BOOL SetItemText(HTREEITEM item, const char* text);
    std::uintptr_t GetItemData(HTREEITEM item) const;
    BOOL SetItemData(HTREEITEM item, std::uintptr_t data);
    UINT GetItemState(HTREEITEM item, UINT mask) const;

    BOOL Expand(HTREEITEM item, UINT code);
    // Expands every ancestor of the item and scrolls its row into view.
    BOOL EnsureVisible(HTREEITEM item);
    BOOL SelectItem(HTREEITEM item);
    HTREEITEM GetSelectedItem() const;
    HTREEITEM GetFirstVisibleItem() const;

    // The item's row in client coordinates; FALSE when the item has no row on screen.
    BOOL GetItemRect(HTREEITEM item, RECT* rect, BOOL textOnly) const;
    HTREEITEM HitTest(POINT point) const;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool IsItem(HTREEITEM item) const { return item && items_.contains(item); }
    _TREEITEM* NodeOf(HTREEITEM item) const;  // the root for TVI_ROOT, else IsItem or null
    std::vector<_TREEITEM*> VisibleRows() const;
    int VisibleRowCount() const;
    void ScrollToEnsured() const;

    std::unique_ptr<_TREEITEM> root_;
    std::unordered_set<_TREEITEM*> items_;
    HTREEITEM selected_ = nullptr;
    mutable HTREEITEM ensured_ = nullptr;
    mutable int topRow_ = 0;
};
