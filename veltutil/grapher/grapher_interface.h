#pragma once

#include "veltutil/export.h"
#include "veltutil/grapher/grapher_types.h"
#include "veltutil/platform/host/strings/cstring.h"
#include "veltutil/platform/host/win_types.h"

// What the library calls on the plotting module: the module's root object. The order of the
// operations is the module's table of virtual operations and must not change. Pages, graphs
// and tables are opaque handles that the module gives out and takes back as first argument;
// every operation answers a status code, 0 for success, anything else passed on unchanged.

class CGraphPage;
class CGraph;
class CChart;
class CCallbackEvents;

class VELTUTIL_API CGrapher {
public:
    // 0 to 10: the module and its pages.
    virtual long Init(HWND parent, int, int, int, int, HWND* child) = 0;
    virtual long CreatePage(unsigned long id, CGraphPage** page) = 0;
    virtual long CreatePageExt(unsigned long id, CGraphPage** page) = 0;
    virtual long ClosePage(CGraphPage* page) = 0;
    virtual long ClearPage(CGraphPage* page) = 0;
    virtual long ClearAllPages(CString* text) = 0;
    virtual long DeletePage(CGraphPage* page) = 0;
    virtual long SetPageTabName(CGraphPage* page, const char* name) = 0;
    virtual long SetPageTitle(CGraphPage* page, const char* title) = 0;
    virtual long SetPageTitleFont(CGraphPage* page, int, int, const char* faceName) = 0;
    virtual long SetPageWndPos(CGraphPage* page, HWND, HWND, int, int, int, int, unsigned int flags) = 0;

    // 11 to 34: graphs.
    virtual long CreateGraph(CGraphPage* page, unsigned long id, CGraph** graph) = 0;
    virtual long CloseGraph(CGraph* graph) = 0;
    virtual long ClearGraph(CGraph* graph) = 0;
    virtual long SetGraphTitle(CGraph* graph, const char* title) = 0;
    virtual long SetGraphTitleFont(CGraph* graph, int, int, const char* faceName) = 0;
    // One point: values[0] is the X value and values[k + 1] the Y value of trace firstTrace + k,
    // for k below traceCount.
    virtual long AddData(CGraph* graph, int firstTrace, const double* values, int traceCount, int, int update) = 0;
    virtual long GetData(CGraph* graph, int, double*& x, double*& y, int& count, int) = 0;
    virtual long GetDataY(CGraph* graph, int, double*& y, int& count) = 0;
    virtual long GetDataNumberOfPoint(CGraph* graph, int trace, int& count) = 0;
    virtual long GetDataPoint(CGraph* graph, int trace, int point, double& x, double& y) = 0;
    virtual long UpdateDisplay(CGraph* graph) = 0;
    virtual long UpdatePlotDisplay(CGraph* graph) = 0;
    virtual long DeleteGraphData(CGraph* graph) = 0;
    virtual long SetGridEnabled(CGraph* graph, int enabled) = 0;
    virtual long ShowGrid(CGraph* graph, int show) = 0;
    virtual long AutoPrecision(CGraph* graph, AxisPosition position, int, int) = 0;
    virtual long ShowDiagram(CGraph* graph, int show) = 0;
    virtual long SetGridPenStyle(CGraph* graph, int style) = 0;
    virtual long SetPrintLogicalTrace(CGraph* graph, int) = 0;
    virtual long SetDisplayDigitalData(CGraph* graph, AxisPosition position, int) = 0;
    virtual long SetReversed(CGraph* graph) = 0;
    virtual long IsReversed(CGraph* graph, int& reversed) = 0;
    virtual long DeleteData(CGraph* graph, int trace) = 0;
    virtual long SetShowSelTraceMarks(CGraph* graph, int show) = 0;

    // 35 to 37: saved page data.
    virtual long SaveScopeData(CGraphPage* page, const CString&, const CString&) = 0;
    virtual long SaveScopeData4ch(CGraphPage* page, const CString&, const CString&) = 0;
    virtual long SaveBodeData(CGraphPage* page, const CString&, const CString&) = 0;

    // 38 to 45: crosshairs.
    virtual long ShowOneCrosshair(CGraph* graph, unsigned int, int) = 0;
    virtual long ShowCrosshairWithoutLegend(CGraph* graph, unsigned int, int) = 0;
    virtual long MoveCrosshairOneStep(CGraph* graph, int, unsigned int) = 0;
    virtual long GetCrosshairValue(CGraph* graph, int, unsigned int, double& x, double& y) = 0;
    virtual long SetCrosshairPosition(CGraph* graph, unsigned int, unsigned int, double x, double y) = 0;
    virtual long SetCrosshairsTraceId(CGraph* graph, unsigned int trace) = 0;
    virtual long GetCrosshairsTraceId(CGraph* graph) = 0;
    virtual long SendCrosshairMovedMsg(CGraph* graph) = 0;

    // 46 to 48: notifications to the client; 47 is kept free.
    virtual long AttachRightClickGrapherMsg(HWND window, CGraphPage* page) = 0;
    virtual long Reserved47() = 0;
    virtual long AttachCallbackEvents(CGraphPage* page, CCallbackEvents* events, unsigned int, int, int) = 0;

    // 49 to 74: axes and traces.
    virtual long SetAxisLabelAt(CGraph* graph, int, int, const char* label) = 0;
    virtual long SetAxisLabel(CGraph* graph, AxisPosition position, const char* label) = 0;
    virtual long SetAxisLabelFontAt(CGraph* graph, int, int, int, int, const char* faceName) = 0;
    virtual long SetAxisLabelFont(CGraph* graph, AxisPosition position, int, int, const char* faceName) = 0;
    virtual long SetAxisValueFontAt(CGraph* graph, int, int, int, int, const char* faceName) = 0;
    virtual long SetAxisValueFont(CGraph* graph, AxisPosition position, int, int, const char* faceName) = 0;
    virtual long SetAxisEnabledAt(CGraph* graph, int, int, int enabled) = 0;
    virtual long SetAxisEnabled(CGraph* graph, AxisPosition position, int enabled) = 0;
    virtual long SetAxisAttrAt(CGraph* graph, int, int, int, int, int, ScaleType scale) = 0;
    virtual long SetAxisAttr(CGraph* graph, AxisPosition position, int, int, int, ScaleType scale) = 0;
    virtual long SetAxisRangeAt(CGraph* graph, int, int, double lo, double hi) = 0;
    virtual long SetAxisRange(CGraph* graph, AxisPosition position, double lo, double hi) = 0;
    virtual long SetUseCommonAxises(CGraph* graph, int, int, int) = 0;
    virtual long AddTrace(CGraph* graph) = 0;
    virtual long GetNumberOfTraces(CGraph* graph) = 0;
    virtual long GetCurrentTraceId(CGraph* graph) = 0;
    virtual long SetCurrentTraceId(CGraph* graph, int trace) = 0;
    virtual long SetTraceLabel(CGraph* graph, int trace, const char* label) = 0;
    virtual long SetTracePen(CGraph* graph, int trace, int style, unsigned long colour) = 0;
    virtual long SetTraceAxis(CGraph* graph, int trace, AxisPosition x, AxisPosition y) = 0;
    virtual long SetTraceOffset(CGraph* graph, int trace, double, double, double, double) = 0;
    virtual long GetTraceValueMin(CGraph* graph, unsigned int trace, double& x, double& y) = 0;
    virtual long GetTraceValueMax(CGraph* graph, unsigned int trace, double& x, double& y) = 0;
    virtual long SetTraceInternalUse(CGraph* graph, int trace, int) = 0;
    virtual long SetTraceShow(CGraph* graph, int trace, int show) = 0;
    virtual long GetTraceLabel(CGraph* graph, unsigned int trace, CString& label) = 0;

    // 75 to 91: tables.
    virtual long CreateChart(CGraphPage* page, unsigned long id, CChart** chart) = 0;
    virtual long CloseChart(CChart* chart) = 0;
    virtual long ClearChart(CChart* chart) = 0;
    virtual long SetChartTitle(CChart* chart, const char* title) = 0;
    virtual long SetChartTitleFont(CChart* chart, int, int, const char* faceName) = 0;
    virtual long SetChartSortable(CChart* chart, int sortable) = 0;
    virtual long SetShowLeftHeader(CChart* chart, int show) = 0;
    virtual long SetShowTopHeader(CChart* chart, int show) = 0;
    virtual long AddColumn(CChart* chart, const char* heading, int width, ChartType type) = 0;
    virtual long SetColumnPrecision(CChart* chart, int column, int precision) = 0;
    virtual long SetColumnSortable(CChart* chart, int column, int sortable) = 0;
    virtual long SortColumn(CChart* chart, int column) = 0;
    virtual long AddRow(CChart* chart) = 0;
    virtual long SetRowItemInt(CChart* chart, int row, int column, int value) = 0;
    virtual long SetRowItemDouble(CChart* chart, int row, int column, double value) = 0;
    virtual long SetRowItemText(CChart* chart, int row, int column, const char* text) = 0;
    virtual long UpdateChartDisplay(CChart* chart) = 0;

    // 92 to 96: the module's window; 93 is kept free.
    virtual long LockShowStatus(int locked) = 0;
    virtual long Reserved93() = 0;
    virtual long Show(int command) = 0;
    virtual long IsShown(int* shown) = 0;
    virtual long AutoRange(CGraph* graph, AxisPosition position) = 0;

protected:
    // The module owns its root object; the library never deletes it.
    ~CGrapher() = default;
};

// The module's one export: the root object for the argument 0, or null.
using GRAPHERCREATEPROC = CGrapher* (*)(int);

// The drawing module's second export, GrapherSetOutputDirectory: the folder that its files go
// to (null or "" for its default). Found with GetProcAddress; other modules lack it.
using GRAPHERSETOUTPUTDIRECTORYPROC = long (*)(const char*);
