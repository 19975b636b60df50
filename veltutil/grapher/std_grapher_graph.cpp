#include "veltutil/grapher/std_grapher_graph.h"

#include "veltutil/grapher/internal/diagram.h"

using veltutil::detail::GetDiagramTexts;
using veltutil::detail::ToDiagramValues;

namespace {

const char* orDefault(const char* text, const CString& fallback) { return text != nullptr ? text : fallback.GetString(); }

bool splitsXScale(GrapherDiagramType type, AxisPosition position) {
    return (type == DIAGRAM_MAGNITUDE_PHASE_FROM_COMPLEX || type == DIAGRAM_MAGNITUDE_PHASE) &&
           (position == AXIS_POSITION_0 || position == AXIS_POSITION_2);
}

}  // namespace

template <class Operation>
long CStdGrapherGraph::Both(Operation operation) {
    long result = operation(m_Graph[0]);
    if (result == S_OK && UsesSecond()) result = operation(m_Graph[1]);
    return result;
}

template <class Operation>
void CStdGrapherGraph::EachInUse(Operation operation) {
    operation(m_Graph[0]);
    if (UsesSecond()) operation(m_Graph[1]);
}

void CStdGrapherGraph::SetGraph(CGrapher* root, GrapherDiagramType type, CGraph* first, CGraph* second) {
    CloseNow();
    m_Graph[0].SetGraph(root, first);
    m_DiagramType = type;
    if (UsesSecond()) m_Graph[1].SetGraph(root, second);
    m_GainPhase.Reset();
}

CGrapherGraph* CStdGrapherGraph::NthGraph(int n) {
    if (n == 0) return &m_Graph[0];
    if (n == 1 && UsesSecond()) return &m_Graph[1];
    return nullptr;
}

int CStdGrapherGraph::IsOpened() const { return m_Graph[0].IsOpened(); }
CGrapher* CStdGrapherGraph::GetGrapher() const { return m_Graph[0].GetGrapher(); }

long CStdGrapherGraph::Close() {
    UpdateDisplay();
    return Both([](CGrapherGraph& g) { return g.Close(); });
}

long CStdGrapherGraph::CloseNow() { return Both([](CGrapherGraph& g) { return g.CloseNow(); }); }
long CStdGrapherGraph::Clear() { return Both([](CGrapherGraph& g) { return g.Clear(); }); }
long CStdGrapherGraph::SetTitle(const char* title) { return m_Graph[0].SetTitle(title); }

long CStdGrapherGraph::SetCurrentFont(int first, int second, const char* faceName) {
    long result = m_Graph[0].SetCurrentFont(first, second, faceName);
    return result != S_OK ? result : m_Graph[1].SetCurrentFont(first, second, faceName);
}

long CStdGrapherGraph::SetTitleFont() { return Both([](CGrapherGraph& g) { return g.SetTitleFont(); }); }

long CStdGrapherGraph::SetStdXAxisLabel(AxisPosition position, NODE_TYPE type) {
    return Both([&](CGrapherGraph& g) { return g.SetAxisLabel(position, type, nullptr); });
}

long CStdGrapherGraph::SetStdXAxisLabel(AxisPosition position, const char* name) {
    return Both([&](CGrapherGraph& g) { return g.SetAxisLabel(position, name, nullptr); });
}

long CStdGrapherGraph::SetAxisLabel(int a, int b, const char* label) {
    return Both([&](CGrapherGraph& g) { return g.SetAxisLabel(a, b, label); });
}

long CStdGrapherGraph::SetAxisLabel(int a, int b, NODE_TYPE type) {
    return Both([&](CGrapherGraph& g) { return g.SetAxisLabel(a, b, type); });
}

long CStdGrapherGraph::SetAxisLabel(AxisPosition position, const char* name, const char* unit) {
    const auto& texts = GetDiagramTexts();
    const char* secondName = nullptr;
    const char* firstUnit = unit;
    const char* secondUnit = unit;
    switch (m_DiagramType) {
    case DIAGRAM_SINGLE_VALUE:
        return m_Graph[0].SetAxisLabel(position, name, unit);
    case DIAGRAM_REAL_IMAGINARY:
        secondName = texts.imaginary;
        break;
    case DIAGRAM_MAGNITUDE_PHASE_FROM_COMPLEX:
    case DIAGRAM_MAGNITUDE_PHASE:
        secondName = texts.phase;
        break;
    case DIAGRAM_GAIN_PHASE:
        secondName = name;
        firstUnit = orDefault(unit, texts.gain);
        secondUnit = orDefault(unit, texts.phase);
        break;
    default:
        return S_OK;
    }
    long result = m_Graph[0].SetAxisLabel(position, name, firstUnit);
    return result != S_OK ? result : m_Graph[1].SetAxisLabel(position, secondName, secondUnit);
}

long CStdGrapherGraph::SetAxisLabel(AxisPosition position, NODE_TYPE type, const char* unit) {
    const auto& texts = GetDiagramTexts();
    const CString empty;
    const CString* firstDefault = nullptr;
    const CString* secondDefault = nullptr;
    switch (m_DiagramType) {
    case DIAGRAM_SINGLE_VALUE:
        return m_Graph[0].SetAxisLabel(position, type, orDefault(unit, empty));
    case DIAGRAM_REAL_IMAGINARY:
        firstDefault = &texts.real;
        secondDefault = &texts.imaginary;
        break;
    case DIAGRAM_MAGNITUDE_PHASE_FROM_COMPLEX:
    case DIAGRAM_MAGNITUDE_PHASE:
        firstDefault = &texts.magnitude;
        secondDefault = &texts.phase;
        break;
    case DIAGRAM_GAIN_PHASE:
        firstDefault = &texts.gain;
        secondDefault = &texts.phase;
        break;
    default:
        return S_OK;
    }
    long result = m_Graph[0].SetAxisLabel(position, type, orDefault(unit, *firstDefault));
    return result != S_OK ? result : m_Graph[1].SetAxisLabel(position, type, orDefault(unit, *secondDefault));
}

long CStdGrapherGraph::SetAxisLabelFont(int a, int b) { return Both([&](CGrapherGraph& g) { return g.SetAxisLabelFont(a, b); }); }
long CStdGrapherGraph::SetAxisLabelFont(AxisPosition position) {
    return Both([&](CGrapherGraph& g) { return g.SetAxisLabelFont(position); });
}
long CStdGrapherGraph::SetAxisValueFont(int a, int b) { return Both([&](CGrapherGraph& g) { return g.SetAxisValueFont(a, b); }); }
long CStdGrapherGraph::SetAxisValueFont(AxisPosition position) {
    return Both([&](CGrapherGraph& g) { return g.SetAxisValueFont(position); });
}
long CStdGrapherGraph::SetAxisEnabled(int a, int b, int enabled) {
    return Both([&](CGrapherGraph& g) { return g.SetAxisEnabled(a, b, enabled); });
}
long CStdGrapherGraph::SetAxisEnabled(AxisPosition position, int enabled) {
    return Both([&](CGrapherGraph& g) { return g.SetAxisEnabled(position, enabled); });
}
long CStdGrapherGraph::SetAxisAttr(int a, int b, int c, int d, int e, GRIDTYPE grid) {
    return Both([&](CGrapherGraph& g) { return g.SetAxisAttr(a, b, c, d, e, grid); });
}
long CStdGrapherGraph::SetAxisAttr(int a, int b, int c, int d, int e, ScaleType scale) {
    return Both([&](CGrapherGraph& g) { return g.SetAxisAttr(a, b, c, d, e, scale); });
}

long CStdGrapherGraph::SetAxisAttr(AxisPosition position, int a, int b, int c, GRIDTYPE grid) {
    if (!splitsXScale(m_DiagramType, position)) {
        return Both([&](CGrapherGraph& g) { return g.SetAxisAttr(position, a, b, c, grid); });
    }
    long result = m_Graph[0].SetAxisAttr(position, a, b, c, grid);
    const GRIDTYPE linear = GetTypeGridFrom(ConvertGridType(grid, position), SCALE_TYPE_0);
    return result != S_OK ? result : m_Graph[1].SetAxisAttr(position, a, b, c, linear);
}

long CStdGrapherGraph::SetAxisAttr(AxisPosition position, int a, int b, int c, ScaleType scale) {
    if (!splitsXScale(m_DiagramType, position)) {
        return Both([&](CGrapherGraph& g) { return g.SetAxisAttr(position, a, b, c, scale); });
    }
    long result = m_Graph[0].SetAxisAttr(position, a, b, c, scale);
    return result != S_OK ? result : m_Graph[1].SetAxisAttr(position, a, b, c, SCALE_TYPE_0);
}

long CStdGrapherGraph::SetAxisRange(int a, int b, double lo, double hi) {
    return Both([&](CGrapherGraph& g) { return g.SetAxisRange(a, b, lo, hi); });
}
long CStdGrapherGraph::SetAxisRange(AxisPosition position, double lo, double hi) {
    return Both([&](CGrapherGraph& g) { return g.SetAxisRange(position, lo, hi); });
}
long CStdGrapherGraph::SetUseCommonAxises(int a, int b, int c) {
    return Both([&](CGrapherGraph& g) { return g.SetUseCommonAxises(a, b, c); });
}
long CStdGrapherGraph::AddTrace() { return Both([](CGrapherGraph& g) { return g.AddTrace(); }); }
long CStdGrapherGraph::GetNumberOfTraces() { return m_Graph[0].GetNumberOfTraces(); }
long CStdGrapherGraph::GetCurrentTraceId() { return m_Graph[0].GetCurrentTraceId(); }
long CStdGrapherGraph::SetCurrentTraceId(int trace) { return Both([&](CGrapherGraph& g) { return g.SetCurrentTraceId(trace); }); }
long CStdGrapherGraph::SetTraceLabel(int trace, const char* label, ChartType type) {
    return Both([&](CGrapherGraph& g) { return g.SetTraceLabel(trace, label, type); });
}
long CStdGrapherGraph::SetTracePen(int trace, int style) { return Both([&](CGrapherGraph& g) { return g.SetTracePen(trace, style); }); }
long CStdGrapherGraph::SetTracePen(int trace, int style, unsigned long colour) {
    return Both([&](CGrapherGraph& g) { return g.SetTracePen(trace, style, colour); });
}
long CStdGrapherGraph::SetTraceAxis(int trace, AxisPosition x, AxisPosition y) {
    return Both([&](CGrapherGraph& g) { return g.SetTraceAxis(trace, x, y); });
}
long CStdGrapherGraph::SetTraceOffset(int trace, double a, double b, double c, double d) {
    return Both([&](CGrapherGraph& g) { return g.SetTraceOffset(trace, a, b, c, d); });
}

long CStdGrapherGraph::SetXAxisGraphData(double x) {
    EachInUse([x](CGrapherGraph& g) { g.GetTraceInfoList().SetXData(x); });
    return S_OK;
}

long CStdGrapherGraph::SetNthGraphData(int n, double a, double b, double c, double d, double e, double f, double g,
                                       double h) {
    const double numbers[8] = {a, b, c, d, e, f, g, h};
    const auto values = ToDiagramValues(m_DiagramType, numbers, m_GainPhase);
    if (values.count >= 1) m_Graph[0].GetTraceInfoList().SetNthYData(n, values.first);
    if (values.count >= 2) m_Graph[1].GetTraceInfoList().SetNthYData(n, values.second);
    return S_OK;
}

long CStdGrapherGraph::AddData(int update, int firstTrace) {
    return Both([&](CGrapherGraph& g) { return g.AddData(update, firstTrace); });
}
long CStdGrapherGraph::UpdateDisplay() { return Both([](CGrapherGraph& g) { return g.UpdateDisplay(); }); }
long CStdGrapherGraph::UpdatePlotDisplay() { return Both([](CGrapherGraph& g) { return g.UpdatePlotDisplay(); }); }
long CStdGrapherGraph::DeleteGraphData() { return Both([](CGrapherGraph& g) { return g.DeleteGraphData(); }); }
long CStdGrapherGraph::AutoRange(AxisPosition position) { return Both([&](CGrapherGraph& g) { return g.AutoRange(position); }); }
long CStdGrapherGraph::SetGridEnabled(int enabled) { return Both([&](CGrapherGraph& g) { return g.SetGridEnabled(enabled); }); }
long CStdGrapherGraph::AutoPrecision(AxisPosition position, int a, int b) {
    return Both([&](CGrapherGraph& g) { return g.AutoPrecision(position, a, b); });
}
long CStdGrapherGraph::UpdateDisplayWithContraints(CGrapherGraph::UpdateMode mode) {
    return Both([&](CGrapherGraph& g) { return g.UpdateDisplayWithContraints(mode); });
}

const CGrapherAxes& CStdGrapherGraph::GetAxes(CGrapherGraph::AXES_TYPE type) const { return m_Graph[0].GetAxes(type); }
void CStdGrapherGraph::SetAxes(CGrapherGraph::AXES_TYPE type, const CGrapherAxes& axes) {
    EachInUse([&](CGrapherGraph& g) { g.SetAxes(type, axes); });
}
void CStdGrapherGraph::ClearUpdateMode() {
    EachInUse([](CGrapherGraph& g) { g.ClearUpdateMode(); });
}
void CStdGrapherGraph::AddUpdateMode(CGrapherGraph::UpdateMode mode, double value) {
    EachInUse([&](CGrapherGraph& g) { g.AddUpdateMode(mode, value); });
}

long CStdGrapherGraph::SetGridPenStyle(int style) { return Both([&](CGrapherGraph& g) { return g.SetGridPenStyle(style); }); }
long CStdGrapherGraph::SetPrintLogicalTrace(int a) { return Both([&](CGrapherGraph& g) { return g.SetPrintLogicalTrace(a); }); }
long CStdGrapherGraph::SetDisplayDigitalData(AxisPosition position, int a) {
    return Both([&](CGrapherGraph& g) { return g.SetDisplayDigitalData(position, a); });
}
long CStdGrapherGraph::SetReversed() { return Both([](CGrapherGraph& g) { return g.SetReversed(); }); }
long CStdGrapherGraph::IsReversed(int& reversed) { return m_Graph[0].IsReversed(reversed); }
long CStdGrapherGraph::SetTraceInternalUse(int trace, int a) {
    return Both([&](CGrapherGraph& g) { return g.SetTraceInternalUse(trace, a); });
}
long CStdGrapherGraph::SetTraceShow(int trace, int show) { return Both([&](CGrapherGraph& g) { return g.SetTraceShow(trace, show); }); }
long CStdGrapherGraph::DeleteData(int trace) { return Both([&](CGrapherGraph& g) { return g.DeleteData(trace); }); }
long CStdGrapherGraph::SetShowSelTraceMarks(int show) { return Both([&](CGrapherGraph& g) { return g.SetShowSelTraceMarks(show); }); }
long CStdGrapherGraph::SetCrosshairsTraceId(unsigned int trace) {
    return Both([&](CGrapherGraph& g) { return g.SetCrosshairsTraceId(trace); });
}
long CStdGrapherGraph::GetCrosshairsTraceId() { return m_Graph[0].GetCrosshairsTraceId(); }
long CStdGrapherGraph::GetTraceLabel(unsigned int trace, CString& label) { return m_Graph[0].GetTraceLabel(trace, label); }
long CStdGrapherGraph::SendCrosshairMovedMsg() { return Both([](CGrapherGraph& g) { return g.SendCrosshairMovedMsg(); }); }
