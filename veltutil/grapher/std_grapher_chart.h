#pragma once

#include "veltutil/export.h"
#include "veltutil/grapher/grapher_chart.h"
#include "veltutil/grapher/grapher_types.h"

// A table laid out for a diagram type: column 0, which the caller fills with SetRowItemText, then
// one value column (type 0) or two (real and imaginary, magnitude and phase, gain and phase),
// filled from up to eight numbers per row (SetRowItemValue). Everything else goes to the inner
// table unchanged.
class VELTUTIL_API CStdGrapherChart {
public:
    CStdGrapherChart() = default;
    CStdGrapherChart(const CStdGrapherChart&) = default;
    CStdGrapherChart& operator=(const CStdGrapherChart&) = default;

    virtual ~CStdGrapherChart() = default;
    virtual long SetCurrentFont(int first, int second, const char* faceName);
    virtual int IsOpened() const;
    virtual CGrapher* GetGrapher() const;
    virtual long Close();
    virtual long CloseNow();
    virtual long Clear();
    virtual long SetTitle(const char* title);
    virtual long SetTitleFont();
    // The heading column (null gives "") of width w0, then the value columns of widths w1 and w2:
    // "Real" and "Imaginary", "Magnitude" and "Phase (deg)", "Gain" and "Phase (deg)", or one
    // column "" of width w1 for type 0. Stops at the first failure and answers it.
    virtual long DefineColumns(const char* heading, int w0, int w1, int w2);
    virtual long SetColumnPrecision(int column, int precision);
    virtual long SetColumnSortable(int column, int sortable);
    virtual long SortColumn(int column);
    virtual long AddRow();
    // Writes the row's value columns from the numbers A to H as the diagram type reads them; gain
    // and phase are computed afresh for each row. S_OK, with nothing written, for a type outside 0
    // to 4; otherwise the first failure.
    //   type 2, A = 3, B = 4 -> column 1 = 5, column 2 = 53.130102354152477
    virtual long SetRowItemValue(int row, double a, double b, double c, double d, double e, double f, double g,
                                 double h);
    // Column 0 of the row.
    virtual long SetRowItemText(int row, const char* text);
    virtual long UpdateDisplay();
    virtual long SetSortable(int sortable);
    virtual long SetShowLeftHeader(int show);
    virtual long SetShowTopHeader(int show);
    virtual int GetNumRows() const;
    virtual void SetNumRows(int rows);
    // A null heading is sent as "".
    virtual long AddCollumn(const char* heading, int width, ChartType type);
    virtual long SetItemText(int row, int column, const char* text);
    virtual long SetItemDouble(int row, int column, double value);

    void SetChart(CGrapher* root, GrapherDiagramType type, CChart* chart);
    GrapherDiagramType GetDiagramType() const { return m_DiagramType; }
    operator CChart*() const { return m_Chart; }

private:
    CGrapherChart m_Chart;
    GrapherDiagramType m_DiagramType = DIAGRAM_SINGLE_VALUE;
};
