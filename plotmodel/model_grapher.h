#pragma once

#include <string>

#include "plotmodel/object_store.h"
#include "plotmodel/page_output.h"
#include "veltutil/grapher/grapher_interface.h"

namespace plotmodel {

// The root object of a plotting module: it keeps what the client sends in an ObjectStore and
// shows the pages through its view (page_view.h), by default its files (page_output.h).
//
// Results, besides each operation's own: E_POINTER for a null out pointer, E_HANDLE for a
// handle the module never gave out, of another kind, or whose object is gone (deleted, or on
// a page that was closed or cleared), E_FAIL for an operation a closed object refuses (adding
// data or rows, closing again, anything on a closed page) and for files that could not be
// written, E_INVALIDARG for a trace, point, row, column or axis out of range or a number that
// is not finite. Nothing is changed when an operation fails.
//
// Choices the client leaves to the module:
// - AddData: values[0] is the X value, values[1 + k] the Y value of trace first + k for k
//   below `end` (a count, as the client's AddData(update, first) sends it; with first 0 it is
//   also the end index). The fourth argument and `update` do not change the data; `update`
//   asks for a paced refresh.
// - The "At" forms name an axis by (index, vertical): vertical 0 gives positions 0 and 2 for
//   index 0 and 1, any other vertical positions 3 and 1.
// - Creating a graph with the handle of a graph of the same page in the out argument (the
//   client passes the handle it holds) puts a new, empty graph in that graph's place on the
//   page and drops the old one, whose handle then fails like any released one (the client
//   closes it next and ignores the answer); any other value adds a new graph. Either way the
//   handle given out is new.
// - ClosePage writes the page one last time and releases what is on it; DeletePage forgets
//   it. Files stay on disk either way. ClearPage empties the page of graphs and tables,
//   ClearGraph removes the traces, DeleteGraphData only their points.
// - SetTraceOffset(x offset, y offset, x scale, y scale) moves the drawn trace; a scale of 0
//   counts as 1. The stored data stay as added.
// - Crosshairs 0 and 1 are vertical lines at an X position that snaps to data points.
// - The save operations take a file name (relative names land in the output folder) and the
//   heading of the X columns (empty: the axis label). Scope data are the first graph of the
//   page (four-channel: its first four traces); Bode data the first two graphs side by side.
class ModelGrapher final : public CGrapher {
public:
    // paceFactor: see PageOutput; 0 writes on every refresh.
    explicit ModelGrapher(double paceFactor = 3.0) : files_(store_, paceFactor) {}
    // Shows whatever was changed but not yet shown.
    ~ModelGrapher();
    ModelGrapher(const ModelGrapher&) = delete;
    ModelGrapher& operator=(const ModelGrapher&) = delete;

    // Shows the pages through `view` instead of the files (null: the files again). The view
    // must stay until it is replaced or the grapher is gone.
    void SetView(PageView* view) { view_ = view != nullptr ? view : &files_; }
    ObjectStore& Store() { return store_; }
    // The files, whichever view shows the pages: where saves go, and a page's export.
    PageOutput& Files() { return files_; }

    void SetOutputDirectory(const std::string& directory) { files_.SetDirectory(directory); }
    std::filesystem::path OutputDirectory() const { return files_.Directory(); }

    long Init(HWND parent, int, int, int, int, HWND* child) override;
    long CreatePage(unsigned long id, CGraphPage** page) override;
    long CreatePageExt(unsigned long id, CGraphPage** page) override;
    long ClosePage(CGraphPage* page) override;
    long ClearPage(CGraphPage* page) override;
    long ClearAllPages(CString* text) override;
    long DeletePage(CGraphPage* page) override;
    long SetPageTabName(CGraphPage* page, const char* name) override;
    long SetPageTitle(CGraphPage* page, const char* title) override;
    long SetPageTitleFont(CGraphPage* page, int width, int height, const char* faceName) override;
    long SetPageWndPos(CGraphPage* page, HWND, HWND, int x, int y, int cx, int cy, unsigned int flags) override;

    long CreateGraph(CGraphPage* page, unsigned long id, CGraph** graph) override;
    long CloseGraph(CGraph* graph) override;
    long ClearGraph(CGraph* graph) override;
    long SetGraphTitle(CGraph* graph, const char* title) override;
    long SetGraphTitleFont(CGraph* graph, int width, int height, const char* faceName) override;
    long AddData(CGraph* graph, int firstTrace, const double* values, int end, int, int update) override;
    long GetData(CGraph* graph, int trace, double*& x, double*& y, int& count, int) override;
    long GetDataY(CGraph* graph, int trace, double*& y, int& count) override;
    long GetDataNumberOfPoint(CGraph* graph, int trace, int& count) override;
    long GetDataPoint(CGraph* graph, int trace, int point, double& x, double& y) override;
    long UpdateDisplay(CGraph* graph) override;
    long UpdatePlotDisplay(CGraph* graph) override;
    long DeleteGraphData(CGraph* graph) override;
    long SetGridEnabled(CGraph* graph, int enabled) override;
    long ShowGrid(CGraph* graph, int show) override;
    long AutoPrecision(CGraph* graph, AxisPosition position, int precision, int) override;
    long ShowDiagram(CGraph* graph, int show) override;
    long SetGridPenStyle(CGraph* graph, int style) override;
    long SetPrintLogicalTrace(CGraph* graph, int value) override;
    long SetDisplayDigitalData(CGraph* graph, AxisPosition position, int digital) override;
    long SetReversed(CGraph* graph) override;
    long IsReversed(CGraph* graph, int& reversed) override;
    long DeleteData(CGraph* graph, int trace) override;
    long SetShowSelTraceMarks(CGraph* graph, int show) override;

    long SaveScopeData(CGraphPage* page, const CString& file, const CString& xHeading) override;
    long SaveScopeData4ch(CGraphPage* page, const CString& file, const CString& xHeading) override;
    long SaveBodeData(CGraphPage* page, const CString& file, const CString& xHeading) override;

    long ShowOneCrosshair(CGraph* graph, unsigned int crosshair, int show) override;
    long ShowCrosshairWithoutLegend(CGraph* graph, unsigned int crosshair, int show) override;
    long MoveCrosshairOneStep(CGraph* graph, int direction, unsigned int crosshair) override;
    long GetCrosshairValue(CGraph* graph, int crosshair, unsigned int trace, double& x, double& y) override;
    long SetCrosshairPosition(CGraph* graph, unsigned int crosshair, unsigned int trace, double x, double y) override;
    long SetCrosshairsTraceId(CGraph* graph, unsigned int trace) override;
    long GetCrosshairsTraceId(CGraph* graph) override;
    long SendCrosshairMovedMsg(CGraph* graph) override;

    long AttachRightClickGrapherMsg(HWND window, CGraphPage* page) override;
    long Reserved47() override { return S_OK; }
    long AttachCallbackEvents(CGraphPage* page, CCallbackEvents* events, unsigned int, int, int) override;

    long SetAxisLabelAt(CGraph* graph, int index, int vertical, const char* label) override;
    long SetAxisLabel(CGraph* graph, AxisPosition position, const char* label) override;
    long SetAxisLabelFontAt(CGraph* graph, int index, int vertical, int width, int height, const char* faceName) override;
    long SetAxisLabelFont(CGraph* graph, AxisPosition position, int width, int height, const char* faceName) override;
    long SetAxisValueFontAt(CGraph* graph, int index, int vertical, int width, int height, const char* faceName) override;
    long SetAxisValueFont(CGraph* graph, AxisPosition position, int width, int height, const char* faceName) override;
    long SetAxisEnabledAt(CGraph* graph, int index, int vertical, int enabled) override;
    long SetAxisEnabled(CGraph* graph, AxisPosition position, int enabled) override;
    long SetAxisAttrAt(CGraph* graph, int index, int vertical, int, int, int, ScaleType scale) override;
    long SetAxisAttr(CGraph* graph, AxisPosition position, int, int, int, ScaleType scale) override;
    long SetAxisRangeAt(CGraph* graph, int index, int vertical, double lo, double hi) override;
    long SetAxisRange(CGraph* graph, AxisPosition position, double lo, double hi) override;
    long SetUseCommonAxises(CGraph* graph, int commonX, int commonY, int third) override;
    long AddTrace(CGraph* graph) override;
    long GetNumberOfTraces(CGraph* graph) override;
    long GetCurrentTraceId(CGraph* graph) override;
    long SetCurrentTraceId(CGraph* graph, int trace) override;
    long SetTraceLabel(CGraph* graph, int trace, const char* label) override;
    long SetTracePen(CGraph* graph, int trace, int style, unsigned long colour) override;
    long SetTraceAxis(CGraph* graph, int trace, AxisPosition x, AxisPosition y) override;
    long SetTraceOffset(CGraph* graph, int trace, double xOffset, double yOffset, double xScale, double yScale) override;
    long GetTraceValueMin(CGraph* graph, unsigned int trace, double& x, double& y) override;
    long GetTraceValueMax(CGraph* graph, unsigned int trace, double& x, double& y) override;
    long SetTraceInternalUse(CGraph* graph, int trace, int internalUse) override;
    long SetTraceShow(CGraph* graph, int trace, int show) override;
    long GetTraceLabel(CGraph* graph, unsigned int trace, CString& label) override;

    long CreateChart(CGraphPage* page, unsigned long id, CChart** chart) override;
    long CloseChart(CChart* chart) override;
    long ClearChart(CChart* chart) override;
    long SetChartTitle(CChart* chart, const char* title) override;
    long SetChartTitleFont(CChart* chart, int width, int height, const char* faceName) override;
    long SetChartSortable(CChart* chart, int sortable) override;
    long SetShowLeftHeader(CChart* chart, int show) override;
    long SetShowTopHeader(CChart* chart, int show) override;
    long AddColumn(CChart* chart, const char* heading, int width, ChartType type) override;
    long SetColumnPrecision(CChart* chart, int column, int precision) override;
    long SetColumnSortable(CChart* chart, int column, int sortable) override;
    long SortColumn(CChart* chart, int column) override;
    long AddRow(CChart* chart) override;
    long SetRowItemInt(CChart* chart, int row, int column, int value) override;
    long SetRowItemDouble(CChart* chart, int row, int column, double value) override;
    long SetRowItemText(CChart* chart, int row, int column, const char* text) override;
    long UpdateChartDisplay(CChart* chart) override;

    long LockShowStatus(int locked) override;
    long Reserved93() override { return S_OK; }
    long Show(int command) override;
    long IsShown(int* shown) override;
    long AutoRange(CGraph* graph, AxisPosition position) override;

private:
    // Each runs `operation` on the object of a handle and answers its result, or the lookup's
    // failure without running it. The Edit forms mark the object for the next refresh when
    // the operation succeeds.
    template <class Operation>
    long EditPage(CGraphPage* handle, Operation operation);
    template <class Operation>
    long EditGraph(CGraph* handle, Operation operation);
    template <class Operation>
    long ReadGraph(CGraph* handle, Operation operation);
    template <class Operation>
    long EditTrace(CGraph* handle, long trace, Operation operation);
    template <class Operation>
    long ReadTrace(CGraph* handle, long trace, Operation operation);
    template <class Operation>
    long EditAxis(CGraph* handle, long position, Operation operation);
    template <class Operation>
    long EditAxisAt(CGraph* handle, int index, int vertical, Operation operation);
    template <class Operation>
    long EditTable(CChart* handle, Operation operation);

    long NewPage(unsigned long id, CGraphPage** page);
    long Save(CGraphPage* page, const CString& file, const CString& xHeading, std::size_t graphs, std::size_t traces);
    long RefreshPageOf(std::uint64_t page, bool force);

    // Tells the view, then drops the page's graphs and tables.
    void ReleaseItems(std::uint64_t serial, Page& page);

    ObjectStore store_;
    PageOutput files_;
    PageView* view_ = &files_;
    bool shown_ = false;
    bool showLocked_ = false;
};

}  // namespace plotmodel
