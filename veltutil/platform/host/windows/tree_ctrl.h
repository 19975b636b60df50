#pragma once

#include <cstdint>
#include <vector>

#include "veltutil/platform/host/windows/wnd.h"

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
// row selects its item and tells the parent NM_DBLCLK. With TVS_HASBUTTONS, a press on the
// button before an item with children (the indent left of its text) opens or closes it. Handles of deleted items are refused by
// every operation rather than trusted.
class VELTHOST_API CTreeCtrl : public CWnd {
public:
    static constexpr int ItemHeight = 16;
    static constexpr int Indent = 19;

    CTreeCtrl();

    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // Null when parent is not an item (or TVI_ROOT) or `after` is not a child of parent (or
    // TVI_FIRST / TVI_LAST).
    HTREEITEM InsertItem(const char* text, HTREEITEM parent = TVI_ROOT, HTREEITEM after = TVI_LAST);
    BOOL DeleteItem(HTREEITEM item);
    BOOL DeleteAllItems();
    unsigned int GetCount() const { return count_; }

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
    using Slot = std::uint32_t;
    static constexpr Slot kNoSlot = 0xFFFFFFFF;
    static constexpr Slot kRootSlot = 0;

    // Items live in one array and link to each other by slot, which keeps a large tree compact.
    // A handle carries its slot and the slot's generation, which deleting the item advances, so
    // a stale handle never reaches an item that reuses its slot.
    struct Node {
        CString text;
        std::uintptr_t data = 0;
        std::uint32_t generation = 0;
        bool live = false;
        bool expanded = false;
        Slot parent = kNoSlot;
        Slot first = kNoSlot;
        Slot last = kNoSlot;
        Slot prev = kNoSlot;
        Slot next = kNoSlot;
    };

    HTREEITEM HandleOf(Slot slot) const;
    // The item's slot, or kNoSlot for anything that is not a living item.
    Slot SlotOf(HTREEITEM item) const;
    // As SlotOf, but TVI_ROOT gives the root's slot.
    Slot ParentSlotOf(HTREEITEM item) const;
    HTREEITEM LinkedHandle(HTREEITEM item, Slot Node::*link) const;
    Slot NewSlot();
    void Unlink(Slot slot);
    void Free(Slot slot);
    // Depth first from `first` and its following siblings; `visit(slot)` says whether to descend.
    template <typename Visit>
    void Walk(Slot first, Visit visit) const;
    std::vector<Slot> VisibleRows() const;
    int VisibleRowCount() const;
    void ScrollToEnsured() const;

    std::vector<Node> nodes_;
    std::vector<Slot> freeSlots_;
    unsigned int count_ = 0;
    Slot selected_ = kNoSlot;
    mutable Slot ensured_ = kNoSlot;
    mutable int topRow_ = 0;
};
