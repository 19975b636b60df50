#pragma once

#include "veltutil/export.h"
#include "veltutil/grapher/grapher_axes.h"
#include "veltutil/grapher/grapher_types.h"
#include "veltutil/platform/host/strings/cstring.h"
#include "veltutil/spice/node_type.h"

// How a set of results is to be plotted. The library only keeps it; the suite's modules fill
// and read it.
class VELTUTIL_API CGrapherAttrib {
public:
    CGrapherAttrib() { Reset(); }
    CGrapherAttrib(const CGrapherAttrib&) = default;
    CGrapherAttrib& operator=(const CGrapherAttrib&) = default;
    ~CGrapherAttrib() = default;

    void Reset();

    CString& GetTabName() { return m_TabName; }
    const CString& GetTabName() const { return m_TabName; }
    ScaleType& GetAxisScale(AxisPosition position) { return m_AxisScale[CGrapherAxes::index(position)]; }
    ScaleType GetAxisScale(AxisPosition position) const { return m_AxisScale[CGrapherAxes::index(position)]; }
    NODE_TYPE& GetNodeType(AxisPosition position) { return m_NodeType[CGrapherAxes::index(position)]; }
    const NODE_TYPE& GetNodeType(AxisPosition position) const { return m_NodeType[CGrapherAxes::index(position)]; }
    CMinMax& GetAxis(AxisPosition position) { return m_Axes.GetAxis(position); }
    const CMinMax& GetAxis(AxisPosition position) const { return m_Axes.GetAxis(position); }
    DiagramType& GetDiagramType() { return m_DiagramType; }
    const DiagramType& GetDiagramType() const { return m_DiagramType; }
    int& GetKeepPageOpen() { return m_nKeepPageOpen; }
    const int& GetKeepPageOpen() const { return m_nKeepPageOpen; }
    int& GetGroupAllTraces() { return m_nGroupAllTraces; }
    const int& GetGroupAllTraces() const { return m_nGroupAllTraces; }
    CString& GetTracePrefix() { return m_TracePrefix; }
    const CString& GetTracePrefix() const { return m_TracePrefix; }
    CString& GetTracePostfix() { return m_TracePostfix; }
    const CString& GetTracePostfix() const { return m_TracePostfix; }

private:
    CString m_TabName;
    ScaleType m_AxisScale[4];
    NODE_TYPE m_NodeType[4];
    CGrapherAxes m_Axes;
    DiagramType m_DiagramType;
    int m_nKeepPageOpen;
    int m_nGroupAllTraces;
    CString m_TracePrefix;
    CString m_TracePostfix;
};
