// The root object's operations on a graph's data points (slots 16 to 20, 23, 33, 70, 71).
#include <climits>

#include "svgplotter/svg_grapher_access.h"

namespace svgplotter {

long SvgGrapher::AddData(CGraph* handle, int firstTrace, const double* values, int end, int, int update) {
    if (values == nullptr) return E_POINTER;
    long result = EditGraph(handle, [&](Graph& graph) {
        if (!graph.open) return E_FAIL;
        if (firstTrace < 0 || end < 0 || static_cast<std::size_t>(firstTrace) + end > graph.traces.size())
            return E_INVALIDARG;
        for (int k = 0; k < end; ++k) {
            Trace& trace = graph.traces[static_cast<std::size_t>(firstTrace + k)];
            trace.x.push_back(values[0]);
            trace.y.push_back(values[1 + k]);
        }
        return S_OK;
    });
    if (result != S_OK || update == 0) return result;
    return RefreshPageOf(store_.FindGraph(handle)->page, false);
}

long SvgGrapher::GetData(CGraph* graph, int trace, double*& x, double*& y, int& count, int) {
    return ReadTrace(graph, trace, [&](Graph&, Trace& t) {
        if (t.Size() > INT_MAX) return E_FAIL;
        x = t.x.empty() ? nullptr : t.x.data();
        y = t.y.empty() ? nullptr : t.y.data();
        count = static_cast<int>(t.Size());
        return S_OK;
    });
}

long SvgGrapher::GetDataY(CGraph* graph, int trace, double*& y, int& count) {
    double* x = nullptr;
    return GetData(graph, trace, x, y, count, 0);
}

long SvgGrapher::GetDataNumberOfPoint(CGraph* graph, int trace, int& count) {
    double *x = nullptr, *y = nullptr;
    return GetData(graph, trace, x, y, count, 0);
}

long SvgGrapher::GetDataPoint(CGraph* graph, int trace, int point, double& x, double& y) {
    return ReadTrace(graph, trace, [&](Graph&, Trace& t) {
        if (point < 0 || static_cast<std::size_t>(point) >= t.Size()) return E_INVALIDARG;
        x = t.x[static_cast<std::size_t>(point)];
        y = t.y[static_cast<std::size_t>(point)];
        return S_OK;
    });
}

long SvgGrapher::DeleteGraphData(CGraph* graph) {
    return EditGraph(graph, [](Graph& g) {
        for (Trace& trace : g.traces) {
            trace.x = {};
            trace.y = {};
        }
        return S_OK;
    });
}

long SvgGrapher::DeleteData(CGraph* graph, int trace) {
    return EditTrace(graph, trace, [](Trace& t) {
        t.x = {};
        t.y = {};
        return S_OK;
    });
}

long SvgGrapher::GetTraceValueMin(CGraph* graph, unsigned int trace, double& x, double& y) {
    return ReadTrace(graph, trace, [&](Graph&, Trace& t) {
        double minX, minY, maxX, maxY;
        if (!TraceExtremes(t, minX, minY, maxX, maxY)) return E_FAIL;
        x = minX;
        y = minY;
        return S_OK;
    });
}

long SvgGrapher::GetTraceValueMax(CGraph* graph, unsigned int trace, double& x, double& y) {
    return ReadTrace(graph, trace, [&](Graph&, Trace& t) {
        double minX, minY, maxX, maxY;
        if (!TraceExtremes(t, minX, minY, maxX, maxY)) return E_FAIL;
        x = maxX;
        y = maxY;
        return S_OK;
    });
}

}  // namespace svgplotter
