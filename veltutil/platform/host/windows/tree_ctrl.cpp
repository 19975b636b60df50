#include "veltutil/platform/host/windows/tree_ctrl.h"

#include <algorithm>

#include "veltutil/platform/host/face/internal/face_hooks.h"

static_assert(sizeof(std::uintptr_t) == 8, "tree item handles carry a slot and a generation");

namespace {

constexpr std::uint32_t kLastGeneration = 0x7FFFFFFF;  // handles never reach the pseudo-handles' range

}  // namespace

CTreeCtrl::CTreeCtrl() {
    Node& root = nodes_.emplace_back();
    root.live = true;
    root.expanded = true;
}

BOOL CTreeCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create("", style | WS_CHILD, rect, parent, id);
}

HTREEITEM CTreeCtrl::HandleOf(Slot slot) const {
    if (slot == kNoSlot || slot == kRootSlot) return nullptr;
    auto value = (static_cast<std::uintptr_t>(nodes_[slot].generation) << 32) | slot;
    return reinterpret_cast<HTREEITEM>(value);
}

CTreeCtrl::Slot CTreeCtrl::SlotOf(HTREEITEM item) const {
    auto value = reinterpret_cast<std::uintptr_t>(item);
    auto slot = static_cast<Slot>(value & 0xFFFFFFFF);
    auto generation = static_cast<std::uint32_t>(value >> 32);
    if (slot == kRootSlot || slot >= nodes_.size()) return kNoSlot;
    const Node& node = nodes_[slot];
    return node.live && node.generation == generation ? slot : kNoSlot;
}

CTreeCtrl::Slot CTreeCtrl::ParentSlotOf(HTREEITEM item) const { return item == TVI_ROOT ? kRootSlot : SlotOf(item); }

CTreeCtrl::Slot CTreeCtrl::NewSlot() {
    if (!freeSlots_.empty()) {
        Slot slot = freeSlots_.back();
        freeSlots_.pop_back();
        return slot;
    }
    nodes_.emplace_back();
    return static_cast<Slot>(nodes_.size() - 1);
}

void CTreeCtrl::Unlink(Slot slot) {
    Node& node = nodes_[slot];
    Node& parent = nodes_[node.parent];
    (node.prev != kNoSlot ? nodes_[node.prev].next : parent.first) = node.next;
    (node.next != kNoSlot ? nodes_[node.next].prev : parent.last) = node.prev;
    node.prev = node.next = kNoSlot;
}

void CTreeCtrl::Free(Slot slot) {
    Node& node = nodes_[slot];
    std::uint32_t generation = node.generation + 1;
    node = Node{};
    node.generation = generation;
    if (slot == selected_) selected_ = kNoSlot;
    if (slot == ensured_) ensured_ = kNoSlot;
    --count_;
    if (generation < kLastGeneration) freeSlots_.push_back(slot);
}

// Without recursion, so that deep trees cannot exhaust the stack.
template <typename Visit>
void CTreeCtrl::Walk(Slot first, Visit visit) const {
    std::vector<Slot> pending;
    for (Slot slot = first; slot != kNoSlot;) {
        const Node& node = nodes_[slot];
        if (visit(slot) && node.first != kNoSlot) {
            if (node.next != kNoSlot) pending.push_back(node.next);
            slot = node.first;
            continue;
        }
        slot = node.next;
        if (slot == kNoSlot && !pending.empty()) {
            slot = pending.back();
            pending.pop_back();
        }
    }
}

HTREEITEM CTreeCtrl::InsertItem(const char* text, HTREEITEM parent, HTREEITEM after) {
    Slot owner = ParentSlotOf(parent);
    if (owner == kNoSlot) return nullptr;
    Slot before = kNoSlot;  // the new item goes right before this one (none: at the end)
    if (after == TVI_FIRST) {
        before = nodes_[owner].first;
    } else if (after != TVI_LAST) {
        Slot sibling = SlotOf(after);
        if (sibling == kNoSlot || nodes_[sibling].parent != owner) return nullptr;
        before = nodes_[sibling].next;
    }
    Slot slot = NewSlot();  // may move the nodes: no references are held across it
    Node& node = nodes_[slot];
    node.live = true;
    node.text = text;
    node.parent = owner;
    node.next = before;
    node.prev = before != kNoSlot ? nodes_[before].prev : nodes_[owner].last;
    (node.prev != kNoSlot ? nodes_[node.prev].next : nodes_[owner].first) = slot;
    (before != kNoSlot ? nodes_[before].prev : nodes_[owner].last) = slot;
    ++count_;
    veltutil::detail::ContentChanged(*this);
    return HandleOf(slot);
}

BOOL CTreeCtrl::DeleteItem(HTREEITEM item) {
    if (item == TVI_ROOT) return DeleteAllItems();
    Slot slot = SlotOf(item);
    if (slot == kNoSlot) return FALSE;
    std::vector<Slot> doomed{slot};
    Walk(nodes_[slot].first, [&](Slot child) {
        doomed.push_back(child);
        return true;
    });
    Unlink(slot);
    for (Slot gone : doomed) Free(gone);
    veltutil::detail::ContentChanged(*this);
    return TRUE;
}

BOOL CTreeCtrl::DeleteAllItems() {
    for (Slot slot = 1; slot < nodes_.size(); ++slot) {
        if (nodes_[slot].live) Free(slot);
    }
    nodes_[kRootSlot].first = nodes_[kRootSlot].last = kNoSlot;
    topRow_ = 0;
    veltutil::detail::ContentChanged(*this);
    return TRUE;
}

HTREEITEM CTreeCtrl::LinkedHandle(HTREEITEM item, Slot Node::*link) const {
    Slot slot = SlotOf(item);
    return slot == kNoSlot ? nullptr : HandleOf(nodes_[slot].*link);
}

HTREEITEM CTreeCtrl::GetRootItem() const { return HandleOf(nodes_[kRootSlot].first); }

HTREEITEM CTreeCtrl::GetChildItem(HTREEITEM item) const {
    Slot slot = ParentSlotOf(item);
    return slot == kNoSlot ? nullptr : HandleOf(nodes_[slot].first);
}

HTREEITEM CTreeCtrl::GetNextSiblingItem(HTREEITEM item) const { return LinkedHandle(item, &Node::next); }

HTREEITEM CTreeCtrl::GetPrevSiblingItem(HTREEITEM item) const { return LinkedHandle(item, &Node::prev); }

HTREEITEM CTreeCtrl::GetParentItem(HTREEITEM item) const { return LinkedHandle(item, &Node::parent); }

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM item) const {
    Slot slot = ParentSlotOf(item);
    return slot != kNoSlot && nodes_[slot].first != kNoSlot;
}

CString CTreeCtrl::GetItemText(HTREEITEM item) const {
    Slot slot = SlotOf(item);
    return slot == kNoSlot ? CString() : nodes_[slot].text;
}

BOOL CTreeCtrl::SetItemText(HTREEITEM item, const char* text) {
    Slot slot = SlotOf(item);
    if (slot == kNoSlot) return FALSE;
    nodes_[slot].text = text;
    veltutil::detail::ContentChanged(*this);
    return TRUE;
}

std::uintptr_t CTreeCtrl::GetItemData(HTREEITEM item) const {
    Slot slot = SlotOf(item);
    return slot == kNoSlot ? 0 : nodes_[slot].data;
}

BOOL CTreeCtrl::SetItemData(HTREEITEM item, std::uintptr_t data) {
    Slot slot = SlotOf(item);
    if (slot == kNoSlot) return FALSE;
    nodes_[slot].data = data;
    return TRUE;
}

UINT CTreeCtrl::GetItemState(HTREEITEM item, UINT mask) const {
    Slot slot = SlotOf(item);
    if (slot == kNoSlot) return 0;
    UINT state = (nodes_[slot].expanded ? TVIS_EXPANDED : 0) | (slot == selected_ ? TVIS_SELECTED : 0);
    return state & mask;
}

BOOL CTreeCtrl::Expand(HTREEITEM item, UINT code) {
    Slot slot = SlotOf(item);
    if (slot == kNoSlot) return FALSE;
    bool& expanded = nodes_[slot].expanded;
    switch (code) {
    case TVE_EXPAND: expanded = true; break;
    case TVE_COLLAPSE: expanded = false; break;
    case TVE_TOGGLE: expanded = !expanded; break;
    default: return FALSE;
    }
    veltutil::detail::ContentChanged(*this);
    return TRUE;
}

BOOL CTreeCtrl::EnsureVisible(HTREEITEM item) {
    Slot slot = SlotOf(item);
    if (slot == kNoSlot) return FALSE;
    for (Slot p = nodes_[slot].parent; p != kRootSlot; p = nodes_[p].parent) nodes_[p].expanded = true;
    // Finding the item's row costs a walk over the rows; it is done when rows are next asked for,
    // so that a log adding many lines in a row stays linear.
    ensured_ = slot;
    veltutil::detail::ContentChanged(*this);
    return TRUE;
}

BOOL CTreeCtrl::SelectItem(HTREEITEM item) {
    Slot slot = item ? SlotOf(item) : kNoSlot;
    if (item && slot == kNoSlot) return FALSE;
    selected_ = slot;
    veltutil::detail::ContentChanged(*this);
    return TRUE;
}

HTREEITEM CTreeCtrl::GetSelectedItem() const { return HandleOf(selected_); }

std::vector<CTreeCtrl::Slot> CTreeCtrl::VisibleRows() const {
    std::vector<Slot> rows;
    Walk(nodes_[kRootSlot].first, [&](Slot slot) {
        rows.push_back(slot);
        return nodes_[slot].expanded;
    });
    return rows;
}

int CTreeCtrl::VisibleRowCount() const {
    RECT client;
    GetClientRect(&client);
    return std::max<int>(1, static_cast<int>(client.bottom / ItemHeight));
}

void CTreeCtrl::ScrollToEnsured() const {
    if (ensured_ == kNoSlot) return;
    std::vector<Slot> rows = VisibleRows();
    auto it = std::find(rows.begin(), rows.end(), ensured_);
    ensured_ = kNoSlot;
    if (it == rows.end()) return;
    int row = static_cast<int>(it - rows.begin());
    if (row < topRow_) topRow_ = row;
    if (row >= topRow_ + VisibleRowCount()) topRow_ = row - VisibleRowCount() + 1;
}

HTREEITEM CTreeCtrl::GetFirstVisibleItem() const {
    ScrollToEnsured();
    std::vector<Slot> rows = VisibleRows();
    return topRow_ < static_cast<int>(rows.size()) ? HandleOf(rows[static_cast<std::size_t>(topRow_)]) : nullptr;
}

BOOL CTreeCtrl::GetItemRect(HTREEITEM item, RECT* rect, BOOL textOnly) const {
    Slot slot = SlotOf(item);
    if (slot == kNoSlot || !rect) return FALSE;
    ScrollToEnsured();
    std::vector<Slot> rows = VisibleRows();
    auto it = std::find(rows.begin(), rows.end(), slot);
    if (it == rows.end()) return FALSE;
    int depth = 0;
    for (Slot p = nodes_[slot].parent; p != kRootSlot; p = nodes_[p].parent) ++depth;
    RECT client;
    GetClientRect(&client);
    long top = (static_cast<long>(it - rows.begin()) - topRow_) * ItemHeight;
    long left = textOnly ? static_cast<long>(depth + 1) * Indent : 0;
    *rect = CRect(left, top, std::max(left, client.right), top + ItemHeight);
    return top >= 0 && top < client.bottom;
}

HTREEITEM CTreeCtrl::HitTest(POINT point) const {
    RECT client;
    GetClientRect(&client);
    if (!CRect(client).PtInRect(point)) return nullptr;
    ScrollToEnsured();
    std::vector<Slot> rows = VisibleRows();
    auto row = static_cast<std::size_t>(topRow_ + point.y / ItemHeight);
    return row < rows.size() ? HandleOf(rows[row]) : nullptr;
}

LRESULT CTreeCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_LBUTTONDOWN && message != WM_LBUTTONDBLCLK) return CWnd::WindowProc(message, wParam, lParam);
    POINT point{static_cast<short>(LOWORD(static_cast<WPARAM>(lParam))),
                static_cast<short>(HIWORD(static_cast<WPARAM>(lParam)))};
    HTREEITEM hit = HitTest(point);
    RECT text;
    // A press on the button before an item's text opens or closes it, and selects nothing.
    if (message == WM_LBUTTONDOWN && (GetStyle() & TVS_HASBUTTONS) && hit && ItemHasChildren(hit) &&
        GetItemRect(hit, &text, TRUE) && point.x < text.left && point.x >= text.left - Indent) {
        Expand(hit, TVE_TOGGLE);
        return 0;
    }
    if (hit) SelectItem(hit);
    if (message == WM_LBUTTONDBLCLK && GetParent()) {
        NMHDR header{m_hWnd, static_cast<UINT>(GetDlgCtrlID()), NM_DBLCLK};
        GetParent()->SendMessage(WM_NOTIFY, static_cast<WPARAM>(GetDlgCtrlID()), reinterpret_cast<LPARAM>(&header));
    }
    return 0;
}
