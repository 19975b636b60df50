// The graph's data calls and the fitting of its axes to the data: the three sets of ranges, the
// update modes, the growing refit interval and scrolling.
#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

#include "veltutil/grapher/grapher_graph.h"
#include "veltutil/grapher/internal/axis_rules.h"
#include "veltutil/grapher/internal/module_call.h"

using veltutil::detail::ForwardTo;
using veltutil::detail::WidenRange;

namespace {

constexpr int kPositions = 4;

bool hasRange(const CMinMax& range) { return range.IsNull() == 0; }

// A range reported a change when the point fell outside it.
int changed(int where) { return where != 0 ? 1 : 0; }

// The value truncated to an int; beyond the range of int it stops at its ends, and NaN gives 0.
int truncateToInt(double value) {
    if (std::isnan(value)) return 0;
    return static_cast<int>(std::clamp(value, static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
}

}  // namespace

const CGrapherAxes& CGrapherGraph::GetAxes(AXES_TYPE type) const { return m_Axes[AxesIndex(type)]; }

void CGrapherGraph::SetAxes(AXES_TYPE type, const CGrapherAxes& axes) { Axes(type) = axes; }

void CGrapherGraph::ClearUpdateMode() { m_nUpdateModes = 0; }

void CGrapherGraph::AddUpdateMode(UpdateMode mode, double value) {
    m_nUpdateModes |= static_cast<unsigned int>(mode);
    if (mode & UPDATE_EVERY_N_CALLS) m_nUpdateInterval = truncateToInt(value);
    if (mode & UPDATE_EXPANDING) m_dExpansion = value > 1.0 ? value : 1.0;
}

long CGrapherGraph::SetMinMaxRange(AxisPosition position, double min, double max) {
    CMinMax& range = MinRange(position);
    range.Reset();
    range.AddPoint(min, 1.0);
    range.AddPoint(max, 1.0);
    return S_OK;
}

const CMinMax* CGrapherGraph::GetMinMaxRange(AxisPosition position) const {
    return &m_MinRange[CGrapherAxes::index(position)];
}

long CGrapherGraph::AutoRange(AxisPosition position) {
    Axes(AXES_DISPLAYED) = Axes(AXES_ALL_DATA);
    return ForwardTo(m_pGrapher, &CGrapher::AutoRange, m_pGraph, position);
}

long CGrapherGraph::SetAxisRange(AxisPosition position, double lo, double hi) {
    auto restart = [&](CGrapherAxes& axes) {
        CMinMax& axis = axes.GetAxis(position);
        axis.Reset();
        axis.AddPoint(lo, 1.0);
        axis.AddPoint(hi, 1.0);
    };
    restart(Axes(AXES_DISPLAYED));
    if (HasMode(UPDATE_SCROLLING)) restart(Axes(AXES_EXPANDED));

    const CMinMax& minimum = MinRange(position);
    if (hasRange(minimum)) {
        lo = std::min(lo, minimum.GetMin());
        hi = std::max(hi, minimum.GetMax());
    }
    WidenRange(lo, hi, Axes(AXES_DISPLAYED).GetScale(position));
    return ForwardTo(m_pGrapher, &CGrapher::SetAxisRange, m_pGraph, position, lo, hi);
}

long CGrapherGraph::Close() {
    if (m_pGrapher == nullptr || m_pGraph == nullptr) return S_OK;
    long result = m_pGrapher->CloseGraph(m_pGraph);
    if (result != S_OK) return result;
    m_nOpened = 0;
    if (HasMode(UPDATE_ON_CLOSE)) {
        long fit = UpdateDisplayWithContraints(UPDATE_ON_CLOSE);
        if (fit != S_OK) return fit;
    }
    ResetBookkeeping();
    return S_OK;
}

void CGrapherGraph::ResetBookkeeping() {
    m_TraceInfo.Reset();
    for (CGrapherAxes& axes : m_Axes) axes.Reset();
    for (CMinMax& range : m_MinRange) range.Reset();
}

bool CGrapherGraph::CountDataCall(int update) {
    if (m_nUpdateInterval > 0 && HasMode(UPDATE_EVERY_N_CALLS)) {
        // The same as (counter + 1) mod N, without a division on every call.
        if (++m_nDataCalls >= m_nUpdateInterval) m_nDataCalls %= m_nUpdateInterval;
    } else {
        m_nDataCalls = 1;
    }
    return update != 0 && m_nDataCalls == 0;
}

// Refits come less and less often: each one stretches the interval by 8/7 (from 7 calls on; a
// shorter interval stays as it is). The interval stops at the largest int rather than overflow.
void CGrapherGraph::GrowRefitInterval() {
    m_nUpdateInterval = static_cast<int>(std::min<long long>(m_nUpdateInterval * 8LL / 7, INT_MAX));
}

// Runs for every trace of every point, so the scrolling case, which may refit, stays out of line.
inline void CGrapherGraph::CollectPoint(AxisPosition x, AxisPosition y, double xValue, double yValue) {
    // An axis that has no point yet starts from the minimum range.
    const CMinMax& minimum = MinRange(x);
    for (CGrapherAxes& axes : m_Axes) {
        CMinMax& axis = axes.GetAxis(x);
        if (!axis.IsInitialized()) axis = minimum;
    }
    CGrapherAxes& all = Axes(AXES_ALL_DATA);
    int grew = changed(all.GetAxis(x).AddPoint(xValue, 1.0));
    grew |= changed(all.GetAxis(y).AddPoint(yValue, 1.0));
    if (grew != 0) all.SetRangeChanged(1);

    if (HasMode(UPDATE_SCROLLING) && x == AXIS_POSITION_3) [[unlikely]] {
        CollectScrollingPoint(y, xValue, yValue);
        return;
    }
    CGrapherAxes& expanded = Axes(AXES_EXPANDED);
    grew = changed(expanded.GetAxis(x).AddPoint(xValue, m_dExpansion));
    grew |= changed(expanded.GetAxis(y).AddPoint(yValue, m_dExpansion));
    if (grew != 0) expanded.SetRangeChanged(1);
}

void CGrapherGraph::CollectScrollingPoint(AxisPosition y, double xValue, double yValue) {
    CGrapherAxes& window = Axes(AXES_EXPANDED);
    // The X value pages the window of position 3 along and the axis follows at once.
    if (window.GetAxis(AXIS_POSITION_3).AddPointShift(xValue) != 0) UpdateToFit(window, 1);
    // A Y value outside the window's set marks that set, where it was collected, as changed. (The
    // displayed set, which UpdateToFit overwrites with the set it fits, would lose the mark.)
    if (window.GetAxis(y).AddPoint(yValue, 1.0) != 0) window.SetRangeChanged(1);
}

// The third argument counts the traces that the values cover, from the first trace on: value
// k + 1 is the Y value of trace firstTrace + k. With the first trace 0 this is the same as reading
// it as the end of the traces, and it is how AddData(update, firstTrace) lays out the values of
// the traces from firstTrace on; read as an end, a first trace other than 0 would pair values
// with the wrong traces. Traces that the trace list does not know are sent on to the module but
// not collected: they have no axes here, and reading their entries would pass the list's end.
long CGrapherGraph::AddData(int firstTrace, const double* values, int traceCount, int fourth, int update) {
    if (m_pGrapher == nullptr) return E_FAIL;
    if (m_nDataStarted == 0) [[unlikely]] {
        UpdateDisplay();
        m_nDataStarted = 1;
    }
    const bool refit = CountDataCall(update);

    if (values != nullptr) {
        const long long first = firstTrace;
        const long long end = std::min<long long>(traceCount, m_TraceInfo.GetNumTraces() - first);
        for (long long k = std::max(0LL, -first); k < end; ++k) {
            const CTraceInfo& info = std::as_const(m_TraceInfo).GetNthTraceInfo(static_cast<int>(first + k));
            CollectPoint(info.GetXAxis(), info.GetYAxis(), values[0], values[k + 1]);
        }
    }

    long result = m_pGrapher->AddData(m_pGraph, firstTrace, values, traceCount, fourth, update);
    if (refit) [[unlikely]] {
        if (HasMode(UPDATE_EXPANDING)) GrowRefitInterval();
        long fit = UpdateDisplayWithContraints(UPDATE_EVERY_N_CALLS);
        if (fit != S_OK) return fit;
    }
    return result;
}

long CGrapherGraph::AddData(int update, int firstTrace) {
    if (m_pGrapher == nullptr) return E_FAIL;
    const int traces = m_TraceInfo.GetNumTraces();
    double* data = m_TraceInfo.GetData();
    if (data == nullptr || firstTrace < 0 || firstTrace > traces) return S_FALSE;
    // The module takes one point as the X value followed by the Y values, so the X value stands
    // in for the value just before the first trace's for the length of the call.
    const double kept = data[firstTrace];
    data[firstTrace] = data[0];
    long result = AddData(firstTrace, data + firstTrace, traces - firstTrace, 1, update);
    data[firstTrace] = kept;
    return result;
}

long CGrapherGraph::UpdateDisplayWithContraints(UpdateMode mode) {
    if (mode == UPDATE_ON_CLOSE)
        return UpdateToFit(Axes(HasMode(UPDATE_SCROLLING) ? AXES_DISPLAYED : AXES_ALL_DATA), 1);
    if (mode == UPDATE_SCROLLING) return UpdateToFit(Axes(AXES_DISPLAYED), 1);
    if (m_dExpansion <= 1.0) return UpdateToFit(Axes(AXES_ALL_DATA), 0);
    return UpdateToFit(Axes(AXES_EXPANDED), 1);
}

long CGrapherGraph::UpdateToFit(CGrapherAxes& axes, int force) {
    if (m_pGrapher == nullptr || m_pGraph == nullptr) return S_OK;
    int redraw = force;
    if (HasMode(UPDATE_EXPANDING) || HasMode(UPDATE_SCROLLING)) {
        for (int p = 0; p < kPositions; ++p) {
            const auto position = static_cast<AxisPosition>(p);
            const bool fitted = !HasMode(UPDATE_SCROLLING) || position == AXIS_POSITION_3;
            if ((axes.GetRangeChanged() != 0 || redraw != 0) && fitted) {
                double lo = axes.GetAxis(position).GetMin();
                double hi = axes.GetAxis(position).GetMax();
                const ScaleType scale = axes.GetScale(position);
                if (hi != lo || (scale != SCALE_TYPE_0 && lo <= 0.0)) {
                    AutoRange(position);
                } else {
                    WidenRange(lo, hi, scale);
                    SetAxisRange(position, lo, hi);
                }
                redraw = 1;
            }
            axes.SetRangeChanged(0);
        }
    } else {
        redraw = 1;
    }
    Axes(AXES_DISPLAYED) = axes;
    return redraw != 0 ? UpdatePlotDisplay() : S_OK;
}
