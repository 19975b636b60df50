#include "veltutil/platform/host/tree_ctrl.h"

#include <algorithm>

struct _TREEITEM {
    CString text;
    std::uintptr_t data = 0;
    bool expanded = false;
    _TREEITEM* parent = nullptr;
    _TREEITEM* first = nullptr;
    _TREEITEM* last = nullptr;
    _TREEITEM* prev = nullptr;
    _TREEITEM* next = nullptr;
};

namespace {

void unlink(_TREEITEM* node) {
    _TREEITEM* parent = node->parent;
    (node->prev ? node->prev->next : parent->first) = node->next;
    (node->next ? node->next->prev : parent->last) = node->prev;
    node->prev = node->next = nullptr;
}

// Depth-first walk without recursion, so that deep trees cannot exhaust the stack. `visit`
// decides whether to descend into a node's children.
template <typename Visit>
void walkFrom(_TREEITEM* first, Visit visit) {
    std::vector<_TREEITEM*> pending;
    for (_TREEITEM* node = first; node;) {
        bool descend = visit(node);
        if (descend && node->first) {
            if (node->next) pending.push_back(node->next);
            node = node->first;
            continue;
        }
        node = node->next;
        if (!node && !pending.empty()) {
            node = pending.back();
            pending.pop_back();
        }
    }
}

int depthOf(const _TREEITEM* node) {
    int depth = 0;
    for (const _TREEITEM* p = node->parent; p && p->parent; p = p->parent) ++depth;
    return depth;
}

}  // namespace

CTreeCtrl::CTreeCtrl() : root_(std::make_unique<_TREEITEM>()) { root_->expanded = true; }

CTreeCtrl::~CTreeCtrl() { DeleteAllItems(); }

BOOL CTreeCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create("", style | WS_CHILD, rect, parent, id);
}

_TREEITEM* CTreeCtrl::NodeOf(HTREEITEM item) const {
    if (item == TVI_ROOT) return root_.get();
    return IsItem(item) ? item : nullptr;
}

HTREEITEM CTreeCtrl::InsertItem(const char* text, HTREEITEM parent, HTREEITEM after) {
    _TREEITEM* owner = NodeOf(parent);
    if (!owner) return nullptr;
    _TREEITEM* before = nullptr;  // the new node goes right before this one (null: at the end)
    if (after == TVI_FIRST) {
        before = owner->first;
    } else if (after != TVI_LAST) {
        if (!IsItem(after) || after->parent != owner) return nullptr;
        before = after->next;
    }
    auto node = std::make_unique<_TREEITEM>();
    node->text = text;
    node->parent = owner;
    node->next = before;
    node->prev = before ? before->prev : owner->last;
    (node->prev ? node->prev->next : owner->first) = node.get();
    (before ? before->prev : owner->last) = node.get();
    items_.insert(node.get());
    return node.release();
}

BOOL CTreeCtrl::DeleteItem(HTREEITEM item) {
    if (item == TVI_ROOT) return DeleteAllItems();
    if (!IsItem(item)) return FALSE;
    std::vector<_TREEITEM*> doomed;
    doomed.push_back(item);
    if (item->first) walkFrom(item->first, [&](_TREEITEM* node) { doomed.push_back(node); return true; });
    unlink(item);
    for (_TREEITEM* node : doomed) {
        items_.erase(node);
        if (node == selected_) selected_ = nullptr;
        if (node == ensured_) ensured_ = nullptr;
        delete node;
    }
    return TRUE;
}

BOOL CTreeCtrl::DeleteAllItems() {
    // Freed in tree order, which is close to the order they were made in: much kinder to the
    // allocator than the hash set's order when a log of many lines is cleared.
    std::vector<_TREEITEM*> doomed;
    doomed.reserve(items_.size());
    walkFrom(root_->first, [&](_TREEITEM* node) { doomed.push_back(node); return true; });
    for (_TREEITEM* node : doomed) delete node;
    items_.clear();
    root_->first = root_->last = nullptr;
    selected_ = ensured_ = nullptr;
    topRow_ = 0;
    return TRUE;
}

HTREEITEM CTreeCtrl::GetRootItem() const { return root_->first; }

HTREEITEM CTreeCtrl::GetChildItem(HTREEITEM item) const {
    _TREEITEM* node = NodeOf(item);
    return node ? node->first : nullptr;
}

HTREEITEM CTreeCtrl::GetNextSiblingItem(HTREEITEM item) const { return IsItem(item) ? item->next : nullptr; }

HTREEITEM CTreeCtrl::GetPrevSiblingItem(HTREEITEM item) const { return IsItem(item) ? item->prev : nullptr; }

HTREEITEM CTreeCtrl::GetParentItem(HTREEITEM item) const {
    if (!IsItem(item) || item->parent == root_.get()) return nullptr;
    return item->parent;
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM item) const {
    _TREEITEM* node = NodeOf(item);
    return node && node->first;
}

CString CTreeCtrl::GetItemText(HTREEITEM item) const { return IsItem(item) ? item->text : CString(); }

BOOL CTreeCtrl::SetItemText(HTREEITEM item, const char* text) {
    if (!IsItem(item)) return FALSE;
    item->text = text;
    return TRUE;
}

std::uintptr_t CTreeCtrl::GetItemData(HTREEITEM item) const { return IsItem(item) ? item->data : 0; }

BOOL CTreeCtrl::SetItemData(HTREEITEM item, std::uintptr_t data) {
    if (!IsItem(item)) return FALSE;
    item->data = data;
    return TRUE;
}

UINT CTreeCtrl::GetItemState(HTREEITEM item, UINT mask) const {
    if (!IsItem(item)) return 0;
    UINT state = (item->expanded ? TVIS_EXPANDED : 0) | (item == selected_ ? TVIS_SELECTED : 0);
    return state & mask;
}

BOOL CTreeCtrl::Expand(HTREEITEM item, UINT code) {
    if (!IsItem(item)) return FALSE;
    switch (code) {
    case TVE_EXPAND: item->expanded = true; return TRUE;
    case TVE_COLLAPSE: item->expanded = false; return TRUE;
    case TVE_TOGGLE: item->expanded = !item->expanded; return TRUE;
    default: return FALSE;
    }
}

BOOL CTreeCtrl::EnsureVisible(HTREEITEM item) {
    if (!IsItem(item)) return FALSE;
    for (_TREEITEM* p = item->parent; p != root_.get(); p = p->parent) p->expanded = true;
    // Finding the item's row costs a walk over the rows; it is done when rows are next asked for,
    // so that a log adding many lines in a row stays linear.
    ensured_ = item;
    return TRUE;
}

BOOL CTreeCtrl::SelectItem(HTREEITEM item) {
    if (item && !IsItem(item)) return FALSE;
    selected_ = item;
    return TRUE;
}

HTREEITEM CTreeCtrl::GetSelectedItem() const { return selected_; }

std::vector<_TREEITEM*> CTreeCtrl::VisibleRows() const {
    std::vector<_TREEITEM*> rows;
    walkFrom(root_->first, [&](_TREEITEM* node) {
        rows.push_back(node);
        return node->expanded;
    });
    return rows;
}

int CTreeCtrl::VisibleRowCount() const {
    RECT client;
    GetClientRect(&client);
    return std::max<int>(1, static_cast<int>(client.bottom / ItemHeight));
}

void CTreeCtrl::ScrollToEnsured() const {
    if (!ensured_) return;
    std::vector<_TREEITEM*> rows = VisibleRows();
    auto it = std::find(rows.begin(), rows.end(), ensured_);
    ensured_ = nullptr;
    if (it == rows.end()) return;
    int row = static_cast<int>(it - rows.begin());
    if (row < topRow_) topRow_ = row;
    if (row >= topRow_ + VisibleRowCount()) topRow_ = row - VisibleRowCount() + 1;
}

HTREEITEM CTreeCtrl::GetFirstVisibleItem() const {
    ScrollToEnsured();
    std::vector<_TREEITEM*> rows = VisibleRows();
    return topRow_ < static_cast<int>(rows.size()) ? rows[static_cast<std::size_t>(topRow_)] : nullptr;
}

BOOL CTreeCtrl::GetItemRect(HTREEITEM item, RECT* rect, BOOL textOnly) const {
    if (!IsItem(item) || !rect) return FALSE;
    ScrollToEnsured();
    std::vector<_TREEITEM*> rows = VisibleRows();
    auto it = std::find(rows.begin(), rows.end(), item);
    if (it == rows.end()) return FALSE;
    RECT client;
    GetClientRect(&client);
    long top = (static_cast<long>(it - rows.begin()) - topRow_) * ItemHeight;
    long left = textOnly ? static_cast<long>(depthOf(item) + 1) * Indent : 0;
    *rect = CRect(left, top, std::max(left, client.right), top + ItemHeight);
    return top >= 0 && top < client.bottom;
}

HTREEITEM CTreeCtrl::HitTest(POINT point) const {
    RECT client;
    GetClientRect(&client);
    if (!CRect(client).PtInRect(point)) return nullptr;
    ScrollToEnsured();
    std::vector<_TREEITEM*> rows = VisibleRows();
    std::size_t row = static_cast<std::size_t>(topRow_ + point.y / ItemHeight);
    return row < rows.size() ? rows[row] : nullptr;
}

LRESULT CTreeCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_LBUTTONDOWN && message != WM_LBUTTONDBLCLK) return CWnd::WindowProc(message, wParam, lParam);
    POINT point{static_cast<short>(LOWORD(static_cast<WPARAM>(lParam))),
                static_cast<short>(HIWORD(static_cast<WPARAM>(lParam)))};
    HTREEITEM hit = HitTest(point);
    if (hit) SelectItem(hit);
    if (message == WM_LBUTTONDBLCLK && GetParent()) {
        NMHDR header{m_hWnd, static_cast<UINT>(GetDlgCtrlID()), NM_DBLCLK};
        GetParent()->SendMessage(WM_NOTIFY, static_cast<WPARAM>(GetDlgCtrlID()), reinterpret_cast<LPARAM>(&header));
    }
    return 0;
}
