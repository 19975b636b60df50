#pragma once

#include "veltutil/export.h"
#include "veltutil/grapher/grapher_font.h"
#include "veltutil/grapher/grapher_interface.h"
#include "veltutil/grapher/grapher_types.h"

// The client's handle of one table of the plotting module: rows of typed columns. Each operation
// forwards to the module with the table handle first and answers what the module answers, or
// E_FAIL without a root object. The table counts the rows it added since it was last cleared; the
// module is never asked.
//
// A table is open from the moment a page attaches it with a non-null handle (SetChart) until its
// Close succeeds. Close keeps the handle and the row count; CloseNow forgets both.
class VELTUTIL_API CGrapherChart {
public:
    CGrapherChart() = default;
    CGrapherChart(const CGrapherChart&) = default;
    CGrapherChart& operator=(const CGrapherChart&) = default;

    virtual ~CGrapherChart();
    virtual int IsOpened() const { return m_nOpened; }
    virtual long SetCurrentFont(int first, int second, const char* faceName);
    virtual CGrapher* GetGrapher() const { return m_pGrapher; }
    // S_OK without a root object or a handle; a module refusal leaves the table open.
    virtual long Close();
    // Close, then the handle and the row count are forgotten whatever Close answered.
    virtual long CloseNow();
    // The row count starts again from 0.
    virtual long Clear();
    virtual long SetTitle(const char* title);
    virtual long SetTitleFont();
    virtual long AddColumn(const char* heading, int width, ChartType type);
    virtual long SetColumnPrecision(int column, int precision);
    virtual long SetColumnSortable(int column, int sortable);
    virtual long SortColumn(int column);
    // Counts the row even when the module then fails, so that the count never lags behind rows
    // the module may have made.
    virtual long AddRow();
    virtual long SetRowItemInt(int row, int column, int value);
    virtual long SetRowItemDouble(int row, int column, double value);
    // A null text is sent as "".
    virtual long SetRowItemText(int row, int column, const char* text);
    virtual long UpdateDisplay();
    virtual long SetSortable(int sortable);
    virtual long SetShowLeftHeader(int show);
    virtual long SetShowTopHeader(int show);
    virtual int GetNumRows() const { return m_nNumRows; }
    virtual void SetNumRows(int rows) { m_nNumRows = rows; }

    // Attaches the table to a module table; it counts as open when the handle is not null.
    void SetChart(CGrapher* root, CChart* chart);
    operator CChart*() const { return m_pChart; }
    const CGrapherFont& GetFont() const { return m_Font; }

private:
    // The operation on this table's handle; E_FAIL without a root object.
    template <class... Params, class... Args>
    long Send(long (CGrapher::*operation)(CChart*, Params...), Args&&... args);

    CGrapher* m_pGrapher = nullptr;
    CChart* m_pChart = nullptr;
    CGrapherFont m_Font;
    int m_nOpened = 0;
    int m_nNumRows = 0;
};
