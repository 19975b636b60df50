#include "veltutil/platform/host/controls/list_ctrl.h"

#include <algorithm>
#include <utility>

#include "veltutil/platform/host/drawing/dc.h"
#include "veltutil/platform/host/drawing/system_colors.h"
#include "veltutil/platform/host/face/internal/face_hooks.h"

namespace {

// Bottom-up merge sort of positions: stable, O(n log n), and within bounds whatever
// `goesFirst(later, earlier)` answers, since no step relies on the answers being consistent.
template <class GoesFirst>
void mergeSort(std::vector<std::size_t>& order, GoesFirst goesFirst) {
    std::vector<std::size_t> merged(order.size());
    for (std::size_t width = 1; width < order.size(); width *= 2) {
        for (std::size_t low = 0; low < order.size(); low += 2 * width) {
            std::size_t mid = std::min(low + width, order.size());
            std::size_t high = std::min(low + 2 * width, order.size());
            std::size_t left = low;
            std::size_t right = mid;
            std::size_t out = low;
            while (left < mid && right < high) {
                merged[out++] = goesFirst(order[right], order[left]) ? order[right++] : order[left++];
            }
            while (left < mid) merged[out++] = order[left++];
            while (right < high) merged[out++] = order[right++];
        }
        order.swap(merged);
    }
}

// The header fields that a column's LVCF_ mask names.
UINT headerMask(UINT columnMask) {
    return ((columnMask & LVCF_WIDTH) ? HDI_WIDTH : 0) | ((columnMask & LVCF_TEXT) ? HDI_TEXT : 0) |
           ((columnMask & LVCF_FMT) ? HDI_FORMAT : 0);
}

UINT textAlignment(int format) {
    switch (format & 3) {
    case LVCFMT_RIGHT: return DT_RIGHT;
    case LVCFMT_CENTER: return DT_CENTER;
    default: return DT_LEFT;
    }
}

}  // namespace

CListCtrl::CListCtrl()
    : bkColor_(GetSysColor(COLOR_WINDOW)), textColor_(GetSysColor(COLOR_WINDOWTEXT)),
      textBkColor_(GetSysColor(COLOR_WINDOW)) {}

CListCtrl::~CListCtrl() = default;

BOOL CListCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create("", style | WS_CHILD, rect, parent, id);
}

int CListCtrl::OnCreate() {
    DWORD style = WS_CHILD;
    if (!(GetStyle() & LVS_NOCOLUMNHEADER)) style |= WS_VISIBLE;
    if (!(GetStyle() & LVS_NOSORTHEADER)) style |= HDS_BUTTONS;
    CRect client;
    GetClientRect(&client);
    return header_.Create(style, CRect(0, 0, client.Width(), CHeaderCtrl::Height), this, 0) ? 0 : -1;
}

void CListCtrl::OnDestroy() {
    rows_.clear();
    topIndex_ = 0;
}

void CListCtrl::OnSize(UINT /*type*/, int cx, int /*cy*/) {
    if (header_.GetSafeHwnd()) header_.MoveWindow(0, 0, cx, CHeaderCtrl::Height);
}

int CListCtrl::InsertColumn(int column, const char* heading, int format, int width) {
    LVCOLUMN info;
    info.mask = LVCF_TEXT | LVCF_FMT | (width != -1 ? LVCF_WIDTH : 0);
    info.pszText = const_cast<char*>(heading);
    info.fmt = format;
    info.cx = width;
    return InsertColumn(column, &info);
}

int CListCtrl::InsertColumn(int column, const LVCOLUMN* info) {
    if (!info || !header_.GetSafeHwnd()) return -1;
    HDITEM item;
    item.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT;
    item.pszText = (info->mask & LVCF_TEXT) ? info->pszText : nullptr;
    item.fmt = (info->mask & LVCF_FMT) ? info->fmt : LVCFMT_LEFT;
    item.cxy = (info->mask & LVCF_WIDTH) ? info->cx : GetStringWidth(item.pszText);
    return header_.InsertItem(column, &item);
}

BOOL CListCtrl::DeleteColumn(int column) { return header_.DeleteItem(column); }

BOOL CListCtrl::GetColumn(int column, LVCOLUMN* info) const {
    if (!info) return FALSE;
    HDITEM item;
    item.mask = headerMask(info->mask);
    item.pszText = info->pszText;
    item.cchTextMax = info->cchTextMax;
    if (!header_.GetItem(column, &item)) return FALSE;
    if (info->mask & LVCF_WIDTH) info->cx = item.cxy;
    if (info->mask & LVCF_FMT) info->fmt = item.fmt;
    return TRUE;
}

BOOL CListCtrl::SetColumn(int column, const LVCOLUMN* info) {
    if (!info) return FALSE;
    HDITEM item;
    item.mask = headerMask(info->mask);
    item.cxy = info->cx;
    item.pszText = info->pszText;
    item.fmt = info->fmt;
    return header_.SetItem(column, &item);
}

int CListCtrl::GetColumnWidth(int column) const {
    HDITEM item;
    item.mask = HDI_WIDTH;
    return header_.GetItem(column, &item) ? item.cxy : 0;
}

BOOL CListCtrl::SetColumnWidth(int column, int width) {
    HDITEM item;
    item.mask = HDI_WIDTH;
    item.cxy = width;
    return header_.SetItem(column, &item);
}

long CListCtrl::TotalColumnWidth() const {
    long total = 0;
    for (int column = 0; column < GetColumnCount(); ++column) total += GetColumnWidth(column);
    return total;
}

int CListCtrl::InsertItem(int item, const char* text) {
    if (item < 0) return -1;
    item = std::min(item, GetItemCount());
    Row row;
    row.texts.emplace_back(text);
    rows_.insert(rows_.begin() + item, std::move(row));
    veltutil::detail::ContentChanged(*this);
    return item;
}

BOOL CListCtrl::DeleteItem(int item) {
    if (!IsRow(item)) return FALSE;
    rows_.erase(rows_.begin() + item);
    topIndex_ = std::min(topIndex_, std::max(GetItemCount() - 1, 0));
    veltutil::detail::ContentChanged(*this);
    return TRUE;
}

BOOL CListCtrl::DeleteAllItems() {
    rows_.clear();
    topIndex_ = 0;
    veltutil::detail::ContentChanged(*this);
    return TRUE;
}

CString CListCtrl::GetItemText(int item, int subItem) const {
    if (!IsRow(item) || subItem < 0) return CString();
    const std::vector<CString>& texts = rows_[static_cast<std::size_t>(item)].texts;
    return static_cast<std::size_t>(subItem) < texts.size() ? texts[static_cast<std::size_t>(subItem)] : CString();
}

BOOL CListCtrl::SetItemText(int item, int subItem, const char* text) {
    if (!IsRow(item) || subItem < 0 || (subItem > 0 && subItem >= GetColumnCount())) return FALSE;
    std::vector<CString>& texts = rows_[static_cast<std::size_t>(item)].texts;
    if (texts.size() <= static_cast<std::size_t>(subItem)) texts.resize(static_cast<std::size_t>(subItem) + 1);
    texts[static_cast<std::size_t>(subItem)] = text;
    veltutil::detail::ContentChanged(*this);
    return TRUE;
}

DWORD_PTR CListCtrl::GetItemData(int item) const { return IsRow(item) ? rows_[static_cast<std::size_t>(item)].data : 0; }

BOOL CListCtrl::SetItemData(int item, DWORD_PTR data) {
    if (!IsRow(item)) return FALSE;
    rows_[static_cast<std::size_t>(item)].data = data;
    return TRUE;
}

UINT CListCtrl::GetItemState(int item, UINT mask) const {
    return IsRow(item) ? rows_[static_cast<std::size_t>(item)].state & mask : 0;
}

BOOL CListCtrl::SetItemState(int item, UINT state, UINT mask) {
    if (item != -1 && !IsRow(item)) return FALSE;
    // Only one row can have the focus, and only one the selection of a single-selection list.
    UINT exclusive = mask & state & (LVIS_FOCUSED | ((GetStyle() & LVS_SINGLESEL) ? LVIS_SELECTED : 0));
    for (int i = 0; i < GetItemCount(); ++i) {
        UINT& rowState = rows_[static_cast<std::size_t>(i)].state;
        if (item == -1 || i == item) {
            rowState = (rowState & ~mask) | (state & mask);
        } else {
            rowState &= ~exclusive;
        }
    }
    veltutil::detail::ContentChanged(*this);
    return TRUE;
}

int CListCtrl::GetNextItem(int start, int flags) const {
    UINT wanted = ((flags & LVNI_SELECTED) ? LVIS_SELECTED : 0) | ((flags & LVNI_FOCUSED) ? LVIS_FOCUSED : 0);
    for (int item = std::max(start + 1, 0); item < GetItemCount(); ++item) {
        if ((rows_[static_cast<std::size_t>(item)].state & wanted) == wanted) return item;
    }
    return -1;
}

UINT CListCtrl::GetSelectedCount() const {
    return static_cast<UINT>(
        std::count_if(rows_.begin(), rows_.end(), [](const Row& row) { return (row.state & LVIS_SELECTED) != 0; }));
}

long CListCtrl::RowsTop() const { return (GetStyle() & LVS_NOCOLUMNHEADER) ? 0 : CHeaderCtrl::Height; }

BOOL CListCtrl::GetItemRect(int item, RECT* rect, UINT code) const {
    if (!IsRow(item) || !rect) return FALSE;
    long top = RowsTop() + static_cast<long>(item - topIndex_) * ItemHeight;
    long right = code == LVIR_LABEL ? GetColumnWidth(0) : code == LVIR_ICON ? 0 : TotalColumnWidth();
    *rect = CRect(0, top, right, top + ItemHeight);
    return TRUE;
}

BOOL CListCtrl::GetSubItemRect(int item, int subItem, int area, CRect& rect) const {
    if (subItem < 0 || subItem >= std::max(GetColumnCount(), 1)) return FALSE;
    if (subItem == 0) return GetItemRect(item, &rect, static_cast<UINT>(area));
    if (!GetItemRect(item, &rect, LVIR_BOUNDS)) return FALSE;
    for (int column = 0; column < subItem; ++column) rect.left += GetColumnWidth(column);
    rect.right = rect.left + GetColumnWidth(subItem);
    return TRUE;
}

int CListCtrl::HitTest(CPoint point, UINT* flags) const {
    int hit = -1;
    if (point.y >= RowsTop() && point.x >= 0 && point.x < TotalColumnWidth()) {
        int item = topIndex_ + static_cast<int>((point.y - RowsTop()) / ItemHeight);
        if (IsRow(item)) hit = item;
    }
    if (flags) *flags = hit >= 0 ? LVHT_ONITEMLABEL : LVHT_NOWHERE;
    return hit;
}

int CListCtrl::GetCountPerPage() const {
    CRect client;
    GetClientRect(&client);
    return static_cast<int>(std::max(0L, (client.Height() - RowsTop()) / ItemHeight));
}

BOOL CListCtrl::EnsureVisible(int item, BOOL /*partialOK*/) {
    if (!IsRow(item)) return FALSE;
    int page = std::max(GetCountPerPage(), 1);
    if (item < topIndex_) topIndex_ = item;
    if (item >= topIndex_ + page) topIndex_ = item - page + 1;
    veltutil::detail::ContentChanged(*this);
    return TRUE;
}

int CListCtrl::GetStringWidth(const char* text) const {
    CDC dc;
    if (GetFont()) dc.SelectObject(GetFont());
    return static_cast<int>(dc.GetTextExtent(CString(text)).cx);
}

BOOL CListCtrl::SetBkColor(COLORREF color) {
    bkColor_ = color;
    veltutil::detail::ContentChanged(*this);
    return TRUE;
}

BOOL CListCtrl::SetTextColor(COLORREF color) {
    textColor_ = color;
    veltutil::detail::ContentChanged(*this);
    return TRUE;
}

BOOL CListCtrl::SetTextBkColor(COLORREF color) {
    textBkColor_ = color;
    veltutil::detail::ContentChanged(*this);
    return TRUE;
}

BOOL CListCtrl::SortItems(PFNLVCOMPARE compare, DWORD_PTR data) {
    if (!compare) return FALSE;
    std::vector<LPARAM> keys;
    keys.reserve(rows_.size());
    for (const Row& row : rows_) keys.push_back(static_cast<LPARAM>(row.data));
    std::vector<std::size_t> order(rows_.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    auto sortData = static_cast<LPARAM>(data);
    mergeSort(order, [&](std::size_t later, std::size_t earlier) { return compare(keys[later], keys[earlier], sortData) < 0; });
    // A callback that added or removed rows leaves nothing to reorder safely.
    if (rows_.size() != order.size()) return FALSE;
    std::vector<Row> sorted;
    sorted.reserve(rows_.size());
    for (std::size_t from : order) sorted.push_back(std::move(rows_[from]));
    rows_.swap(sorted);
    Invalidate();
    return TRUE;
}

void CListCtrl::DrawItem(LPDRAWITEMSTRUCT /*drawItem*/) {}

void CListCtrl::DrawRowTexts(CDC& dc, int item) {
    bool selected = GetItemState(item, LVIS_SELECTED) != 0;
    COLORREF oldText = dc.SetTextColor(selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : textColor_);
    COLORREF oldBack = dc.SetBkColor(selected ? GetSysColor(COLOR_HIGHLIGHT) : textBkColor_);
    for (int column = 0; column < std::max(GetColumnCount(), 1); ++column) {
        CRect cell;
        if (!GetSubItemRect(item, column, LVIR_LABEL, cell)) continue;
        HDITEM format;
        format.mask = HDI_FORMAT;
        header_.GetItem(column, &format);
        dc.DrawText(GetItemText(item, column), &cell, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | textAlignment(format.fmt));
    }
    dc.SetTextColor(oldText);
    dc.SetBkColor(oldBack);
}

void CListCtrl::Paint(CDC& dc, bool erase) {
    CRect client;
    GetClientRect(&client);
    if (erase) {
        CBrush background(bkColor_);
        CRect area(0, RowsTop(), client.right, client.bottom);
        dc.FillRect(&area, &background);
    }
    bool ownerDrawn = (GetStyle() & LVS_OWNERDRAWFIXED) != 0;
    if (ownerDrawn && !GetParent()) return;
    // The row count is read again each time round: a drawing handler may change the rows.
    for (int item = topIndex_; item < GetItemCount(); ++item) {
        CRect bounds;
        GetItemRect(item, &bounds, LVIR_BOUNDS);
        if (bounds.top >= client.bottom) break;
        if (!ownerDrawn) {
            DrawRowTexts(dc, item);
            continue;
        }
        DRAWITEMSTRUCT request;
        request.CtlType = ODT_LISTVIEW;
        request.CtlID = static_cast<UINT>(GetDlgCtrlID());
        request.itemID = static_cast<UINT>(item);
        request.itemAction = ODA_DRAWENTIRE;
        request.itemState = (GetItemState(item, LVIS_SELECTED) ? ODS_SELECTED : 0) |
                            (GetItemState(item, LVIS_FOCUSED) ? ODS_FOCUS : 0);
        request.hwndItem = m_hWnd;
        request.hDC = dc.GetSafeHdc();
        request.rcItem = bounds;
        request.itemData = GetItemData(item);
        GetParent()->SendMessage(WM_DRAWITEM, static_cast<WPARAM>(GetDlgCtrlID()), reinterpret_cast<LPARAM>(&request));
    }
}

void CListCtrl::Click(CPoint point, WPARAM keys) {
    std::vector<UINT> before;
    before.reserve(rows_.size());
    for (const Row& row : rows_) before.push_back(row.state);
    int hit = HitTest(point);
    bool toggle = (keys & MK_CONTROL) && !(GetStyle() & LVS_SINGLESEL);
    if (toggle && hit >= 0) {
        SetItemState(hit, GetItemState(hit, LVIS_SELECTED) ^ LVIS_SELECTED, LVIS_SELECTED);
        SetItemState(hit, LVIS_FOCUSED, LVIS_FOCUSED);
    } else if (!toggle) {
        SetItemState(-1, 0, LVIS_SELECTED);
        if (hit >= 0) SetItemState(hit, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i].state != before[i]) {
            Invalidate();
            break;
        }
    }
}

LRESULT CListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
        if (IsWindowEnabled()) Click(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)), wParam);
        return 0;
    case WM_PAINT: {
        CPaintDC dc(this);
        Paint(dc, true);
        return 0;
    }
    case WM_PRINTCLIENT:
        if (CDC* dc = CDC::FromHandle(reinterpret_cast<HDC>(wParam))) Paint(*dc, (lParam & PRF_ERASEBKGND) != 0);
        return 0;
    default: return CWnd::WindowProc(message, wParam, lParam);
    }
}

BOOL CListCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const auto* header = reinterpret_cast<const NMHEADER*>(lParam);
    if (!header || header->hdr.hwndFrom != header_.GetSafeHwnd() || header->hdr.code != HDN_ITEMCLICK) {
        return CWnd::OnNotify(wParam, lParam, result);
    }
    if (CWnd* parent = GetParent()) {
        NMLISTVIEW click;
        click.hdr = NMHDR{m_hWnd, static_cast<UINT>(GetDlgCtrlID()), LVN_COLUMNCLICK};
        click.iSubItem = header->iItem;
        parent->SendMessage(WM_NOTIFY, static_cast<WPARAM>(GetDlgCtrlID()), reinterpret_cast<LPARAM>(&click));
    }
    return TRUE;
}

BOOL CListCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message != WM_DRAWITEM) return CWnd::OnChildNotify(message, wParam, lParam, result);
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    if (result) *result = TRUE;
    return TRUE;
}
