#pragma once

#include "veltutil/export.h"
#include "veltutil/grapher/grapher_chart.h"
#include "veltutil/grapher/grapher_page.h"
#include "veltutil/platform/host/strings/cstring.h"

class CGrapherSource;

// A log written into a table of the plotting module, row by row into the first column or into
// any cell. Multi-line entries become one row per line, indented by a level that the caller
// raises and lowers. The log opens its table on its own page, which it creates through the
// source, or on a page the caller names (SetPage) that must outlive the log; it closes a page
// only if it created it. The source is not owned. Nothing reports a failure: the module's
// answers are not examined, and entries made while no log is open are dropped.
class VELTUTIL_API ChartLog {
public:
    enum LogType : int {
        SINGLE_COLUMN = 0,  // as any type other than RUN_TABLE
        RUN_TABLE = 2,      // five columns: run, time, output value, sum, parameter
    };

    explicit ChartLog(CGrapherSource* source = nullptr);
    // A copy writes into the same module table. It keeps a page that the caller named; a log on
    // its own page keeps to its own page, so that it never points into the log it was copied from.
    ChartLog(const ChartLog& other);
    ChartLog& operator=(const ChartLog& other);
    ~ChartLog() = default;

    ChartLog& SetGrapher(CGrapherSource* source);
    // Null returns the log to its own page.
    ChartLog& SetPage(CGrapherPage* page);
    CGrapherPage* GetGraphPage() { return m_pPage; }

    // Opens the table, with the page first unless it is open already. Does nothing while a log
    // is open or without a source.
    ChartLog& OpenNewLog(const CString& tabName, const CString& title, const CString& heading, int width,
                         LogType type);
    // The text, trimmed, into the cell; rows up to `row` are added first where missing.
    ChartLog& AddLogEntry(int row, int column, const CString& text);
    // Verbatim: the text as it is, in one new row. Otherwise one new row per line, each trimmed
    // and indented by four blanks per level (at most 103): "a\n\nb" at level 1 gives the rows
    // "    a", "    " and "    b"; a final line feed adds no row, an empty text none at all.
    ChartLog& AddLogEntry(const CString& text, int verbatim);
    ChartLog& PushIndent();
    // Lowers the level without a floor; a level below 1 indents nothing.
    ChartLog& PopIndent();
    // Shows the module's window and refreshes the table.
    ChartLog& ShowLog();
    // Shows and closes the table, and the page when the log opened it. The indent level stays.
    ChartLog& CloseLog();

private:
    bool IsWritable() const { return m_pSource != nullptr && m_Chart.IsOpened(); }
    void AppendRow(const CString& text);

    CGrapherSource* m_pSource;
    CGrapherPage m_Page;
    CGrapherPage* m_pPage;
    CGrapherChart m_Chart;
    int m_nPageWasOpen = 0;
    int m_nNumRows = 0;
    int m_nIndent = 0;
};
