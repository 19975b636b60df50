#include "veltutil/logs/lparam_list.h"

#include <utility>

IMPLEMENT_DYNAMIC(CLParamList, CObject)

CLParamList::CLParamList(int row, int column, CString text, long lParam, DWORD textColor, DWORD bkColor)
    : m_row(row), m_column(column), m_lParam(lParam), m_text(std::move(text)), m_bkColor(bkColor),
      m_textColor(textColor) {}

CLParamList::~CLParamList() {
    for (CObject* cell : m_cells) delete cell;
}

void CLParamList::AddColumn(CLParamList* cell) {
    if (cell) m_cells.Add(cell);
}

CLParamList* CLParamList::GetCell(int position) const {
    return position >= 0 && position < m_cells.GetSize() ? static_cast<CLParamList*>(m_cells[position]) : nullptr;
}

CLParamList* CLParamList::FindCell(int column) const {
    for (CObject* cell : m_cells) {
        auto* record = static_cast<CLParamList*>(cell);
        if (record->m_column == column) return record;
    }
    return nullptr;
}
