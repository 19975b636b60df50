#pragma once

#include "veltutil/export.h"
#include "veltutil/platform/host/strings/cobject.h"
#include "veltutil/platform/host/strings/cstring.h"
#include "veltutil/platform/host/strings/arrays.h"

// The record a CColorListCtrl keeps for each row (column 0) and for each sub-item cell. A row
// record owns its cell records, in the order they were added, and deletes them with itself.
class VELTUTIL_API CLParamList : public CObject {
    DECLARE_DYNAMIC(CLParamList)

public:
    // The control's own colour, for a cell's text or background colour.
    static constexpr DWORD ControlColor = 256;

    CLParamList(int row, int column, CString text, long lParam, DWORD textColor, DWORD bkColor);
    ~CLParamList() override;
    CLParamList(const CLParamList&) = delete;
    CLParamList& operator=(const CLParamList&) = delete;

    // Appends `cell` to this row record's cells, which then owns it; null is ignored.
    void AddColumn(CLParamList* cell);
    // The cell at `position` (0: the first added), or null.
    CLParamList* GetCell(int position) const;
    // The first cell whose column is `column`, or null.
    CLParamList* FindCell(int column) const;

    int m_row;        // the row number when the record was made
    int m_column;     // 0 for a row record, else the cell's column
    long m_lParam;    // the caller's value
    CString m_text;
    CObArray m_cells;  // of CLParamList*, owned
    DWORD m_bkColor;   // ControlColor: the control's
    DWORD m_textColor; // ControlColor: the control's
};
