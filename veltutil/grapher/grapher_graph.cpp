// The graph's life cycle, labels, fonts, traces and the operations that only forward to the
// plotting module. Data calls and axis fitting are in grapher_graph_fitting.cpp.
#include "veltutil/grapher/grapher_graph.h"

#include "veltutil/grapher/internal/axis_rules.h"
#include "veltutil/grapher/internal/module_call.h"

using veltutil::detail::ComposeAxisLabel;
using veltutil::detail::ForwardTo;
using veltutil::detail::NodeTypeLabel;
using veltutil::detail::TracePaletteColour;

template <class... Params, class... Args>
long CGrapherGraph::Send(long (CGrapher::*operation)(CGraph*, Params...), Args&&... args) {
    return ForwardTo(m_pGrapher, operation, m_pGraph, static_cast<Args&&>(args)...);
}

CGrapherGraph::~CGrapherGraph() { Close(); }

void CGrapherGraph::SetGraph(CGrapher* root, CGraph* graph) {
    m_pGrapher = root;
    m_pGraph = graph;
    m_nOpened = graph != nullptr ? 1 : 0;
    m_nDataStarted = 0;
}

long CGrapherGraph::CloseNow() {
    long result = Close();
    m_pGraph = nullptr;
    return result;
}

long CGrapherGraph::Clear() {
    m_nDataStarted = 0;
    return Send(&CGrapher::ClearGraph);
}

long CGrapherGraph::SetTitle(const char* title) { return Send(&CGrapher::SetGraphTitle, title); }

long CGrapherGraph::SetCurrentFont(int first, int second, const char* faceName) {
    return m_Font.Set(first, second, faceName);
}

long CGrapherGraph::SetTitleFont() {
    return Send(&CGrapher::SetGraphTitleFont, m_Font.first, m_Font.second, m_Font.faceName.GetString());
}

long CGrapherGraph::SetAxisLabel(int a, int b, const char* label) { return Send(&CGrapher::SetAxisLabelAt, a, b, label); }

long CGrapherGraph::SetAxisLabel(int a, int b, NODE_TYPE type) { return SetAxisLabel(a, b, NodeTypeLabel(type).GetString()); }

long CGrapherGraph::SetAxisLabel(AxisPosition position, const char* name, const char* unit) {
    return Send(&CGrapher::SetAxisLabel, position, ComposeAxisLabel(name, unit).GetString());
}

long CGrapherGraph::SetAxisLabel(AxisPosition position, NODE_TYPE type, const char* unit) {
    return SetAxisLabel(position, NodeTypeLabel(type).GetString(), unit);
}

long CGrapherGraph::SetAxisLabelFont(int a, int b) {
    return Send(&CGrapher::SetAxisLabelFontAt, a, b, m_Font.first, m_Font.second, m_Font.faceName.GetString());
}

long CGrapherGraph::SetAxisLabelFont(AxisPosition position) {
    return Send(&CGrapher::SetAxisLabelFont, position, m_Font.first, m_Font.second, m_Font.faceName.GetString());
}

long CGrapherGraph::SetAxisValueFont(int a, int b) {
    return Send(&CGrapher::SetAxisValueFontAt, a, b, m_Font.first, m_Font.second, m_Font.faceName.GetString());
}

long CGrapherGraph::SetAxisValueFont(AxisPosition position) {
    return Send(&CGrapher::SetAxisValueFont, position, m_Font.first, m_Font.second, m_Font.faceName.GetString());
}

long CGrapherGraph::SetAxisEnabled(int a, int b, int enabled) { return Send(&CGrapher::SetAxisEnabledAt, a, b, enabled); }

long CGrapherGraph::SetAxisEnabled(AxisPosition position, int enabled) {
    return Send(&CGrapher::SetAxisEnabled, position, enabled);
}

long CGrapherGraph::SetAxisAttr(int a, int b, int c, int d, int e, GRIDTYPE grid) {
    return SetAxisAttr(a, b, c, d, e, ConvertGridType(grid, b != 0 ? AXIS_POSITION_3 : AXIS_POSITION_0));
}

long CGrapherGraph::SetAxisAttr(int a, int b, int c, int d, int e, ScaleType scale) {
    return Send(&CGrapher::SetAxisAttrAt, a, b, c, d, e, scale);
}

long CGrapherGraph::SetAxisAttr(AxisPosition position, int a, int b, int c, GRIDTYPE grid) {
    return SetAxisAttr(position, a, b, c, ConvertGridType(grid, position));
}

long CGrapherGraph::SetAxisAttr(AxisPosition position, int a, int b, int c, ScaleType scale) {
    for (CGrapherAxes& axes : m_Axes) axes.GetScale(position) = scale;
    return Send(&CGrapher::SetAxisAttr, position, a, b, c, scale);
}

long CGrapherGraph::SetAxisRange(int a, int b, double lo, double hi) { return Send(&CGrapher::SetAxisRangeAt, a, b, lo, hi); }

long CGrapherGraph::SetUseCommonAxises(int a, int b, int c) { return Send(&CGrapher::SetUseCommonAxises, a, b, c); }

long CGrapherGraph::AddTrace() {
    m_TraceInfo.AddTrace();
    return Send(&CGrapher::AddTrace);
}

long CGrapherGraph::GetNumberOfTraces() { return Send(&CGrapher::GetNumberOfTraces); }
long CGrapherGraph::GetCurrentTraceId() { return Send(&CGrapher::GetCurrentTraceId); }
long CGrapherGraph::SetCurrentTraceId(int trace) { return Send(&CGrapher::SetCurrentTraceId, trace); }

long CGrapherGraph::SetTraceLabel(int trace, const char* label, ChartType) {
    return Send(&CGrapher::SetTraceLabel, trace, label != nullptr ? label : "");
}

long CGrapherGraph::SetTracePen(int trace, int style) { return SetTracePen(trace, style, TracePaletteColour(trace)); }

long CGrapherGraph::SetTracePen(int trace, int style, unsigned long colour) {
    return Send(&CGrapher::SetTracePen, trace, style, colour);
}

// A trace the list does not know keeps no axes here; the module still hears of it and answers.
long CGrapherGraph::SetTraceAxis(int trace, AxisPosition x, AxisPosition y) {
    if (m_TraceInfo.IsTrace(trace)) {
        CTraceInfo& info = m_TraceInfo.GetNthTraceInfo(trace);
        info.GetXAxis() = x;
        info.GetYAxis() = y;
    }
    return Send(&CGrapher::SetTraceAxis, trace, x, y);
}

long CGrapherGraph::SetTraceOffset(int trace, double a, double b, double c, double d) {
    return Send(&CGrapher::SetTraceOffset, trace, a, b, c, d);
}

long CGrapherGraph::GetData(int a, double*& x, double*& y, int& count, int b) { return Send(&CGrapher::GetData, a, x, y, count, b); }
long CGrapherGraph::GetData(int a, double*& y, int& count) { return Send(&CGrapher::GetDataY, a, y, count); }
long CGrapherGraph::GetDataNumberOfPoint(int trace, int& count) { return Send(&CGrapher::GetDataNumberOfPoint, trace, count); }
long CGrapherGraph::GetDataPoint(int trace, int point, double& x, double& y) {
    return Send(&CGrapher::GetDataPoint, trace, point, x, y);
}
long CGrapherGraph::UpdateDisplay() { return Send(&CGrapher::UpdateDisplay); }
long CGrapherGraph::UpdatePlotDisplay() { return Send(&CGrapher::UpdatePlotDisplay); }
long CGrapherGraph::DeleteGraphData() { return Send(&CGrapher::DeleteGraphData); }
long CGrapherGraph::SetGridEnabled(int enabled) { return Send(&CGrapher::SetGridEnabled, enabled); }
long CGrapherGraph::AutoPrecision(AxisPosition position, int a, int b) { return Send(&CGrapher::AutoPrecision, position, a, b); }
long CGrapherGraph::ShowOneCrosshair(unsigned int a, int b) { return Send(&CGrapher::ShowOneCrosshair, a, b); }
long CGrapherGraph::ShowCrosshairWithoutLegend(unsigned int a, int b) { return Send(&CGrapher::ShowCrosshairWithoutLegend, a, b); }
long CGrapherGraph::ShowDiagram(int show) { return Send(&CGrapher::ShowDiagram, show); }
long CGrapherGraph::ShowGrid(int show) { return Send(&CGrapher::ShowGrid, show); }
long CGrapherGraph::GetTraceValueMin(unsigned int trace, double& x, double& y) { return Send(&CGrapher::GetTraceValueMin, trace, x, y); }
long CGrapherGraph::GetTraceValueMax(unsigned int trace, double& x, double& y) { return Send(&CGrapher::GetTraceValueMax, trace, x, y); }
long CGrapherGraph::GetCrosshairValue(int a, unsigned int b, double& x, double& y) {
    return Send(&CGrapher::GetCrosshairValue, a, b, x, y);
}
long CGrapherGraph::SetCrosshairPosition(unsigned int a, unsigned int b, double x, double y) {
    return Send(&CGrapher::SetCrosshairPosition, a, b, x, y);
}
long CGrapherGraph::SetGridPenStyle(int style) { return Send(&CGrapher::SetGridPenStyle, style); }
long CGrapherGraph::SetPrintLogicalTrace(int a) { return Send(&CGrapher::SetPrintLogicalTrace, a); }
long CGrapherGraph::SetDisplayDigitalData(AxisPosition position, int a) { return Send(&CGrapher::SetDisplayDigitalData, position, a); }
long CGrapherGraph::SetReversed() { return Send(&CGrapher::SetReversed); }
long CGrapherGraph::IsReversed(int& reversed) { return Send(&CGrapher::IsReversed, reversed); }
long CGrapherGraph::SetTraceInternalUse(int trace, int a) { return Send(&CGrapher::SetTraceInternalUse, trace, a); }
long CGrapherGraph::SetTraceShow(int trace, int show) { return Send(&CGrapher::SetTraceShow, trace, show); }
long CGrapherGraph::DeleteData(int trace) { return Send(&CGrapher::DeleteData, trace); }
long CGrapherGraph::SetShowSelTraceMarks(int show) { return Send(&CGrapher::SetShowSelTraceMarks, show); }
long CGrapherGraph::SetCrosshairsTraceId(unsigned int trace) { return Send(&CGrapher::SetCrosshairsTraceId, trace); }
long CGrapherGraph::GetCrosshairsTraceId() { return Send(&CGrapher::GetCrosshairsTraceId); }
long CGrapherGraph::GetTraceLabel(unsigned int trace, CString& label) { return Send(&CGrapher::GetTraceLabel, trace, label); }
long CGrapherGraph::SendCrosshairMovedMsg() { return Send(&CGrapher::SendCrosshairMovedMsg); }
long CGrapherGraph::MoveCrosshairOneStep(int a, unsigned int b) { return Send(&CGrapher::MoveCrosshairOneStep, a, b); }
