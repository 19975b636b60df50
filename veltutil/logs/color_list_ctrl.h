#pragma once

#include "veltutil/export.h"
#include "veltutil/logs/lparam_list.h"
#include "veltutil/platform/host/controls/list_ctrl.h"
#include "veltutil/platform/host/drawing/gdi_objects.h"
#include "veltutil/platform/host/strings/arrays.h"

// An owner-drawn report list that draws every cell itself: its own text, background and
// highlight colours, per-cell colours, optional cell borders, three highlight modes and sorting
// by the first column. Create it (or take over a dialog item) with LVS_REPORT |
// LVS_OWNERDRAWFIXED, so that painting calls DrawItem for each row.
//
// Each row's data value is its CLParamList row record, which owns the row's cell records. The
// control owns the records: RemoveItem and RemoveAllItems free them, and so do destroying the
// window and destroying the control. Rows inserted or deleted through the CListCtrl members
// bypass this bookkeeping.
class VELTUTIL_API CColorListCtrl : public CListCtrl {
public:
    // Which cells the highlight colour marks. Any other value (the type holds every int)
    // highlights nothing.
    enum Highlight : int {
        HighlightColumn = 0,  // the current column, in every row
        HighlightRow = 1,     // every cell of the selected rows
        HighlightCell = 2,    // the current column's cell in the selected rows
    };
    // Cell borders: none, or a black one-pixel border drawn solid or dashed. Any other value
    // draws none.
    enum Grid : int { NoGrid = 0, SolidGrid = 1, DashedGrid = 2 };

    CColorListCtrl();
    ~CColorListCtrl() override;

    // Also the background of the list control and of its texts.
    void SetBackgroundColor(DWORD color);
    // Also the list control's text colour.
    void SetTextColor(DWORD color);
    void SetHighlightColor(DWORD color);
    // The font rows are drawn in, which the control does not own; null is the system font.
    void SetFont(CFont* font);
    void SetGridType(Grid grid) { grid_ = grid; }
    void SetHighlightType(Highlight highlight) { highlight_ = highlight; }
    void EnableSort(int enable) { sortEnabled_ = enable; }

    // Appends a column as wide as its title plus 15 pixels, but at least `minWidth`; returns
    // its index, or -1 for an empty title or when the list refuses it.
    int AddColumn(CString title, int format, int minWidth);
    // Gives every column added with AddColumn its width again.
    void ResetColumnWidths();
    // Renames `column`: the list control's answer, or 0 for an empty title or a column after
    // the last.
    int ChangeColumn(CString title, int column);

    // Appends a row with its record; the new row's index, or -1.
    int AddItem(CString text, long lParam, DWORD textColor, DWORD bkColor);
    // Inserts a row at `index` with its record (row number: the number of rows - 1); the new
    // row's index, or -1 when the list refuses it.
    int InsertAt(int index, CString text, long lParam, DWORD textColor, DWORD bkColor);
    // Sets the sub-item's text and appends a cell record to the row's record; returns the list
    // control's answer to the text change. Cells are expected in column order 1, 2, ...
    int AddSubItem(int row, int column, CString text, long lParam, DWORD textColor, DWORD bkColor);
    // Changes the text of the row record (column 0) or of the first cell record with that
    // column, then the list control's text; nothing for a row after the last.
    void SetText(CString text, int row, int column);

    // Change the cell record at position column - 1 of the row: -1 when there is none (column
    // below 1, no row record, fewer cells), else 0.
    int SetCellBkColor(int row, int column, DWORD color);
    int SetCellTextColor(int row, int column, DWORD color);
    int SetCellLParam(int row, int column, long lParam);
    // -1 without a row record, else 0.
    int SetLParam(int row, long lParam);
    // Column 0: the row record's value; else the value of the first cell record with that
    // column. -1 for a row after the last, a negative column, or no such record.
    long GetCellLParam(int row, int column);

    // Empties `rows`, appends the selected rows' indices in order and returns their number
    // (when `rows` is null, only the number).
    int GetSelectedRows(CDWordArray* rows);
    // The first selected row, -1 for none.
    int GetSelectedRow();
    // 0 for a row after the last, else the list control's answer.
    int SelectRow(int row);
    int UnselectRow(int row);
    // 1, or 0 when a row refused the change.
    int SelectAllRows();
    int UnselectAllRows();
    // Frees the row's records and deletes the row; 1.
    int RemoveItem(int row);
    // Removes row 0 as many times as there were rows; 1.
    int RemoveAllItems();

    // The column under a client point: -1 above the first row (as last drawn) or off every
    // row, else the first column whose right edge is at or right of x (-1 for none).
    int GetColumnIndex(POINT point);

    // Orders two row records (the rows' data values) by their texts in the sort column, byte by
    // byte as unsigned characters: -1, 0 or 1, reversed for a descending sort; -1 when a record
    // or the control (`control`, the CColorListCtrl*) is missing.
    static int SortProcedure(long item1, long item2, long control);

    void DrawItem(LPDRAWITEMSTRUCT drawItem) override;
    // A left-button press on the list makes the column under it current; with HighlightColumn
    // a change of column repaints the whole control.
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    // Sorts on a click on the first column's title (when sorting is enabled): ascending on
    // the first click, then alternately descending and ascending.
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnDestroy() override;

private:
    CLParamList* RowRecord(int row) const;
    bool IsHighlighted(int column, bool selectedRow) const;
    void FreeRecords();
    void SortByFirstColumn();

    DWORD textColor_ = 0;
    DWORD bkColor_ = 0xFFFFFF;
    DWORD highlightColor_;
    CBrush bkBrush_;
    CFont* font_ = nullptr;
    int sortAscending_ = 1;  // the direction of the next sort
    int sortColumn_ = 0;
    int sortEnabled_ = 1;
    int currentColumn_ = -1;
    Highlight highlight_ = HighlightRow;
    Grid grid_ = NoGrid;
    long firstRowTop_ = 0;
    int lastColumn_ = -1;
    CDWordArray columnWidths_;
};
