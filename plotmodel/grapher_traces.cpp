// The root object's trace operations (slots 62 to 69, 72 to 74).
#include "plotmodel/model_grapher_access.h"

namespace plotmodel {

long ModelGrapher::AddTrace(CGraph* graph) {
    return EditGraph(graph, [](Graph& g) {
        Trace trace;
        trace.colour = DefaultTraceColour(g.traces.size());
        g.traces.push_back(std::move(trace));
        return S_OK;
    });
}

long ModelGrapher::GetNumberOfTraces(CGraph* graph) {
    return ReadGraph(graph, [](Graph& g) { return static_cast<long>(g.traces.size()); });
}

long ModelGrapher::GetCurrentTraceId(CGraph* graph) {
    return ReadGraph(graph, [](Graph& g) { return static_cast<long>(g.currentTrace); });
}

long ModelGrapher::SetCurrentTraceId(CGraph* graph, int trace) {
    return EditGraph(graph, [&](Graph& g) {
        if (!g.HasTrace(trace)) return E_INVALIDARG;
        g.currentTrace = trace;
        return S_OK;
    });
}

long ModelGrapher::SetTraceLabel(CGraph* graph, int trace, const char* label) {
    return EditTrace(graph, trace, [&](Trace& t) {
        t.label = TextOf(label);
        return S_OK;
    });
}

long ModelGrapher::SetTracePen(CGraph* graph, int trace, int style, unsigned long colour) {
    return EditTrace(graph, trace, [&](Trace& t) {
        t.penStyle = style;
        t.colour = static_cast<COLORREF>(colour & 0xFFFFFF);
        return S_OK;
    });
}

// X values go along a horizontal axis (0 or 2), Y values along a vertical one (3 or 1).
long ModelGrapher::SetTraceAxis(CGraph* graph, int trace, AxisPosition x, AxisPosition y) {
    if ((x != AXIS_POSITION_0 && x != AXIS_POSITION_2) || (y != AXIS_POSITION_1 && y != AXIS_POSITION_3))
        return store_.FindGraph(graph) != nullptr ? E_INVALIDARG : E_HANDLE;
    return EditTrace(graph, trace, [&](Trace& t) {
        t.xAxis = x;
        t.yAxis = y;
        return S_OK;
    });
}

long ModelGrapher::SetTraceOffset(CGraph* graph, int trace, double xOffset, double yOffset, double xScale, double yScale) {
    for (double value : {xOffset, yOffset, xScale, yScale})
        if (!std::isfinite(value)) return store_.FindGraph(graph) != nullptr ? E_INVALIDARG : E_HANDLE;
    return EditTrace(graph, trace, [&](Trace& t) {
        t.xOffset = xOffset;
        t.yOffset = yOffset;
        t.xScale = xScale != 0 ? xScale : 1;
        t.yScale = yScale != 0 ? yScale : 1;
        return S_OK;
    });
}

long ModelGrapher::SetTraceInternalUse(CGraph* graph, int trace, int internalUse) {
    return EditTrace(graph, trace, [&](Trace& t) {
        t.internalUse = internalUse != 0;
        return S_OK;
    });
}

long ModelGrapher::SetTraceShow(CGraph* graph, int trace, int show) {
    return EditTrace(graph, trace, [&](Trace& t) {
        t.shown = show != 0;
        return S_OK;
    });
}

long ModelGrapher::GetTraceLabel(CGraph* graph, unsigned int trace, CString& label) {
    return ReadTrace(graph, trace, [&](Graph&, Trace& t) {
        label = CString(t.label);
        return S_OK;
    });
}

}  // namespace plotmodel
