#include <cstdint>
#include <cstdio>
#include <string>
#include <type_traits>
#include <vector>

#include "plotter/recording.h"
#include "veltutil/grapher/grapher_interface.h"

#define GRAPHER_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

PlotterRecording& recording() {
    static PlotterRecording state;
    return state;
}

// An argument that only receives a value.
struct Out {};

std::string describe(Out) { return "out"; }
std::string describe(const char* text) { return text != nullptr ? text : "null"; }
std::string describe(const CString& text) { return text.str(); }
std::string describe(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}
template <class T>
    requires std::is_integral_v<T> || std::is_enum_v<T>
std::string describe(T value) {
    return std::to_string(static_cast<long long>(value));
}
template <class T>
std::string describe(T* pointer) {
    if (pointer == nullptr) return "null";
    char text[32];
    std::snprintf(text, sizeof text, "0x%llx",
                  static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(pointer)));
    return text;
}

// The answer set for the operation's slot; 0 where none is set.
template <class Member>
long answer(Member member) {
    const PlotterRecording& state = recording();
    auto result = state.results.find(SlotOf(member));
    return result == state.results.end() ? 0 : result->second;
}

template <class Member, class... Args>
long record(Member member, const char* operation, const Args&... args) {
    PlotterRecording& state = recording();
    if (state.recording) state.calls.push_back(RecordedCall{SlotOf(member), operation, {describe(args)...}});
    return answer(member);
}

// Handles are distinct fake addresses, one series per kind of object.
template <class Handle>
Handle* nextHandle(std::uintptr_t series) {
    static std::uintptr_t count = 0;
    return reinterpret_cast<Handle*>(series + 0x10 * ++count);
}

// Creates answer a new handle on success and leave the caller's handle alone otherwise.
template <class Handle>
long create(long result, Handle** out, std::uintptr_t series) {
    if (result == 0 && out != nullptr) *out = nextHandle<Handle>(series);
    return result;
}

#define RECORD(op, ...) return record(&CGrapher::op, #op __VA_OPT__(, ) __VA_ARGS__)

class RecordingGrapher final : public CGrapher {
public:
    long Init(HWND parent, int a, int b, int c, int d, HWND* child) override { RECORD(Init, parent, a, b, c, d, child); }
    long CreatePage(unsigned long id, CGraphPage** page) override {
        return create(record(&CGrapher::CreatePage, "CreatePage", id, page ? *page : nullptr), page, 0x100000);
    }
    long CreatePageExt(unsigned long id, CGraphPage** page) override {
        return create(record(&CGrapher::CreatePageExt, "CreatePageExt", id, page ? *page : nullptr), page, 0x100000);
    }
    long ClosePage(CGraphPage* page) override { RECORD(ClosePage, page); }
    long ClearPage(CGraphPage* page) override { RECORD(ClearPage, page); }
    long ClearAllPages(CString* text) override { RECORD(ClearAllPages, text); }
    long DeletePage(CGraphPage* page) override { RECORD(DeletePage, page); }
    long SetPageTabName(CGraphPage* page, const char* name) override { RECORD(SetPageTabName, page, name); }
    long SetPageTitle(CGraphPage* page, const char* title) override { RECORD(SetPageTitle, page, title); }
    long SetPageTitleFont(CGraphPage* page, int a, int b, const char* face) override { RECORD(SetPageTitleFont, page, a, b, face); }
    long SetPageWndPos(CGraphPage* page, HWND w1, HWND w2, int a, int b, int c, int d, unsigned int flags) override {
        RECORD(SetPageWndPos, page, w1, w2, a, b, c, d, flags);
    }

    long CreateGraph(CGraphPage* page, unsigned long id, CGraph** graph) override {
        return create(record(&CGrapher::CreateGraph, "CreateGraph", page, id, graph ? *graph : nullptr), graph, 0x200000);
    }
    long CloseGraph(CGraph* graph) override { RECORD(CloseGraph, graph); }
    long ClearGraph(CGraph* graph) override { RECORD(ClearGraph, graph); }
    long SetGraphTitle(CGraph* graph, const char* title) override { RECORD(SetGraphTitle, graph, title); }
    long SetGraphTitleFont(CGraph* graph, int a, int b, const char* face) override { RECORD(SetGraphTitleFont, graph, a, b, face); }
    long AddData(CGraph* graph, int first, const double* values, int traceCount, int fourth, int update) override {
        if (!recording().recording) return answer(&CGrapher::AddData);
        // The values that the call covers: X first, then the Y value of each trace.
        std::string data;
        for (int i = 0; values != nullptr && i <= traceCount; ++i) {
            if (i > 0) data += ' ';
            data += describe(values[i]);
        }
        RECORD(AddData, graph, first, data, traceCount, fourth, update);
    }
    long GetData(CGraph* graph, int a, double*&, double*&, int&, int b) override { RECORD(GetData, graph, a, Out{}, Out{}, Out{}, b); }
    long GetDataY(CGraph* graph, int a, double*&, int&) override { RECORD(GetDataY, graph, a, Out{}, Out{}); }
    long GetDataNumberOfPoint(CGraph* graph, int trace, int&) override { RECORD(GetDataNumberOfPoint, graph, trace, Out{}); }
    long GetDataPoint(CGraph* graph, int trace, int point, double&, double&) override {
        RECORD(GetDataPoint, graph, trace, point, Out{}, Out{});
    }
    long UpdateDisplay(CGraph* graph) override { RECORD(UpdateDisplay, graph); }
    long UpdatePlotDisplay(CGraph* graph) override { RECORD(UpdatePlotDisplay, graph); }
    long DeleteGraphData(CGraph* graph) override { RECORD(DeleteGraphData, graph); }
    long SetGridEnabled(CGraph* graph, int enabled) override { RECORD(SetGridEnabled, graph, enabled); }
    long ShowGrid(CGraph* graph, int show) override { RECORD(ShowGrid, graph, show); }
    long AutoPrecision(CGraph* graph, AxisPosition position, int a, int b) override { RECORD(AutoPrecision, graph, position, a, b); }
    long ShowDiagram(CGraph* graph, int show) override { RECORD(ShowDiagram, graph, show); }
    long SetGridPenStyle(CGraph* graph, int style) override { RECORD(SetGridPenStyle, graph, style); }
    long SetPrintLogicalTrace(CGraph* graph, int a) override { RECORD(SetPrintLogicalTrace, graph, a); }
    long SetDisplayDigitalData(CGraph* graph, AxisPosition position, int a) override { RECORD(SetDisplayDigitalData, graph, position, a); }
    long SetReversed(CGraph* graph) override { RECORD(SetReversed, graph); }
    long IsReversed(CGraph* graph, int&) override { RECORD(IsReversed, graph, Out{}); }
    long DeleteData(CGraph* graph, int trace) override { RECORD(DeleteData, graph, trace); }
    long SetShowSelTraceMarks(CGraph* graph, int show) override { RECORD(SetShowSelTraceMarks, graph, show); }

    long SaveScopeData(CGraphPage* page, const CString& a, const CString& b) override { RECORD(SaveScopeData, page, a, b); }
    long SaveScopeData4ch(CGraphPage* page, const CString& a, const CString& b) override { RECORD(SaveScopeData4ch, page, a, b); }
    long SaveBodeData(CGraphPage* page, const CString& a, const CString& b) override { RECORD(SaveBodeData, page, a, b); }

    long ShowOneCrosshair(CGraph* graph, unsigned int a, int b) override { RECORD(ShowOneCrosshair, graph, a, b); }
    long ShowCrosshairWithoutLegend(CGraph* graph, unsigned int a, int b) override { RECORD(ShowCrosshairWithoutLegend, graph, a, b); }
    long MoveCrosshairOneStep(CGraph* graph, int a, unsigned int b) override { RECORD(MoveCrosshairOneStep, graph, a, b); }
    long GetCrosshairValue(CGraph* graph, int a, unsigned int b, double&, double&) override {
        RECORD(GetCrosshairValue, graph, a, b, Out{}, Out{});
    }
    long SetCrosshairPosition(CGraph* graph, unsigned int a, unsigned int b, double x, double y) override {
        RECORD(SetCrosshairPosition, graph, a, b, x, y);
    }
    long SetCrosshairsTraceId(CGraph* graph, unsigned int trace) override { RECORD(SetCrosshairsTraceId, graph, trace); }
    long GetCrosshairsTraceId(CGraph* graph) override { RECORD(GetCrosshairsTraceId, graph); }
    long SendCrosshairMovedMsg(CGraph* graph) override { RECORD(SendCrosshairMovedMsg, graph); }

    long AttachRightClickGrapherMsg(HWND window, CGraphPage* page) override { RECORD(AttachRightClickGrapherMsg, window, page); }
    long Reserved47() override { RECORD(Reserved47); }
    long AttachCallbackEvents(CGraphPage* page, CCallbackEvents* events, unsigned int a, int b, int c) override {
        RECORD(AttachCallbackEvents, page, events, a, b, c);
    }

    long SetAxisLabelAt(CGraph* graph, int a, int b, const char* label) override { RECORD(SetAxisLabelAt, graph, a, b, label); }
    long SetAxisLabel(CGraph* graph, AxisPosition position, const char* label) override { RECORD(SetAxisLabel, graph, position, label); }
    long SetAxisLabelFontAt(CGraph* graph, int a, int b, int c, int d, const char* face) override {
        RECORD(SetAxisLabelFontAt, graph, a, b, c, d, face);
    }
    long SetAxisLabelFont(CGraph* graph, AxisPosition position, int a, int b, const char* face) override {
        RECORD(SetAxisLabelFont, graph, position, a, b, face);
    }
    long SetAxisValueFontAt(CGraph* graph, int a, int b, int c, int d, const char* face) override {
        RECORD(SetAxisValueFontAt, graph, a, b, c, d, face);
    }
    long SetAxisValueFont(CGraph* graph, AxisPosition position, int a, int b, const char* face) override {
        RECORD(SetAxisValueFont, graph, position, a, b, face);
    }
    long SetAxisEnabledAt(CGraph* graph, int a, int b, int enabled) override { RECORD(SetAxisEnabledAt, graph, a, b, enabled); }
    long SetAxisEnabled(CGraph* graph, AxisPosition position, int enabled) override { RECORD(SetAxisEnabled, graph, position, enabled); }
    long SetAxisAttrAt(CGraph* graph, int a, int b, int c, int d, int e, ScaleType scale) override {
        RECORD(SetAxisAttrAt, graph, a, b, c, d, e, scale);
    }
    long SetAxisAttr(CGraph* graph, AxisPosition position, int a, int b, int c, ScaleType scale) override {
        RECORD(SetAxisAttr, graph, position, a, b, c, scale);
    }
    long SetAxisRangeAt(CGraph* graph, int a, int b, double lo, double hi) override { RECORD(SetAxisRangeAt, graph, a, b, lo, hi); }
    long SetAxisRange(CGraph* graph, AxisPosition position, double lo, double hi) override { RECORD(SetAxisRange, graph, position, lo, hi); }
    long SetUseCommonAxises(CGraph* graph, int a, int b, int c) override { RECORD(SetUseCommonAxises, graph, a, b, c); }
    long AddTrace(CGraph* graph) override { RECORD(AddTrace, graph); }
    long GetNumberOfTraces(CGraph* graph) override { RECORD(GetNumberOfTraces, graph); }
    long GetCurrentTraceId(CGraph* graph) override { RECORD(GetCurrentTraceId, graph); }
    long SetCurrentTraceId(CGraph* graph, int trace) override { RECORD(SetCurrentTraceId, graph, trace); }
    long SetTraceLabel(CGraph* graph, int trace, const char* label) override { RECORD(SetTraceLabel, graph, trace, label); }
    long SetTracePen(CGraph* graph, int trace, int style, unsigned long colour) override { RECORD(SetTracePen, graph, trace, style, colour); }
    long SetTraceAxis(CGraph* graph, int trace, AxisPosition x, AxisPosition y) override { RECORD(SetTraceAxis, graph, trace, x, y); }
    long SetTraceOffset(CGraph* graph, int trace, double a, double b, double c, double d) override {
        RECORD(SetTraceOffset, graph, trace, a, b, c, d);
    }
    long GetTraceValueMin(CGraph* graph, unsigned int trace, double&, double&) override { RECORD(GetTraceValueMin, graph, trace, Out{}, Out{}); }
    long GetTraceValueMax(CGraph* graph, unsigned int trace, double&, double&) override { RECORD(GetTraceValueMax, graph, trace, Out{}, Out{}); }
    long SetTraceInternalUse(CGraph* graph, int trace, int a) override { RECORD(SetTraceInternalUse, graph, trace, a); }
    long SetTraceShow(CGraph* graph, int trace, int show) override { RECORD(SetTraceShow, graph, trace, show); }
    long GetTraceLabel(CGraph* graph, unsigned int trace, CString&) override { RECORD(GetTraceLabel, graph, trace, Out{}); }

    long CreateChart(CGraphPage* page, unsigned long id, CChart** chart) override {
        return create(record(&CGrapher::CreateChart, "CreateChart", page, id, chart ? *chart : nullptr), chart, 0x300000);
    }
    long CloseChart(CChart* chart) override { RECORD(CloseChart, chart); }
    long ClearChart(CChart* chart) override { RECORD(ClearChart, chart); }
    long SetChartTitle(CChart* chart, const char* title) override { RECORD(SetChartTitle, chart, title); }
    long SetChartTitleFont(CChart* chart, int a, int b, const char* face) override { RECORD(SetChartTitleFont, chart, a, b, face); }
    long SetChartSortable(CChart* chart, int sortable) override { RECORD(SetChartSortable, chart, sortable); }
    long SetShowLeftHeader(CChart* chart, int show) override { RECORD(SetShowLeftHeader, chart, show); }
    long SetShowTopHeader(CChart* chart, int show) override { RECORD(SetShowTopHeader, chart, show); }
    long AddColumn(CChart* chart, const char* heading, int width, ChartType type) override { RECORD(AddColumn, chart, heading, width, type); }
    long SetColumnPrecision(CChart* chart, int column, int precision) override { RECORD(SetColumnPrecision, chart, column, precision); }
    long SetColumnSortable(CChart* chart, int column, int sortable) override { RECORD(SetColumnSortable, chart, column, sortable); }
    long SortColumn(CChart* chart, int column) override { RECORD(SortColumn, chart, column); }
    long AddRow(CChart* chart) override { RECORD(AddRow, chart); }
    long SetRowItemInt(CChart* chart, int row, int column, int value) override { RECORD(SetRowItemInt, chart, row, column, value); }
    long SetRowItemDouble(CChart* chart, int row, int column, double value) override { RECORD(SetRowItemDouble, chart, row, column, value); }
    long SetRowItemText(CChart* chart, int row, int column, const char* text) override { RECORD(SetRowItemText, chart, row, column, text); }
    long UpdateChartDisplay(CChart* chart) override { RECORD(UpdateChartDisplay, chart); }

    long LockShowStatus(int locked) override { RECORD(LockShowStatus, locked); }
    long Reserved93() override { RECORD(Reserved93); }
    long Show(int command) override {
        recording().shown = command != 0;
        RECORD(Show, command);
    }
    long IsShown(int* shown) override {
        if (shown != nullptr) *shown = recording().shown ? 1 : 0;
        RECORD(IsShown, Out{});
    }
    long AutoRange(CGraph* graph, AxisPosition position) override { RECORD(AutoRange, graph, position); }
};

#undef RECORD

}  // namespace

GRAPHER_EXPORT CGrapher* GrapherCreate(int argument) {
    static RecordingGrapher root;
    PlotterRecording& state = recording();
    state.calls.push_back(RecordedCall{-1, "GrapherCreate", {describe(argument)}});
    return state.createReturnsNull ? nullptr : &root;
}

GRAPHER_EXPORT PlotterRecording* GrapherRecording() { return &recording(); }
