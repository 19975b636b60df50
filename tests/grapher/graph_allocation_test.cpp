// The per-point path of a graph runs once per simulation sample: it must not allocate, whether
// it refits as the data grows or scrolls.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/grapher/grapher_fixture.h"
#include "tests/support/allocation_counter.h"
#include "veltutil/grapher/grapher_graph.h"

TEST_F(GrapherFixture, AddingPointsAllocatesNothing) {
    recording.recording = false;  // the module only answers
    for (bool scrolling : {false, true}) {
        CGrapherGraph graph;
        page.Create(1, graph);
        for (int t = 0; t < 4; ++t) graph.AddTrace();
        if (scrolling) {
            graph.SetTraceAxis(0, AXIS_POSITION_3, AXIS_POSITION_0);
            graph.AddUpdateMode(CGrapherGraph::UPDATE_SCROLLING, 0);
            graph.SetAxisRange(AXIS_POSITION_3, 0, 1e-4);
        } else {
            graph.AddUpdateMode(CGrapherGraph::UPDATE_EXPANDING, 1.5);
            graph.SetMinMaxRange(AXIS_POSITION_3, -1, 1);
        }
        graph.AddUpdateMode(CGrapherGraph::UPDATE_EVERY_N_CALLS, 7);
        CTraceInfoList& list = graph.GetTraceInfoList();
        velttest::AllocationCount count;
        long failures = 0;
        for (int k = 0; k < 20000; ++k) {
            list.SetXData(k * 1e-6);
            for (int t = 0; t < 4; ++t) list.SetNthYData(t, std::sin(k * 0.01 * (t + 1)) * (k + 1));
            failures += graph.AddData(1, 0) != S_OK;
        }
        EXPECT_EQ(failures, 0);
        EXPECT_EQ(count(), 0) << "scrolling " << scrolling;
    }
}
