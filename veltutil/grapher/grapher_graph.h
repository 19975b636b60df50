#pragma once

#include "veltutil/export.h"
#include "veltutil/grapher/grapher_axes.h"
#include "veltutil/grapher/grapher_font.h"
#include "veltutil/grapher/grapher_interface.h"
#include "veltutil/grapher/grapher_types.h"
#include "veltutil/grapher/grid_type.h"
#include "veltutil/grapher/trace_info.h"
#include "veltutil/measure/min_max.h"
#include "veltutil/platform/host/strings/cstring.h"
#include "veltutil/spice/node_type.h"

// The client's handle of one graph of the plotting module: up to four axes and any number of
// traces. Almost every operation forwards to the module with the graph handle first and answers
// what the module answers, or E_FAIL without a root object. Around the data calls the graph keeps
// its own bookkeeping so that it can fit the axes while data streams in: three sets of axis
// ranges (AXES_TYPE), the axes and current point of every trace, the update modes and a minimum
// visible range per axis position.
//
// A graph is open from the moment a page attaches it with a non-null handle (SetGraph) until its
// Close succeeds. Close keeps the handle, so that the data can still be read back; CloseNow
// forgets it. Copies of a graph name the same module graph, each with its own bookkeeping; a
// graph cannot be copy-constructed, only assigned.
class VELTUTIL_API CGrapherGraph {
public:
    // Bit flags, combined with AddUpdateMode.
    enum UpdateMode : int {
        UPDATE_EVERY_N_CALLS = 1,  // refit on every Nth data call that asks for an update
        UPDATE_ON_CLOSE = 2,       // refit when the graph is closed
        UPDATE_EXPANDING = 4,      // refit from ranges grown with a margin, less and less often
        UPDATE_SCROLLING = 8,      // only position 3 is refitted; X values page its window along
    };
    // The three sets of axis ranges.
    enum AXES_TYPE : int {
        AXES_DISPLAYED = 0,  // the ranges last set on the display
        AXES_ALL_DATA = 1,   // every point, without margin
        AXES_EXPANDED = 2,   // every point with the margin of UPDATE_EXPANDING; when scrolling, the window
    };

    CGrapherGraph() = default;
    CGrapherGraph(const CGrapherGraph&) = delete;
    CGrapherGraph& operator=(const CGrapherGraph& other) = default;

    virtual ~CGrapherGraph();
    virtual CGrapher* GetGrapher() const { return m_pGrapher; }
    virtual int IsOpened() const { return m_nOpened; }
    // S_OK without a root object or a handle. A module refusal is answered as it is and leaves
    // the graph open. Once closed, the graph refits when UPDATE_ON_CLOSE is set (a failed refit is
    // answered and keeps the bookkeeping), then forgets its traces, ranges and minimum ranges.
    // The handle stays.
    virtual long Close();
    // Close, then the handle is forgotten whatever Close answered.
    virtual long CloseNow();
    // The next data call updates the display first, as after SetGraph.
    virtual long Clear();
    virtual long SetTitle(const char* title);
    virtual long SetCurrentFont(int first, int second, const char* faceName);
    virtual long SetTitleFont();
    virtual long SetAxisLabel(int, int, const char* label);
    virtual long SetAxisLabel(int, int, NODE_TYPE type);
    // "name (unit)"; the name alone without a unit, the unit alone without a name.
    virtual long SetAxisLabel(AxisPosition position, const char* name, const char* unit);
    // The node type's label as the name.
    virtual long SetAxisLabel(AxisPosition position, NODE_TYPE type, const char* unit);
    virtual long SetAxisLabelFont(int, int);
    virtual long SetAxisLabelFont(AxisPosition position);
    virtual long SetAxisValueFont(int, int);
    virtual long SetAxisValueFont(AxisPosition position);
    virtual long SetAxisEnabled(int, int, int enabled);
    virtual long SetAxisEnabled(AxisPosition position, int enabled);
    // Sends the scale that the grid type carries for position 3 when the second int is non-zero,
    // else for position 0.
    virtual long SetAxisAttr(int, int, int, int, int, GRIDTYPE grid);
    virtual long SetAxisAttr(int, int, int, int, int, ScaleType scale);
    virtual long SetAxisAttr(AxisPosition position, int, int, int, GRIDTYPE grid);
    // The scale is also kept for the position in all three sets of ranges.
    virtual long SetAxisAttr(AxisPosition position, int, int, int, ScaleType scale);
    virtual long SetAxisRange(int, int, double lo, double hi);
    // Shows at least the position's minimum range, widened to a range the scale can draw.
    virtual long SetAxisRange(AxisPosition position, double lo, double hi);
    virtual long SetUseCommonAxises(int, int, int);
    // One more trace in the bookkeeping (on positions 0 and 3), then in the module.
    virtual long AddTrace();
    virtual long GetNumberOfTraces();
    virtual long GetCurrentTraceId();
    virtual long SetCurrentTraceId(int trace);
    // The column type is not sent; a null label is sent as "".
    virtual long SetTraceLabel(int trace, const char* label, ChartType type);
    // The trace's colour from the palette.
    virtual long SetTracePen(int trace, int style);
    virtual long SetTracePen(int trace, int style, unsigned long colour);
    virtual long SetTraceAxis(int trace, AxisPosition x, AxisPosition y);
    virtual long SetTraceOffset(int trace, double, double, double, double);
    // One point: values[0] is the X value and values[k + 1] the Y value of trace firstTrace + k,
    // for k below traceCount. Fits the axes as the update modes say when `update` is non-zero.
    virtual long AddData(int firstTrace, const double* values, int traceCount, int, int update);
    // The point held in the trace list (SetXData, SetNthYData) for the traces from firstTrace on.
    // S_FALSE, with nothing sent, before the first trace or for a first trace beyond the last.
    virtual long AddData(int update, int firstTrace);
    virtual long GetData(int, double*& x, double*& y, int& count, int);
    virtual long GetData(int, double*& y, int& count);
    virtual long GetDataNumberOfPoint(int trace, int& count);
    virtual long GetDataPoint(int trace, int point, double& x, double& y);
    virtual long UpdateDisplay();
    virtual long UpdatePlotDisplay();
    virtual long DeleteGraphData();
    // The ranges of every point become the displayed ones, then the module fits the axis.
    virtual long AutoRange(AxisPosition position);
    virtual long SetGridEnabled(int enabled);
    virtual long AutoPrecision(AxisPosition position, int, int);
    virtual const CGrapherAxes& GetAxes(AXES_TYPE type) const;
    virtual void SetAxes(AXES_TYPE type, const CGrapherAxes& axes);
    virtual void ClearUpdateMode();
    // Adds the mode's bit. UPDATE_EVERY_N_CALLS takes N from the value (truncated);
    // UPDATE_EXPANDING takes the margin factor from it (at least 1.0).
    virtual void AddUpdateMode(UpdateMode mode, double value);
    virtual CTraceInfoList& GetTraceInfoList() { return m_TraceInfo; }
    // UPDATE_ON_CLOSE and UPDATE_SCROLLING fit from the displayed or collected ranges, forced;
    // any other mode from every point, or from the expanded ranges when there is a margin.
    virtual long UpdateDisplayWithContraints(UpdateMode mode);
    // Fits the axes to the set (which also becomes the displayed set) and redraws when anything
    // changed or `force` is non-zero. S_OK without a root object or a handle.
    virtual long UpdateToFit(CGrapherAxes& axes, int force);
    virtual long SetMinMaxRange(AxisPosition position, double min, double max);
    virtual const CMinMax* GetMinMaxRange(AxisPosition position) const;
    virtual long ShowOneCrosshair(unsigned int, int);
    virtual long ShowCrosshairWithoutLegend(unsigned int, int);
    virtual long ShowDiagram(int show);
    virtual long ShowGrid(int show);
    virtual long GetTraceValueMin(unsigned int trace, double& x, double& y);
    virtual long GetTraceValueMax(unsigned int trace, double& x, double& y);
    virtual long GetCrosshairValue(int, unsigned int, double& x, double& y);
    virtual long SetCrosshairPosition(unsigned int, unsigned int, double x, double y);
    virtual long SetGridPenStyle(int style);
    virtual long SetPrintLogicalTrace(int);
    virtual long SetDisplayDigitalData(AxisPosition position, int);
    virtual long SetReversed();
    virtual long IsReversed(int& reversed);
    virtual long SetTraceInternalUse(int trace, int);
    virtual long SetTraceShow(int trace, int show);
    virtual long DeleteData(int trace);
    virtual long SetShowSelTraceMarks(int show);
    virtual long SetCrosshairsTraceId(unsigned int trace);
    virtual long GetCrosshairsTraceId();
    virtual long GetTraceLabel(unsigned int trace, CString& label);
    virtual long SendCrosshairMovedMsg();
    virtual long MoveCrosshairOneStep(int, unsigned int);

    // Attaches the graph to a module graph; it counts as open when the handle is not null, and
    // its next data call updates the display first.
    void SetGraph(CGrapher* root, CGraph* graph);
    operator CGraph*() const { return m_pGraph; }
    const CGrapherFont& GetFont() const { return m_Font; }

private:
    bool HasMode(int mode) const { return (m_nUpdateModes & static_cast<unsigned int>(mode)) != 0; }
    CGrapherAxes& Axes(AXES_TYPE type) { return m_Axes[AxesIndex(type)]; }
    CMinMax& MinRange(AxisPosition position) { return m_MinRange[CGrapherAxes::index(position)]; }
    static int AxesIndex(AXES_TYPE type) { return type < 0 ? 0 : type > 2 ? 2 : static_cast<int>(type); }
    // Moves the data call counter on; true when this call is the one that refits.
    bool CountDataCall(int update);
    void GrowRefitInterval();
    void CollectPoint(AxisPosition x, AxisPosition y, double xValue, double yValue);
    void CollectScrollingPoint(AxisPosition y, double xValue, double yValue);
    void ResetBookkeeping();

    // The operation on this graph's handle; E_FAIL without a root object.
    template <class... Params, class... Args>
    long Send(long (CGrapher::*operation)(CGraph*, Params...), Args&&... args);

    CGrapher* m_pGrapher = nullptr;
    CGraph* m_pGraph = nullptr;
    CGrapherFont m_Font;
    int m_nOpened = 0;
    int m_nUpdateInterval = 1;
    int m_nDataCalls = 0;
    CGrapherAxes m_Axes[3];
    CTraceInfoList m_TraceInfo;
    unsigned int m_nUpdateModes = 0;
    double m_dExpansion = 0.0;
    CMinMax m_MinRange[4];
    int m_nDataStarted = 0;
};
