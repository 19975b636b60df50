#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "tests/grapher/grapher_fixture.h"
#include "veltutil/grapher/grapher_graph.h"

using Lines = std::vector<std::string>;

namespace {

struct GraphTest : GrapherFixture {
    GraphTest() {
        page.SetCurrentFont(9, 18, "Mono");
        EXPECT_EQ(page.Create(7, graph), S_OK);
        Name(static_cast<CGraph*>(graph), "graph");
        Mark();
    }

    // Traces 0 .. count-1 on their default axes.
    void AddTraces(int count) {
        for (int t = 0; t < count; ++t) graph.AddTrace();
    }
    // One point through the trace list: X and the Y value of each trace.
    long AddPoint(double x, const std::vector<double>& ys, int update = 1) {
        CTraceInfoList& list = graph.GetTraceInfoList();
        list.SetXData(x);
        for (std::size_t t = 0; t < ys.size(); ++t) list.SetNthYData(static_cast<int>(t), ys[t]);
        return graph.AddData(update, 0);
    }
    std::string Range(CGrapherGraph::AXES_TYPE set, AxisPosition position) const {
        const CMinMax& axis = graph.GetAxes(set).GetAxis(position);
        if (!axis.IsInitialized()) return "-";
        return std::to_string(axis.GetMin()) + ".." + std::to_string(axis.GetMax());
    }

    CGrapherGraph graph;
};

}  // namespace

TEST_F(GraphTest, CreationAsksForAGraphOnThePage) {
    EXPECT_EQ(graph.IsOpened(), 1);
    // Creating again offers the handle the graph holds.
    EXPECT_EQ(page.Create(8, graph), S_OK);
    EXPECT_EQ(Calls(), (Lines{"CreateGraph page, 8, graph"}));

    recording.results[11] = 3;
    CGrapherGraph refused;
    EXPECT_EQ(page.Create(1, refused), 3);
    EXPECT_EQ(refused.GetGrapher(), nullptr);  // not attached
    CGrapherPage withoutRoot;
    EXPECT_EQ(withoutRoot.Create(1, refused), E_FAIL);

    // Nothing is created on a page the module has deleted.
    recording.results.erase(11);
    ASSERT_EQ(source.Delete(page), S_OK);
    Mark();
    EXPECT_EQ(page.Create(1, refused), E_FAIL);
    EXPECT_TRUE(recording.calls.empty());
}

TEST_F(GraphTest, OperationsSendTheirArgumentsAfterTheHandle) {
    struct Row {
        const char* name;
        std::function<long()> call;
        std::string sent;
    };
    const Row rows[] = {
        {"title", [&] { return graph.SetTitle("Bode"); }, "SetGraphTitle graph, Bode"},
        {"title font", [&] { return graph.SetTitleFont(); }, "SetGraphTitleFont graph, 9, 18, Mono"},
        {"label at", [&] { return graph.SetAxisLabel(1, 2, "V"); }, "SetAxisLabelAt graph, 1, 2, V"},
        {"label at by node type", [&] { return graph.SetAxisLabel(1, 0, NODE_TIME); }, "SetAxisLabelAt graph, 1, 0, 时间(秒)"},
        {"name and unit", [&] { return graph.SetAxisLabel(AXIS_POSITION_3, "Vout", "V"); }, "SetAxisLabel graph, 3, Vout (V)"},
        {"unit alone", [&] { return graph.SetAxisLabel(AXIS_POSITION_3, "", "V"); }, "SetAxisLabel graph, 3, V"},
        {"name alone", [&] { return graph.SetAxisLabel(AXIS_POSITION_3, "Vout", nullptr); }, "SetAxisLabel graph, 3, Vout"},
        {"neither", [&] { return graph.SetAxisLabel(AXIS_POSITION_3, nullptr, nullptr); }, "SetAxisLabel graph, 3, "},
        {"node type and unit", [&] { return graph.SetAxisLabel(AXIS_POSITION_0, NODE_SPARAM, "dB"); },
         "SetAxisLabel graph, 0, S-参数 (Hz) (dB)"},
        {"unknown node type", [&] { return graph.SetAxisLabel(AXIS_POSITION_0, static_cast<NODE_TYPE>(14), "A"); },
         "SetAxisLabel graph, 0, A"},
        {"grid type, second int 0", [&] { return graph.SetAxisAttr(1, 0, 2, 3, 4, GRIDTYPE(12)); },
         "SetAxisAttrAt graph, 1, 0, 2, 3, 4, 2"},
        {"grid type, second int set", [&] { return graph.SetAxisAttr(1, 5, 2, 3, 4, GRIDTYPE(12)); },
         "SetAxisAttrAt graph, 1, 5, 2, 3, 4, 1"},
        {"grid type at position", [&] { return graph.SetAxisAttr(AXIS_POSITION_2, 1, 2, 3, GRIDTYPE(16)); },
         "SetAxisAttr graph, 2, 1, 2, 3, 0"},
        {"trace label", [&] { return graph.SetTraceLabel(2, "v(1)", ChartType(5)); }, "SetTraceLabel graph, 2, v(1)"},
        {"null trace label", [&] { return graph.SetTraceLabel(2, nullptr, ChartType(0)); }, "SetTraceLabel graph, 2, "},
        {"palette trace 0: red", [&] { return graph.SetTracePen(0, 1); }, "SetTracePen graph, 0, 1, 255"},
        {"palette trace 9: blue", [&] { return graph.SetTracePen(9, 1); }, "SetTracePen graph, 9, 1, 16711680"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Mark();
        EXPECT_EQ(row.call(), S_OK);
        EXPECT_EQ(Calls(), Lines{row.sent});
    }
}

TEST_F(GraphTest, WithoutRootObjectNothingIsSent) {
    CGrapherGraph detached;
    EXPECT_EQ(detached.SetTitle("x"), E_FAIL);
    EXPECT_EQ(detached.AddTrace(), E_FAIL);
    EXPECT_EQ(detached.AddData(1, 0), E_FAIL);
    CGrapherAxes axes;
    EXPECT_EQ(detached.UpdateToFit(axes, 1), S_OK);
    EXPECT_EQ(detached.Close(), S_OK);
    EXPECT_TRUE(recording.calls.empty());
}

TEST_F(GraphTest, AxisRangesAreWidenedToWhatTheScaleCanDraw) {
    struct Row {
        const char* name;
        ScaleType scale;
        double minLo, minHi;  // the minimum range; equal values leave it unset
        double lo, hi;
        std::string sent;
    };
    const Row rows[] = {
        {"equal values", SCALE_TYPE_RESET, 0, 0, 5, 5, "SetAxisRange graph, 1, 4.9999500000000001, 5.0000499999999999"},
        {"zero, linear", SCALE_TYPE_0, 0, 0, 0, 0, "SetAxisRange graph, 1, -1.0000000000000001e-09, 1.0000000000000001e-09"},
        {"through zero, reset scale", SCALE_TYPE_RESET, 0, 0, -2, 3,
         "SetAxisRange graph, 1, 1.0000000000000001e-09, 5.0000000020000002"},
        {"through zero, linear", SCALE_TYPE_0, 0, 0, -2, 3, "SetAxisRange graph, 1, -2, 3"},
        {"reversed", SCALE_TYPE_0, 0, 0, 3, -2, "SetAxisRange graph, 1, -2, 3"},
        {"minimum range wider", SCALE_TYPE_0, -1, 10, 2, 3, "SetAxisRange graph, 1, -1, 10"},
        {"minimum range inside", SCALE_TYPE_0, 2.5, 2.7, 2, 3, "SetAxisRange graph, 1, 2, 3"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CGrapherGraph g;
        page.Create(1, g);
        Name(static_cast<CGraph*>(g), "graph");
        g.SetAxisAttr(AXIS_POSITION_1, 0, 0, 0, row.scale);
        if (row.minLo != row.minHi) g.SetMinMaxRange(AXIS_POSITION_1, row.minLo, row.minHi);
        Mark();
        EXPECT_EQ(g.SetAxisRange(AXIS_POSITION_1, row.lo, row.hi), S_OK);
        EXPECT_EQ(Calls(), Lines{row.sent});
        // The displayed set keeps the range as asked, before widening.
        const CMinMax& shown = g.GetAxes(CGrapherGraph::AXES_DISPLAYED).GetAxis(AXIS_POSITION_1);
        EXPECT_EQ(shown.GetMin(), std::min(row.lo, row.hi));
        EXPECT_EQ(shown.GetMax(), std::max(row.lo, row.hi));
    }
}

TEST_F(GraphTest, FirstDataCallUpdatesTheDisplayOnceUntilCleared) {
    AddTraces(1);
    Mark();
    AddPoint(0, {1});
    AddPoint(1, {2});
    graph.Clear();
    AddPoint(2, {3}, 0);
    EXPECT_EQ(Calls(), (Lines{"UpdateDisplay graph", "AddData graph, 0, 0 1, 1, 1, 1", "AddData graph, 0, 1 2, 1, 1, 1",
                              "ClearGraph graph", "UpdateDisplay graph", "AddData graph, 0, 2 3, 1, 1, 0"}));
}

// The data calls after which the graph refitted, counted from 1.
TEST_F(GraphTest, RefitsComeEveryNthCallAndLessOftenWhenExpanding) {
    struct Row {
        const char* name;
        int modes;
        double interval;
        std::vector<int> refits;
        int update = 1;
    };
    const Row rows[] = {
        {"every third call", CGrapherGraph::UPDATE_EVERY_N_CALLS, 3, {3, 6, 9, 12, 15, 18, 21, 24, 27, 30, 33}},
        {"calls that ask for no update", CGrapherGraph::UPDATE_EVERY_N_CALLS, 1, {}, 0},
        {"interval grows by 8/7 from 7 on", CGrapherGraph::UPDATE_EVERY_N_CALLS | CGrapherGraph::UPDATE_EXPANDING, 7,
         {7, 15, 24, 34}},
        {"short interval never grows", CGrapherGraph::UPDATE_EVERY_N_CALLS | CGrapherGraph::UPDATE_EXPANDING, 6,
         {6, 12, 18, 24, 30}},
        {"no interval mode: never", CGrapherGraph::UPDATE_EXPANDING, 3, {}},
        {"interval 0: never", CGrapherGraph::UPDATE_EVERY_N_CALLS, 0, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CGrapherGraph g;
        page.Create(1, g);
        g.AddTrace();
        if (row.modes & CGrapherGraph::UPDATE_EVERY_N_CALLS) g.AddUpdateMode(CGrapherGraph::UPDATE_EVERY_N_CALLS, row.interval);
        if (row.modes & CGrapherGraph::UPDATE_EXPANDING) g.AddUpdateMode(CGrapherGraph::UPDATE_EXPANDING, 1.5);
        std::vector<int> refits;
        for (int call = 1; call <= 35; ++call) {
            Mark();
            g.GetTraceInfoList().SetXData(call);
            g.GetTraceInfoList().SetNthYData(0, call % 2 == 0 ? call : -call);  // every point widens
            g.AddData(row.update, 0);
            if (!CallsTo("UpdatePlotDisplay").empty()) refits.push_back(call);
        }
        EXPECT_EQ(refits, row.refits);
    }
}

TEST_F(GraphTest, ExpandingRefitSetsEachAxisFromTheGrownRanges) {
    AddTraces(1);
    graph.AddUpdateMode(CGrapherGraph::UPDATE_EVERY_N_CALLS, 2);
    graph.AddUpdateMode(CGrapherGraph::UPDATE_EXPANDING, 1.5);
    AddPoint(0, {1});
    AddPoint(10, {1});
    // Every point, without margin; with the margin, [0, 10] grew to [0, 15] by the second X value.
    EXPECT_EQ(Range(CGrapherGraph::AXES_ALL_DATA, AXIS_POSITION_0), "0.000000..10.000000");
    EXPECT_EQ(Range(CGrapherGraph::AXES_EXPANDED, AXIS_POSITION_0), "0.000000..15.000000");
    // The refit forced every position: ranges of width are fitted by the module; a flat one
    // (Y, and the unused positions 1 and 2 at 0 on a scale not yet set) is widened and sent.
    Mark();
    AddPoint(20, {1});
    AddPoint(30, {1});
    EXPECT_EQ(Calls(), (Lines{"AddData graph, 0, 20 1, 1, 1, 1", "AddData graph, 0, 30 1, 1, 1, 1",
                              "AutoRange graph, 0", "AutoRange graph, 1", "AutoRange graph, 2",
                              "SetAxisRange graph, 3, 0.99999000000000005, 1.0000100000000001",
                              "UpdatePlotDisplay graph"}));
    EXPECT_EQ(Range(CGrapherGraph::AXES_DISPLAYED, AXIS_POSITION_0), Range(CGrapherGraph::AXES_EXPANDED, AXIS_POSITION_0));
}

TEST_F(GraphTest, ExpansionFactorBelowOneFitsEveryPointWithoutForce) {
    AddTraces(1);
    graph.AddUpdateMode(CGrapherGraph::UPDATE_EVERY_N_CALLS, 1);
    graph.AddUpdateMode(CGrapherGraph::UPDATE_EXPANDING, 0.5);
    AddPoint(1, {1});  // the first point reports no change
    Mark();
    AddPoint(1, {1});  // nor does one inside the range: nothing to redraw
    EXPECT_EQ(Calls(), (Lines{"AddData graph, 0, 1 1, 1, 1, 1"}));
    Mark();
    AddPoint(2, {1});  // X grows: every position is fitted from every point
    EXPECT_EQ(Calls(), (Lines{"AddData graph, 0, 2 1, 1, 1, 1", "AutoRange graph, 0", "AutoRange graph, 1",
                              "AutoRange graph, 2", "SetAxisRange graph, 3, 0.99999000000000005, 1.0000100000000001",
                              "UpdatePlotDisplay graph"}));
}

TEST_F(GraphTest, TracesFeedTheAxesTheyAreDrawnAgainst) {
    AddTraces(3);
    graph.SetTraceAxis(1, AXIS_POSITION_2, AXIS_POSITION_1);
    graph.SetTraceAxis(2, AXIS_POSITION_0, AXIS_POSITION_1);
    graph.SetMinMaxRange(AXIS_POSITION_2, -4, -3);
    Mark();
    // From trace 1 on: the module gets X and the Y values of traces 1 and 2 only.
    const std::vector<double> ys = {100, 5, 7};
    CTraceInfoList& list = graph.GetTraceInfoList();
    list.SetXData(2);
    for (int t = 0; t < 3; ++t) list.SetNthYData(t, ys[t]);
    EXPECT_EQ(graph.AddData(0, 1), S_OK);
    EXPECT_EQ(CallsTo("AddData"), (Lines{"AddData graph, 1, 2 5 7, 2, 1, 0"}));
    EXPECT_EQ(list.GetNthYData(0), 100);  // the value lent to the X value is back

    EXPECT_EQ(Range(CGrapherGraph::AXES_ALL_DATA, AXIS_POSITION_1), "5.000000..7.000000");
    EXPECT_EQ(Range(CGrapherGraph::AXES_ALL_DATA, AXIS_POSITION_2), "-4.000000..2.000000");  // from the minimum range
    EXPECT_EQ(Range(CGrapherGraph::AXES_ALL_DATA, AXIS_POSITION_3), "-");  // trace 0 was not sent
}

TEST_F(GraphTest, DataForTracesTheListDoesNotKnowIsSentButNotCollected) {
    AddTraces(2);
    const double values[] = {1, 2, 3, 4, 5};
    Mark();
    EXPECT_EQ(graph.AddData(0, values, 4, 1, 0), S_OK);
    EXPECT_EQ(graph.AddData(-2, values, 4, 1, 0), S_OK);
    EXPECT_EQ(graph.AddData(0, 1), S_OK);
    EXPECT_EQ(graph.AddData(0, 3), S_FALSE);  // beyond the last trace: nothing sent
    EXPECT_EQ(CallsTo("AddData"), (Lines{"AddData graph, 0, 1 2 3 4 5, 4, 1, 0", "AddData graph, -2, 1 2 3 4 5, 4, 1, 0",
                                         "AddData graph, 1, 0 0, 1, 1, 0"}));
    EXPECT_EQ(Range(CGrapherGraph::AXES_ALL_DATA, AXIS_POSITION_3), "0.000000..5.000000");

    CGrapherGraph empty;
    page.Create(1, empty);
    EXPECT_EQ(empty.AddData(1, 0), S_FALSE);  // no trace list yet
}

TEST_F(GraphTest, ScrollingPagesTheXWindowAndRefitsOnlyPosition3) {
    AddTraces(1);
    graph.SetTraceAxis(0, AXIS_POSITION_3, AXIS_POSITION_0);
    graph.AddUpdateMode(CGrapherGraph::UPDATE_SCROLLING, 0);
    graph.SetAxisRange(AXIS_POSITION_3, 0, 10);
    EXPECT_EQ(Range(CGrapherGraph::AXES_EXPANDED, AXIS_POSITION_3), "0.000000..10.000000");
    AddPoint(0, {1});  // the display update of the first data call
    Mark();
    AddPoint(5, {1});  // inside the window
    EXPECT_EQ(Calls(), (Lines{"AddData graph, 0, 5 1, 1, 1, 1"}));
    Mark();
    AddPoint(12, {-3});  // past it: the window moves to start at 12, before the point is sent
    EXPECT_EQ(Calls(), (Lines{"AutoRange graph, 3", "UpdatePlotDisplay graph", "AddData graph, 0, 12 -3, 1, 1, 1"}));
    EXPECT_EQ(Range(CGrapherGraph::AXES_EXPANDED, AXIS_POSITION_3), "12.000000..22.000000");
    EXPECT_EQ(Range(CGrapherGraph::AXES_DISPLAYED, AXIS_POSITION_3), "12.000000..22.000000");
    // The Y value went into the window's set, and marked that set as changed.
    EXPECT_EQ(Range(CGrapherGraph::AXES_EXPANDED, AXIS_POSITION_0), "-3.000000..1.000000");
    EXPECT_EQ(graph.GetAxes(CGrapherGraph::AXES_EXPANDED).GetRangeChanged(), 1);

    Mark();
    EXPECT_EQ(graph.UpdateDisplayWithContraints(CGrapherGraph::UPDATE_SCROLLING), S_OK);
    EXPECT_EQ(Calls(), (Lines{"AutoRange graph, 3", "UpdatePlotDisplay graph"}));
}

TEST_F(GraphTest, CloseRefitsWhenAskedThenForgetsTheBookkeeping) {
    AddTraces(2);
    graph.AddUpdateMode(CGrapherGraph::UPDATE_ON_CLOSE, 0);
    graph.SetMinMaxRange(AXIS_POSITION_0, 0, 1);
    AddPoint(1, {2, 3});

    recording.results[12] = 4;
    Mark();
    EXPECT_EQ(graph.CloseNow(), 4);  // refused: open, bookkeeping kept, but the handle is gone
    EXPECT_EQ(graph.IsOpened(), 1);
    EXPECT_EQ(graph.GetTraceInfoList().GetNumTraces(), 2);
    EXPECT_EQ(static_cast<CGraph*>(graph), nullptr);
    EXPECT_EQ(Calls(), (Lines{"CloseGraph graph"}));

    recording.results.erase(12);
    CGrapherGraph other;
    page.Create(1, other);
    Name(static_cast<CGraph*>(other), "other");
    other.AddUpdateMode(CGrapherGraph::UPDATE_ON_CLOSE, 0);
    other.AddTrace();
    Mark();
    EXPECT_EQ(other.Close(), S_OK);
    EXPECT_EQ(Calls(), (Lines{"CloseGraph other", "UpdatePlotDisplay other"}));
    EXPECT_EQ(other.IsOpened(), 0);
    EXPECT_NE(static_cast<CGraph*>(other), nullptr);  // Close keeps the handle
    EXPECT_EQ(other.GetTraceInfoList().GetNumTraces(), 0);
    EXPECT_EQ(other.GetTraceInfoList().GetData(), nullptr);
    EXPECT_EQ(other.GetAxes(CGrapherGraph::AXES_ALL_DATA).GetScale(AXIS_POSITION_0), SCALE_TYPE_RESET);
}
