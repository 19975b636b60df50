#include <gtest/gtest.h>

#include "veltutil/grapher/trace_info.h"

// Each added trace starts on the default axes and keeps the earlier ones' axes and values, laid
// out as the module takes a point: X, then one Y per trace. Trace numbers outside the list
// touch nothing: they read a detached entry, reset on each access.
TEST(TraceInfoList, AddingKeepsEarlierTracesAndOutsideNumbersTouchNothing) {
    CTraceInfoList list;
    list.SetXData(1);  // no arrays yet
    list.SetNthYData(0, 1);
    EXPECT_EQ(list.GetXData(), 0.0);
    EXPECT_EQ(list.GetData(), nullptr);
    list.AddTrace();
    list.GetNthTraceInfo(0).GetYAxis() = AXIS_POSITION_1;
    list.SetXData(2.5);
    list.SetNthYData(0, 7);
    list.AddTrace();
    EXPECT_EQ(list.GetNumTraces(), 2);
    EXPECT_EQ(list.GetNthTraceInfo(0).GetYAxis(), AXIS_POSITION_1);
    EXPECT_EQ(list.GetNthTraceInfo(1).GetXAxis(), AXIS_POSITION_0);
    EXPECT_EQ(list.GetNthTraceInfo(1).GetYAxis(), AXIS_POSITION_3);
    EXPECT_EQ(list.GetData()[0], 2.5);
    EXPECT_EQ(list.GetData()[1], 7);
    for (int n : {-1, 2, 1000}) {
        list.SetNthYData(n, 9);
        EXPECT_EQ(list.GetNthYData(n), 0.0) << n;
        list.GetNthTraceInfo(n).GetXAxis() = AXIS_POSITION_1;
        EXPECT_EQ(list.GetNthTraceInfo(n).GetXAxis(), AXIS_POSITION_0) << n;
        EXPECT_EQ(static_cast<const CTraceInfoList&>(list).GetNthTraceInfo(n).GetYAxis(), AXIS_POSITION_3) << n;
    }
    EXPECT_EQ(list.GetData()[2], 0.0);
    list.Reset();
    EXPECT_EQ(list.GetNumTraces(), 0);
    EXPECT_EQ(list.GetData(), nullptr);
    list.AddTrace();
    EXPECT_EQ(list.GetNthTraceInfo(0).GetYAxis(), AXIS_POSITION_3);
}

TEST(TraceInfoList, AssignmentCopiesTheArraysAndLeavesTheSourceAlone) {
    CTraceInfoList copy;
    {
        CTraceInfoList list;
        list.AddTrace();
        list.AddTrace();
        list.GetNthTraceInfo(1).GetYAxis() = AXIS_POSITION_2;
        list.SetNthYData(1, 3);
        copy.AddTrace();  // arrays of its own, released by the assignment
        copy = list;
        const CTraceInfoList& same = copy;
        copy = same;  // assigning a list to itself keeps it
        list.SetNthYData(1, 4);
        list.Reset();
    }
    ASSERT_EQ(copy.GetNumTraces(), 2);
    EXPECT_EQ(copy.GetNthYData(1), 3);
    EXPECT_EQ(copy.GetNthTraceInfo(1).GetYAxis(), AXIS_POSITION_2);
    copy.AddTrace();
    EXPECT_EQ(copy.GetNthYData(1), 3);
    copy = CTraceInfoList();
    EXPECT_EQ(copy.GetData(), nullptr);
    EXPECT_EQ(copy.GetNumTraces(), 0);
}
