#include "veltutil/logs/color_list_ctrl.h"

#include <algorithm>
#include <type_traits>

#include "veltutil/platform/host/drawing/dc.h"
#include "veltutil/platform/host/drawing/system_colors.h"

// SortProcedure goes to SortItems as its comparison callback.
static_assert(std::is_same_v<LPARAM, long>, "list-control callbacks take long arguments");

namespace {

template <class Field>
int setCellField(CLParamList* cell, Field CLParamList::*field, Field value) {
    if (!cell) return -1;
    cell->*field = value;
    return 0;
}

// A missing cell sorts as an empty text.
const CString& sortText(const CLParamList& row, int column) {
    static const CString none;
    if (column == 0) return row.m_text;
    const CLParamList* cell = row.GetCell(column - 1);
    return cell ? cell->m_text : none;
}

}  // namespace

CColorListCtrl::CColorListCtrl() : highlightColor_(GetSysColor(COLOR_HIGHLIGHT)) { bkBrush_.CreateSolidBrush(bkColor_); }

CColorListCtrl::~CColorListCtrl() {
    // The window may outlive no one to destroy it: the records go with the control regardless.
    FreeRecords();
}

CLParamList* CColorListCtrl::RowRecord(int row) const { return reinterpret_cast<CLParamList*>(GetItemData(row)); }

void CColorListCtrl::FreeRecords() {
    for (int row = 0; row < GetItemCount(); ++row) {
        delete RowRecord(row);
        SetItemData(row, 0);
    }
}

void CColorListCtrl::OnDestroy() {
    FreeRecords();
    CListCtrl::OnDestroy();
}

void CColorListCtrl::SetBackgroundColor(DWORD color) {
    bkColor_ = color;
    bkBrush_.DeleteObject();
    bkBrush_.CreateSolidBrush(color);
    CListCtrl::SetBkColor(color);
    CListCtrl::SetTextBkColor(color);
}

void CColorListCtrl::SetTextColor(DWORD color) {
    textColor_ = color;
    CListCtrl::SetTextColor(color);
}

void CColorListCtrl::SetHighlightColor(DWORD color) { highlightColor_ = color; }

void CColorListCtrl::SetFont(CFont* font) {
    font_ = font;
    CWnd::SetFont(font, TRUE);
}

int CColorListCtrl::AddColumn(CString title, int format, int minWidth) {
    if (title.IsEmpty()) return -1;
    int width = std::max(GetStringWidth(title) + 15, minWidth);
    int index = InsertColumn(lastColumn_ + 1, title, format, width);
    if (index == -1) return -1;
    columnWidths_.Add(static_cast<DWORD>(width));
    lastColumn_ = index;
    return index;
}

void CColorListCtrl::ResetColumnWidths() {
    for (int column = 0; column < columnWidths_.GetSize(); ++column) SetColumnWidth(column, LOWORD(columnWidths_[column]));
}

int CColorListCtrl::ChangeColumn(CString title, int column) {
    if (title.IsEmpty() || column > lastColumn_) return 0;
    LVCOLUMN info;
    info.mask = LVCF_TEXT;
    info.pszText = const_cast<char*>(title.GetString());
    return SetColumn(column, &info);
}

int CColorListCtrl::AddItem(CString text, long lParam, DWORD textColor, DWORD bkColor) {
    return InsertAt(GetItemCount(), text, lParam, textColor, bkColor);
}

int CColorListCtrl::InsertAt(int index, CString text, long lParam, DWORD textColor, DWORD bkColor) {
    int row = InsertItem(index, text);
    if (row == -1) return -1;
    auto* record = new CLParamList(GetItemCount() - 1, 0, text, lParam, textColor, bkColor);
    SetItemData(row, reinterpret_cast<DWORD_PTR>(record));
    return row;
}

int CColorListCtrl::AddSubItem(int row, int column, CString text, long lParam, DWORD textColor, DWORD bkColor) {
    int answer = SetItemText(row, column, text);
    if (CLParamList* record = RowRecord(row)) record->AddColumn(new CLParamList(row, column, text, lParam, textColor, bkColor));
    return answer;
}

void CColorListCtrl::SetText(CString text, int row, int column) {
    if (row >= GetItemCount()) return;
    if (CLParamList* record = RowRecord(row)) {
        CLParamList* changed = column == 0 ? record : column >= 1 ? record->FindCell(column) : nullptr;
        if (changed) changed->m_text = text;
    }
    SetItemText(row, column, text);
}

int CColorListCtrl::SetCellBkColor(int row, int column, DWORD color) {
    CLParamList* record = RowRecord(row);
    return setCellField(record ? record->GetCell(column - 1) : nullptr, &CLParamList::m_bkColor, color);
}

int CColorListCtrl::SetCellTextColor(int row, int column, DWORD color) {
    CLParamList* record = RowRecord(row);
    return setCellField(record ? record->GetCell(column - 1) : nullptr, &CLParamList::m_textColor, color);
}

int CColorListCtrl::SetCellLParam(int row, int column, long lParam) {
    CLParamList* record = RowRecord(row);
    return setCellField(record ? record->GetCell(column - 1) : nullptr, &CLParamList::m_lParam, lParam);
}

int CColorListCtrl::SetLParam(int row, long lParam) { return setCellField(RowRecord(row), &CLParamList::m_lParam, lParam); }

long CColorListCtrl::GetCellLParam(int row, int column) {
    CLParamList* record = row < GetItemCount() && column >= 0 ? RowRecord(row) : nullptr;
    if (!record) return -1;
    if (column == 0) return record->m_lParam;
    const CLParamList* cell = record->FindCell(column);
    return cell ? cell->m_lParam : -1;
}

int CColorListCtrl::GetSelectedRows(CDWordArray* rows) {
    if (rows) rows->RemoveAll();
    int count = 0;
    for (int row = GetNextItem(-1, LVNI_SELECTED); row != -1; row = GetNextItem(row, LVNI_SELECTED), ++count) {
        if (rows) rows->Add(static_cast<DWORD>(row));
    }
    return count;
}

int CColorListCtrl::GetSelectedRow() { return GetNextItem(-1, LVNI_SELECTED); }

int CColorListCtrl::SelectRow(int row) {
    if (row >= GetItemCount()) return 0;
    return SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
}

int CColorListCtrl::UnselectRow(int row) { return SetItemState(row, 0, LVIS_SELECTED); }

int CColorListCtrl::SelectAllRows() {
    int all = 1;
    for (int row = 0; row < GetItemCount(); ++row) {
        if (!SelectRow(row)) all = 0;
    }
    return all;
}

int CColorListCtrl::UnselectAllRows() {
    int all = 1;
    for (int row = 0; row < GetItemCount(); ++row) {
        if (!UnselectRow(row)) all = 0;
    }
    return all;
}

int CColorListCtrl::RemoveItem(int row) {
    delete RowRecord(row);
    DeleteItem(row);
    return 1;
}

int CColorListCtrl::RemoveAllItems() {
    for (int rows = GetItemCount(); rows > 0; --rows) RemoveItem(0);
    return 1;
}

int CColorListCtrl::GetColumnIndex(POINT point) {
    if (point.y < firstRowTop_ || HitTest(CPoint(point)) == -1) return -1;
    long right = 0;
    for (int column = 0; column <= lastColumn_; ++column) {
        right += GetColumnWidth(column);
        if (point.x <= right) return column;
    }
    return -1;
}

int CColorListCtrl::SortProcedure(long item1, long item2, long control) {
    const auto* first = reinterpret_cast<const CLParamList*>(item1);
    const auto* second = reinterpret_cast<const CLParamList*>(item2);
    const auto* list = reinterpret_cast<const CColorListCtrl*>(control);
    if (!first || !second || !list) return -1;
    // Byte by byte as unsigned characters, case-sensitively: -1, 0 or 1.
    int order = sortText(*first, list->sortColumn_).Compare(sortText(*second, list->sortColumn_));
    return list->sortAscending_ ? order : -order;
}

void CColorListCtrl::SortByFirstColumn() {
    sortColumn_ = 0;
    SortItems(&SortProcedure, reinterpret_cast<DWORD_PTR>(this));
    sortAscending_ = !sortAscending_;
}

BOOL CColorListCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const auto* click = reinterpret_cast<const NMLISTVIEW*>(lParam);
    if (message != WM_NOTIFY || !click || click->hdr.code != LVN_COLUMNCLICK) {
        return CListCtrl::OnChildNotify(message, wParam, lParam, result);
    }
    if (sortEnabled_ && click->iSubItem == 0) SortByFirstColumn();
    if (result) *result = 0;
    return TRUE;
}

BOOL CColorListCtrl::PreTranslateMessage(MSG* msg) {
    if (msg && msg->message == WM_LBUTTONDOWN && msg->hwnd == m_hWnd) {
        int column = GetColumnIndex(CPoint(GET_X_LPARAM(msg->lParam), GET_Y_LPARAM(msg->lParam)));
        if (column != currentColumn_) {
            currentColumn_ = column;
            if (highlight_ == HighlightColumn) Invalidate();
        }
    }
    return CListCtrl::PreTranslateMessage(msg);
}

bool CColorListCtrl::IsHighlighted(int column, bool selectedRow) const {
    switch (highlight_) {
    case HighlightColumn: return column == currentColumn_;
    case HighlightRow: return selectedRow;
    case HighlightCell: return selectedRow && column == currentColumn_;
    default: return false;
    }
}

void CColorListCtrl::DrawItem(LPDRAWITEMSTRUCT drawItem) {
    CDC* dc = drawItem ? CDC::FromHandle(drawItem->hDC) : nullptr;
    if (!dc) return;
    int row = static_cast<int>(drawItem->itemID);
    CBrush highlightBrush(highlightColor_);
    CFont* previousFont = font_ ? dc->SelectObject(font_) : nullptr;
    bool bordered = grid_ == SolidGrid || grid_ == DashedGrid;
    CPen border(grid_ == SolidGrid ? PS_SOLID : PS_DASH, 1, RGB(0, 0, 0));
    CRect label;
    GetItemRect(row, &label, LVIR_LABEL);
    if (row == 0) firstRowTop_ = label.top;
    bool selected = GetItemState(row, LVIS_SELECTED) != 0;
    const CLParamList* record = RowRecord(row);
    long left = label.left;
    for (int column = 0; column <= lastColumn_; ++column) {
        CRect cell = label;
        if (column == 0) {
            cell.right += 1;
        } else {
            cell.left = left;
            cell.right = left + GetColumnWidth(column);
        }
        left += GetColumnWidth(column);
        bool highlighted = IsHighlighted(column, selected);
        dc->SetBkColor(highlighted ? highlightColor_ : bkColor_);
        dc->SetTextColor(highlighted ? bkColor_ : textColor_);
        dc->FillRect(&cell, highlighted ? &highlightBrush : &bkBrush_);
        CRect text = cell;
        if (bordered) {
            CPen* previousPen = dc->SelectObject(&border);
            auto* previousBrush = static_cast<CBrush*>(dc->SelectStockObject(NULL_BRUSH));
            dc->Rectangle(cell.left, cell.top, cell.right, cell.bottom + 1);
            dc->SelectObject(previousPen);
            dc->SelectObject(previousBrush);
            text.left += 2;
            text.top += 1;
            text.bottom -= 1;
            if (grid_ == SolidGrid) text.right -= 2;
        }
        const CLParamList* own = column >= 1 && !highlighted && record ? record->GetCell(column - 1) : nullptr;
        if (own && own->m_bkColor != CLParamList::ControlColor) dc->SetBkColor(own->m_bkColor);
        if (own && own->m_textColor != CLParamList::ControlColor) dc->SetTextColor(own->m_textColor);
        dc->DrawText(GetItemText(row, column), &text, DT_SINGLELINE | DT_VCENTER);
    }
    if (previousFont) dc->SelectObject(previousFont);
}
