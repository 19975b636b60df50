// The root object's crosshair operations (slots 38 to 45).
#include "plotmodel/model_grapher_access.h"

namespace plotmodel {

namespace {

template <class Operation>
long withCrosshair(Graph& graph, unsigned crosshair, Operation operation) {
    return crosshair < graph.crosshairs.size() ? operation(graph.crosshairs[crosshair]) : E_INVALIDARG;
}

}  // namespace

long ModelGrapher::ShowOneCrosshair(CGraph* graph, unsigned int crosshair, int show) {
    return EditGraph(graph, [&](Graph& g) {
        return withCrosshair(g, crosshair, [&](Crosshair& c) {
            c.shown = show != 0;
            c.legend = true;
            return S_OK;
        });
    });
}

long ModelGrapher::ShowCrosshairWithoutLegend(CGraph* graph, unsigned int crosshair, int show) {
    return EditGraph(graph, [&](Graph& g) {
        return withCrosshair(g, crosshair, [&](Crosshair& c) {
            c.shown = show != 0;
            c.legend = false;
            return S_OK;
        });
    });
}

// One point along the crosshairs' trace, forward for a positive direction; an unplaced
// crosshair starts at the trace's first (or last) point. S_FALSE at either end.
long ModelGrapher::MoveCrosshairOneStep(CGraph* graph, int direction, unsigned int crosshair) {
    return EditGraph(graph, [&](Graph& g) {
        return withCrosshair(g, crosshair, [&](Crosshair& c) {
            if (!g.HasTrace(g.crosshairTrace) || g.traces[g.crosshairTrace].Size() == 0) return E_FAIL;
            const Trace& trace = g.traces[g.crosshairTrace];
            long last = static_cast<long>(trace.Size()) - 1;
            long point = c.placed ? NearestPoint(trace, c.x) + (direction > 0 ? 1 : direction < 0 ? -1 : 0)
                                  : (direction >= 0 ? 0 : last);
            if (point < 0 || point > last) return S_FALSE;
            c.x = trace.x[static_cast<std::size_t>(point)];
            c.placed = true;
            return S_OK;
        });
    });
}

long ModelGrapher::GetCrosshairValue(CGraph* graph, int crosshair, unsigned int trace, double& x, double& y) {
    return ReadTrace(graph, trace, [&](Graph& g, Trace& t) {
        if (crosshair < 0) return E_INVALIDARG;
        return withCrosshair(g, static_cast<unsigned>(crosshair), [&](Crosshair& c) {
            long point = c.placed ? NearestPoint(t, c.x) : -1;
            if (point < 0) return E_FAIL;
            x = t.x[static_cast<std::size_t>(point)];
            y = t.y[static_cast<std::size_t>(point)];
            return S_OK;
        });
    });
}

// The crosshair goes to the point of `trace` nearest to x; y has no say for a vertical line.
long ModelGrapher::SetCrosshairPosition(CGraph* graph, unsigned int crosshair, unsigned int trace, double x, double) {
    return EditGraph(graph, [&](Graph& g) {
        if (!g.HasTrace(trace)) return E_INVALIDARG;
        return withCrosshair(g, crosshair, [&](Crosshair& c) {
            const Trace& t = g.traces[trace];
            long point = NearestPoint(t, x);
            if (point < 0) return E_FAIL;
            c.x = t.x[static_cast<std::size_t>(point)];
            c.placed = true;
            return S_OK;
        });
    });
}

long ModelGrapher::SetCrosshairsTraceId(CGraph* graph, unsigned int trace) {
    return EditGraph(graph, [&](Graph& g) {
        if (!g.HasTrace(trace)) return E_INVALIDARG;
        g.crosshairTrace = trace;
        return S_OK;
    });
}

long ModelGrapher::GetCrosshairsTraceId(CGraph* graph) {
    return ReadGraph(graph, [](Graph& g) { return static_cast<long>(g.crosshairTrace); });
}

long ModelGrapher::SendCrosshairMovedMsg(CGraph* graph) {
    // Listeners attach through CCallbackEvents, whose operations the module does not know;
    // the crosshairs' positions are in the files and in GetCrosshairValue.
    return ReadGraph(graph, [](Graph&) { return S_OK; });
}

}  // namespace plotmodel
