#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <utility>

#include "plot_fixture.h"

using RootObject = PlotFixture;

TEST_F(RootObject, HandlesNeverGivenOutOrReleasedAnswerAnErrorCode) {
    CGraphPage* page = nullptr;
    CGraph* graph = NewGraph(1, &page);
    CChart* chart = nullptr;
    ASSERT_EQ(grapher.CreateChart(page, 2, &chart), S_OK);

    // Made-up values and a null handle.
    for (std::uintptr_t value : {std::uintptr_t{0}, std::uintptr_t{0x1234}, std::uintptr_t{0xdeadbeef0}}) {
        EXPECT_EQ(grapher.SetPageTitle(reinterpret_cast<CGraphPage*>(value), "x"), E_HANDLE) << value;
        EXPECT_EQ(grapher.AddTrace(reinterpret_cast<CGraph*>(value)), E_HANDLE) << value;
        EXPECT_EQ(grapher.AddRow(reinterpret_cast<CChart*>(value)), E_HANDLE) << value;
    }

    // A closed page refuses everything; what was on it is gone.
    ASSERT_EQ(grapher.ClosePage(page), S_OK);
    EXPECT_EQ(grapher.ClosePage(page), E_FAIL);
    EXPECT_EQ(grapher.AddTrace(graph), E_HANDLE);
    EXPECT_EQ(grapher.AddRow(chart), E_HANDLE);

    // A deleted page is forgotten; its serial is never given out again.
    ASSERT_EQ(grapher.DeletePage(page), S_OK);
    EXPECT_NE(NewPage(), page);
    EXPECT_EQ(grapher.SetPageTitle(page, "x"), E_HANDLE);
}

TEST_F(RootObject, ArgumentsOutOfRangeAreRefusedAndChangeNothing) {
    CGraph* graph = NewGraph(2);
    double x = 7, y = 7;
    EXPECT_EQ(grapher.GetDataPoint(graph, 0, 0, x, y), E_INVALIDARG);  // no point yet
    EXPECT_EQ(grapher.SetTraceLabel(graph, 2, "x"), E_INVALIDARG);
    EXPECT_EQ(grapher.SetAxisLabel(graph, static_cast<AxisPosition>(4), "x"), E_INVALIDARG);
    EXPECT_EQ(grapher.SetAxisRange(graph, AXIS_POSITION_0, 0, NAN), E_INVALIDARG);
    EXPECT_EQ(grapher.SetTraceAxis(graph, 0, AXIS_POSITION_3, AXIS_POSITION_0), E_INVALIDARG);
    EXPECT_EQ(grapher.SetTraceOffset(graph, 0, INFINITY, 0, 1, 1), E_INVALIDARG);
    EXPECT_EQ(grapher.ShowOneCrosshair(graph, 2, 1), E_INVALIDARG);

    // Y values for traces that do not exist: nothing is stored, not even for those that do.
    double values[] = {1, 2, 3, 4};
    EXPECT_EQ(grapher.AddData(graph, 0, values, 3, 1, 0), E_INVALIDARG);
    EXPECT_EQ(grapher.AddData(graph, 2, values, 1, 1, 0), E_INVALIDARG);
    EXPECT_EQ(grapher.AddData(graph, -1, values, 1, 1, 0), E_INVALIDARG);
    EXPECT_EQ(grapher.AddData(graph, 0, nullptr, 1, 1, 0), E_POINTER);
    EXPECT_EQ(Points(graph, 0), 0);
}

TEST_F(RootObject, KeepsThePointsOfEachTraceUntilTheyAreDeleted) {
    CGraph* graph = NewGraph(2);
    for (int i = 0; i < 5; ++i) ASSERT_EQ(Add(graph, {i * 0.5, i * 1.0, -i * 2.0}), S_OK);
    // A call for the second trace alone: the values start at its Y value.
    double second[] = {10, NAN};
    ASSERT_EQ(grapher.AddData(graph, 1, second, 1, 1, 0), S_OK);
    int count = 0;
    double *xs = nullptr, *ys = nullptr;
    ASSERT_EQ(grapher.GetData(graph, 0, xs, ys, count, 0), S_OK);
    ASSERT_EQ(count, 5);
    EXPECT_EQ(std::pair(xs[3], ys[4]), std::pair(1.5, 4.0));
    double x = 0, y = 0;
    ASSERT_EQ(grapher.GetDataPoint(graph, 1, 5, x, y), S_OK);
    EXPECT_EQ(x, 10);
    // The extremes of X and Y apart, NaN left out.
    ASSERT_EQ(grapher.GetTraceValueMin(graph, 1, x, y), S_OK);
    EXPECT_EQ(std::pair(x, y), std::pair(0.0, -8.0));
    ASSERT_EQ(grapher.GetTraceValueMax(graph, 1, x, y), S_OK);
    EXPECT_EQ(std::pair(x, y), std::pair(10.0, 0.0));

    // Deleting one trace's data keeps the other's; an empty trace has no extremes.
    ASSERT_EQ(grapher.DeleteData(graph, 0), S_OK);
    EXPECT_EQ(Points(graph, 1), 6);
    EXPECT_EQ(grapher.GetTraceValueMin(graph, 0, x, y), E_FAIL);
    ASSERT_EQ(grapher.DeleteGraphData(graph), S_OK);
    EXPECT_EQ(Points(graph, 1), 0);
}

TEST_F(RootObject, CrosshairsSnapToTheDataAndStepAlongIt) {
    CGraph* graph = NewGraph(2);
    for (int i = 0; i < 10; ++i) ASSERT_EQ(Add(graph, {i * 1.0, i * 10.0, -i * 1.0}), S_OK);
    double x = 0, y = 0;
    EXPECT_EQ(grapher.GetCrosshairValue(graph, 0, 0, x, y), E_FAIL);  // not placed yet
    ASSERT_EQ(grapher.SetCrosshairPosition(graph, 0, 0, 3.4, 0), S_OK);
    ASSERT_EQ(grapher.GetCrosshairValue(graph, 0, 1, x, y), S_OK);
    EXPECT_EQ(std::pair(x, y), std::pair(3.0, -3.0));
    ASSERT_EQ(grapher.SetCrosshairsTraceId(graph, 1), S_OK);
    ASSERT_EQ(grapher.MoveCrosshairOneStep(graph, 1, 0), S_OK);
    ASSERT_EQ(grapher.GetCrosshairValue(graph, 0, 0, x, y), S_OK);
    EXPECT_EQ(y, 40);
    // The second crosshair starts at the end when stepped backwards, and stops there.
    ASSERT_EQ(grapher.MoveCrosshairOneStep(graph, -1, 1), S_OK);
    ASSERT_EQ(grapher.GetCrosshairValue(graph, 1, 0, x, y), S_OK);
    EXPECT_EQ(x, 9);
    EXPECT_EQ(grapher.MoveCrosshairOneStep(graph, 1, 1), S_FALSE);
}

TEST_F(RootObject, AClosedGraphKeepsItsDataButTakesNoMoreAndIsReplacedByANewOne) {
    CGraphPage* page = nullptr;
    CGraph* graph = NewGraph(1, &page);
    ASSERT_EQ(Add(graph, {1, 2}), S_OK);
    ASSERT_EQ(grapher.CloseGraph(graph), S_OK);
    EXPECT_EQ(grapher.CloseGraph(graph), E_FAIL);
    EXPECT_EQ(Add(graph, {2, 3}), E_FAIL);
    EXPECT_EQ(Points(graph, 0), 1);
    // The client fits the axes of a graph it has closed.
    EXPECT_EQ(grapher.SetAxisRange(graph, AXIS_POSITION_3, 0, 5), S_OK);

    // Creating with the handle held gives a new, empty graph; the old handle is released.
    CGraph* reopened = graph;
    ASSERT_EQ(grapher.CreateGraph(page, 1, &reopened), S_OK);
    EXPECT_NE(reopened, graph);
    EXPECT_EQ(grapher.GetNumberOfTraces(reopened), 0);
    EXPECT_EQ(grapher.CloseGraph(graph), E_HANDLE);
    // A handle from another page stays as it was.
    CGraph* elsewhere = reopened;
    ASSERT_EQ(grapher.CreateGraph(NewPage(), 1, &elsewhere), S_OK);
    EXPECT_EQ(grapher.AddTrace(reopened), S_OK);
}

TEST_F(RootObject, TablesTakeCellsWithinTheirRowsAndColumnsAndSort) {
    CChart* chart = nullptr;
    ASSERT_EQ(grapher.CreateChart(NewPage(), 2, &chart), S_OK);
    ASSERT_EQ(grapher.AddColumn(chart, "Node", 130, ChartType{3}), S_OK);
    ASSERT_EQ(grapher.AddColumn(chart, "Value", 130, ChartType{2}), S_OK);
    EXPECT_EQ(grapher.SetRowItemText(chart, 0, 0, "a"), E_INVALIDARG);  // no row yet
    for (int i = 0; i < 3; ++i) ASSERT_EQ(grapher.AddRow(chart), S_OK);
    EXPECT_EQ(grapher.SetRowItemDouble(chart, 0, 2, 1.0), E_INVALIDARG);
    EXPECT_EQ(grapher.SetColumnPrecision(chart, 1, 18), E_INVALIDARG);
    const char* names[] = {"c", "a", "b"};
    for (int row = 0; row < 3; ++row) ASSERT_EQ(grapher.SetRowItemText(chart, row, 0, names[row]), S_OK);
    ASSERT_EQ(grapher.SetRowItemDouble(chart, 0, 1, 2.5), S_OK);
    ASSERT_EQ(grapher.SetRowItemInt(chart, 1, 1, 7), S_OK);
    ASSERT_EQ(grapher.SetRowItemDouble(chart, 2, 1, -1), S_OK);
    ASSERT_EQ(grapher.SortColumn(chart, 1), S_OK);
    ASSERT_EQ(grapher.UpdateChartDisplay(chart), S_OK);
    EXPECT_EQ(ReadFile(Out(plotmodel::PageOutput::TableFile(1, 2))), "Node,Value\nb,-1\nc,2.5\na,7\n");

    ASSERT_EQ(grapher.CloseChart(chart), S_OK);
    EXPECT_EQ(grapher.AddRow(chart), E_FAIL);
}
