// The root object's operations on a graph's data points (slots 16 to 20, 23, 33, 70, 71).
#include <climits>

#include "plotmodel/model_grapher_access.h"

namespace plotmodel {

namespace {

// Long traces grow by large steps: every step copies the values into memory that has to be
// mapped afresh, while capacity that is never written costs address space only. Beyond a
// gigabyte a trace grows as usual, so that it does not ask for more than a machine may grant.
constexpr std::size_t kFirstCapacity = 1024;
constexpr std::size_t kQuadrupleBelow = std::size_t{1} << 27;

void append(std::vector<double>& values, double value) {
    if (values.size() == values.capacity()) [[unlikely]] {
        std::size_t capacity = values.capacity();
        values.reserve(capacity < kFirstCapacity ? kFirstCapacity : capacity * (capacity < kQuadrupleBelow ? 4 : 2));
    }
    values.push_back(value);
}

}  // namespace

long ModelGrapher::AddData(CGraph* handle, int firstTrace, const double* values, int end, int, int update) {
    if (values == nullptr) return E_POINTER;
    std::uint64_t page = 0;
    long result = EditGraph(handle, [&](Graph& graph) {
        if (!graph.open) return E_FAIL;
        if (firstTrace < 0 || end < 0 || static_cast<std::size_t>(firstTrace) + end > graph.traces.size())
            return E_INVALIDARG;
        for (int k = 0; k < end; ++k) {
            Trace& trace = graph.traces[static_cast<std::size_t>(firstTrace + k)];
            append(trace.x, values[0]);
            append(trace.y, values[1 + k]);
        }
        graph.dataDirty = true;
        page = graph.page;
        return S_OK;
    });
    if (result != S_OK || update == 0) return result;
    return RefreshPageOf(page, false);
}

long ModelGrapher::GetData(CGraph* graph, int trace, double*& x, double*& y, int& count, int) {
    return ReadTrace(graph, trace, [&](Graph&, Trace& t) {
        if (t.Size() > INT_MAX) return E_FAIL;
        x = t.x.empty() ? nullptr : t.x.data();
        y = t.y.empty() ? nullptr : t.y.data();
        count = static_cast<int>(t.Size());
        return S_OK;
    });
}

long ModelGrapher::GetDataY(CGraph* graph, int trace, double*& y, int& count) {
    double* x = nullptr;
    return GetData(graph, trace, x, y, count, 0);
}

long ModelGrapher::GetDataNumberOfPoint(CGraph* graph, int trace, int& count) {
    double *x = nullptr, *y = nullptr;
    return GetData(graph, trace, x, y, count, 0);
}

long ModelGrapher::GetDataPoint(CGraph* graph, int trace, int point, double& x, double& y) {
    return ReadTrace(graph, trace, [&](Graph&, Trace& t) {
        if (point < 0 || static_cast<std::size_t>(point) >= t.Size()) return E_INVALIDARG;
        x = t.x[static_cast<std::size_t>(point)];
        y = t.y[static_cast<std::size_t>(point)];
        return S_OK;
    });
}

long ModelGrapher::DeleteGraphData(CGraph* graph) {
    return EditGraph(graph, [](Graph& g) {
        for (Trace& trace : g.traces) {
            trace.x = {};
            trace.y = {};
        }
        g.dataDirty = true;
        return S_OK;
    });
}

long ModelGrapher::DeleteData(CGraph* graph, int trace) {
    return EditGraph(graph, [&](Graph& g) {
        if (!g.HasTrace(trace)) return E_INVALIDARG;
        Trace& t = g.traces[static_cast<std::size_t>(trace)];
        t.x = {};
        t.y = {};
        g.dataDirty = true;
        return S_OK;
    });
}

long ModelGrapher::GetTraceValueMin(CGraph* graph, unsigned int trace, double& x, double& y) {
    return ReadTrace(graph, trace, [&](Graph&, Trace& t) {
        double minX, minY, maxX, maxY;
        if (!TraceExtremes(t, minX, minY, maxX, maxY)) return E_FAIL;
        x = minX;
        y = minY;
        return S_OK;
    });
}

long ModelGrapher::GetTraceValueMax(CGraph* graph, unsigned int trace, double& x, double& y) {
    return ReadTrace(graph, trace, [&](Graph&, Trace& t) {
        double minX, minY, maxX, maxY;
        if (!TraceExtremes(t, minX, minY, maxX, maxY)) return E_FAIL;
        x = maxX;
        y = maxY;
        return S_OK;
    });
}

}  // namespace plotmodel
