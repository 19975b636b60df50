#pragma once

#include "veltutil/export.h"
#include "veltutil/grapher/grapher_graph.h"
#include "veltutil/grapher/grapher_types.h"
#include "veltutil/measure/gain_phase.h"

// One result series shown on one or two graphs as a diagram type says: type 0 uses the first
// graph only; every other type also uses the second, the first showing the real part, magnitude
// or gain and the second the imaginary part or phase. Per point the caller gives the X value
// (SetXAxisGraphData) and up to eight numbers per trace (SetNthGraphData); the class turns them
// into the plotted values, keeps them in the graphs' trace lists and sends them with one data call
// (AddData). Nothing reaches the module before that call.
//
// "Both" operations go to the first graph and, with a non-zero diagram type and S_OK from the
// first, to the second; they answer the first failure, else S_OK. Queries ask the first graph only.
class VELTUTIL_API CStdGrapherGraph {
public:
    CStdGrapherGraph() = default;
    CStdGrapherGraph(const CStdGrapherGraph&) = delete;
    CStdGrapherGraph& operator=(const CStdGrapherGraph& other) = default;

    virtual ~CStdGrapherGraph() = default;
    virtual int IsOpened() const;
    virtual CGrapher* GetGrapher() const;
    // Updates the display first (its answer is not examined), then closes both graphs.
    virtual long Close();
    virtual long CloseNow();
    virtual long Clear();
    // The first graph only.
    virtual long SetTitle(const char* title);
    // Both graphs take the font whatever the diagram type, so that a later type finds it set.
    virtual long SetCurrentFont(int first, int second, const char* faceName);
    virtual long SetTitleFont();
    virtual long SetStdXAxisLabel(AxisPosition position, NODE_TYPE type);
    virtual long SetStdXAxisLabel(AxisPosition position, const char* name);
    virtual long SetAxisLabel(int, int, const char* label);
    virtual long SetAxisLabel(int, int, NODE_TYPE type);
    // The first graph gets the name; the second the name of what it shows ("Imaginary",
    // "Phase (deg)"). With gain and phase both get the name, and a missing unit becomes "Gain" and
    // "Phase (deg)". Nothing is sent for a type outside 0 to 4.
    virtual long SetAxisLabel(AxisPosition position, const char* name, const char* unit);
    // The node type's label, with the unit or, when it is null, the name of what each graph shows.
    virtual long SetAxisLabel(AxisPosition position, NODE_TYPE type, const char* unit);
    virtual long SetAxisLabelFont(int, int);
    virtual long SetAxisLabelFont(AxisPosition position);
    virtual long SetAxisValueFont(int, int);
    virtual long SetAxisValueFont(AxisPosition position);
    virtual long SetAxisEnabled(int, int, int enabled);
    virtual long SetAxisEnabled(AxisPosition position, int enabled);
    virtual long SetAxisAttr(int, int, int, int, int, GRIDTYPE grid);
    virtual long SetAxisAttr(int, int, int, int, int, ScaleType scale);
    // With magnitude and phase (types 2 and 3), positions 0 and 2 of the second graph get scale 0
    // whatever the caller gives; both graphs get the caller's scale everywhere else.
    virtual long SetAxisAttr(AxisPosition position, int, int, int, GRIDTYPE grid);
    virtual long SetAxisAttr(AxisPosition position, int, int, int, ScaleType scale);
    virtual long SetAxisRange(int, int, double lo, double hi);
    virtual long SetAxisRange(AxisPosition position, double lo, double hi);
    virtual long SetUseCommonAxises(int, int, int);
    virtual long AddTrace();
    virtual long GetNumberOfTraces();
    virtual long GetCurrentTraceId();
    virtual long SetCurrentTraceId(int trace);
    virtual long SetTraceLabel(int trace, const char* label, ChartType type);
    virtual long SetTracePen(int trace, int style);
    virtual long SetTracePen(int trace, int style, unsigned long colour);
    virtual long SetTraceAxis(int trace, AxisPosition x, AxisPosition y);
    virtual long SetTraceOffset(int trace, double, double, double, double);
    // Keeps the X value of the next point; always S_OK.
    virtual long SetXAxisGraphData(double x);
    // Keeps the plotted values of trace n for the next point (see the class comment); always S_OK.
    // A trace that was not added first is not kept.
    virtual long SetNthGraphData(int n, double a, double b, double c, double d, double e, double f, double g,
                                 double h);
    // Sends the kept point.
    virtual long AddData(int update, int firstTrace);
    virtual long UpdateDisplay();
    virtual long UpdatePlotDisplay();
    virtual long DeleteGraphData();
    virtual long AutoRange(AxisPosition position);
    virtual long SetGridEnabled(int enabled);
    virtual long AutoPrecision(AxisPosition position, int, int);
    virtual long UpdateDisplayWithContraints(CGrapherGraph::UpdateMode mode);
    virtual const CGrapherAxes& GetAxes(CGrapherGraph::AXES_TYPE type) const;
    virtual void SetAxes(CGrapherGraph::AXES_TYPE type, const CGrapherAxes& axes);
    virtual void ClearUpdateMode();
    virtual void AddUpdateMode(CGrapherGraph::UpdateMode mode, double value);
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

    // Closes and forgets the graphs held so far, then attaches the first graph, and the second
    // when the type is non-zero, and starts the gain/phase unwrapping afresh.
    void SetGraph(CGrapher* root, GrapherDiagramType type, CGraph* first, CGraph* second);
    // Graph 0, and graph 1 with a non-zero type; null for any other n.
    CGrapherGraph* NthGraph(int n);
    GrapherDiagramType GetDiagramType() const { return m_DiagramType; }

private:
    bool UsesSecond() const { return m_DiagramType != DIAGRAM_SINGLE_VALUE; }
    template <class Operation>
    long Both(Operation operation);
    template <class Operation>
    void EachInUse(Operation operation);

    CGrapherGraph m_Graph[2];
    GrapherDiagramType m_DiagramType = DIAGRAM_SINGLE_VALUE;
    CGainPhase m_GainPhase;
};
