#pragma once

#include <memory>

#include "veltutil/export.h"
#include "veltutil/grapher/grapher_types.h"

// The axes one trace is drawn against: X on position 0 and Y on position 3 unless told otherwise.
class VELTUTIL_API CTraceInfo {
public:
    CTraceInfo(AxisPosition x = AXIS_POSITION_0, AxisPosition y = AXIS_POSITION_3) : m_XAxis(x), m_YAxis(y) {}
    CTraceInfo& operator=(const CTraceInfo&) = default;

    AxisPosition& GetXAxis() { return m_XAxis; }
    AxisPosition GetXAxis() const { return m_XAxis; }
    AxisPosition& GetYAxis() { return m_YAxis; }
    AxisPosition GetYAxis() const { return m_YAxis; }

private:
    AxisPosition m_XAxis;
    AxisPosition m_YAxis;
};

// The axes and the current point of every trace of a graph. The list owns two arrays of count + 1
// entries: the axes of trace n are entry n + 1 (entry 0 is not used); value 0 is the current X
// value and value n + 1 the current Y value of trace n, so that the values are laid out exactly
// as the plotting module takes one point. Neither array exists before the first AddTrace.
//
// A trace number outside the list never reaches past the arrays: its axes read as the default
// pair through a detached entry that is reset on every such access, its Y value reads as 0 and
// writing it does nothing.
class VELTUTIL_API CTraceInfoList {
public:
    CTraceInfoList() = default;
    // A copy gets arrays of its own, so that neither list frees what the other still uses.
    CTraceInfoList& operator=(const CTraceInfoList& other);
    ~CTraceInfoList() = default;

    // One more trace, on the default axes; earlier traces keep their axes and values, the new
    // trace's value is 0 until set.
    void AddTrace();
    int GetNumTraces() const { return m_nNumTraces; }
    CTraceInfo& GetNthTraceInfo(int n);
    const CTraceInfo& GetNthTraceInfo(int n) const { return IsTrace(n) ? m_pTraceInfo[n + 1] : DefaultTraceInfo(); }

    void SetXData(double x) {
        if (m_pData) m_pData[0] = x;
    }
    double GetXData() const { return m_pData ? m_pData[0] : 0.0; }
    void SetNthYData(int n, double y) {
        if (IsTrace(n)) m_pData[n + 1] = y;
    }
    double GetNthYData(int n) const { return IsTrace(n) ? m_pData[n + 1] : 0.0; }
    // The value array (null before the first AddTrace and after Reset). It has count + 1 values.
    double* GetData() { return m_pData.get(); }
    const double* GetData() const { return m_pData.get(); }

    // No traces: the values are released; the axes array is kept for the traces added next.
    void Reset();

    bool IsTrace(int n) const { return n >= 0 && n < m_nNumTraces; }

private:
    CTraceInfoList(const CTraceInfoList&) = delete;
    static const CTraceInfo& DefaultTraceInfo();  // a graph's list is copied by assignment only

    std::unique_ptr<CTraceInfo[]> m_pTraceInfo;
    std::unique_ptr<double[]> m_pData;
    int m_nNumTraces = 0;
    int m_nTraceInfoSize = 0;  // entries of m_pTraceInfo, which may exceed count + 1 after Reset
    CTraceInfo m_Detached;
};
