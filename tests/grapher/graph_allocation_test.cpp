// The per-point path of a graph runs once per simulation sample: it must not allocate.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/grapher/grapher_fixture.h"
#include "tests/support/allocation_counter.h"
#include "veltutil/grapher/grapher_graph.h"

namespace {

struct GraphAllocationTest : GrapherFixture {
    GraphAllocationTest() {
        page.Create(1, graph);
        for (int t = 0; t < 4; ++t) graph.AddTrace();
        recording.recording = false;  // the module only answers
    }
    // Points through the trace list, as a simulator feeds them.
    long Feed(int points) {
        CTraceInfoList& list = graph.GetTraceInfoList();
        long failures = 0;
        for (int k = 0; k < points; ++k) {
            list.SetXData(k * 1e-6);
            for (int t = 0; t < 4; ++t) list.SetNthYData(t, std::sin(k * 0.01 * (t + 1)) * (k + 1));
            failures += graph.AddData(1, 0) != S_OK;
        }
        return failures;
    }
    CGrapherGraph graph;
};

}  // namespace

TEST_F(GraphAllocationTest, AddingPointsAndRefittingAllocatesNothing) {
    graph.AddUpdateMode(CGrapherGraph::UPDATE_EVERY_N_CALLS, 7);
    graph.AddUpdateMode(CGrapherGraph::UPDATE_EXPANDING, 1.5);
    graph.SetMinMaxRange(AXIS_POSITION_3, -1, 1);
    velttest::AllocationCount count;
    EXPECT_EQ(Feed(20000), 0);
    EXPECT_EQ(count(), 0);
}

TEST_F(GraphAllocationTest, ScrollingAllocatesNothing) {
    graph.SetTraceAxis(0, AXIS_POSITION_3, AXIS_POSITION_0);
    graph.AddUpdateMode(CGrapherGraph::UPDATE_SCROLLING, 0);
    graph.AddUpdateMode(CGrapherGraph::UPDATE_EVERY_N_CALLS, 50);
    graph.SetAxisRange(AXIS_POSITION_3, 0, 1e-4);
    velttest::AllocationCount count;
    EXPECT_EQ(Feed(20000), 0);
    EXPECT_EQ(count(), 0);
}
