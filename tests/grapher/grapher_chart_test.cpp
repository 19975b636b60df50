#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/grapher/grapher_fixture.h"
#include "veltutil/grapher/grapher_chart.h"
#include "veltutil/grapher/std_grapher_chart.h"

using Lines = std::vector<std::string>;

namespace {

struct ChartTest : GrapherFixture {
    template <class Chart, class... Type>
    void Open(Chart& chart, Type... type) {
        ASSERT_EQ(page.Create(2, chart, type...), S_OK);
        Name(static_cast<CChart*>(chart), "table");
    }
};

}  // namespace

TEST_F(ChartTest, CreationAsksForATableOnThePageAndTakesThePageFont) {
    page.SetCurrentFont(7, -1, "Mono");
    CGrapherChart chart;
    Open(chart);
    chart.SetTitleFont();
    chart.SetRowItemText(0, 1, nullptr);
    EXPECT_EQ(Calls(), (Lines{"CreateChart page, 2, null", "SetChartTitleFont table, 7, 16, Mono",
                              "SetRowItemText table, 0, 1, "}));
    EXPECT_EQ(chart.IsOpened(), 1);

    recording.results[75] = 6;
    CGrapherChart refused;
    EXPECT_EQ(page.Create(2, refused), 6);
    EXPECT_EQ(refused.GetGrapher(), nullptr);
}

TEST_F(ChartTest, RowCountIsTheTablesOwnAndSurvivesOnlyClose) {
    CGrapherChart chart;
    Open(chart);
    recording.results[87] = 9;
    EXPECT_EQ(chart.AddRow(), 9);  // counted although the module failed
    EXPECT_EQ(chart.AddRow(), 9);
    EXPECT_EQ(chart.GetNumRows(), 2);
    EXPECT_EQ(chart.Close(), S_OK);
    EXPECT_EQ(chart.GetNumRows(), 2);
    EXPECT_EQ(chart.IsOpened(), 0);
    chart.SetNumRows(5);
    EXPECT_EQ(chart.Clear(), S_OK);
    EXPECT_EQ(chart.GetNumRows(), 0);

    chart.AddRow();
    recording.results[76] = 4;
    EXPECT_EQ(chart.CloseNow(), 4);  // refused, but the handle and the count are gone all the same
    EXPECT_EQ(static_cast<CChart*>(chart), nullptr);
    EXPECT_EQ(chart.GetNumRows(), 0);
}

TEST_F(ChartTest, StandardTableColumnsFollowTheDiagramType) {
    struct Row {
        GrapherDiagramType type;
        Lines columns;
    };
    const Row rows[] = {
        {DIAGRAM_SINGLE_VALUE, {"AddColumn table, , 100, 3", "AddColumn table, , 60, 2"}},
        {DIAGRAM_REAL_IMAGINARY, {"AddColumn table, , 100, 3", "AddColumn table, Real, 60, 2", "AddColumn table, Imaginary, 70, 2"}},
        {DIAGRAM_MAGNITUDE_PHASE_FROM_COMPLEX,
         {"AddColumn table, , 100, 3", "AddColumn table, Magnitude, 60, 2", "AddColumn table, Phase (deg), 70, 2"}},
        {DIAGRAM_MAGNITUDE_PHASE,
         {"AddColumn table, , 100, 3", "AddColumn table, Magnitude, 60, 2", "AddColumn table, Phase (deg), 70, 2"}},
        {DIAGRAM_GAIN_PHASE, {"AddColumn table, , 100, 3", "AddColumn table, Gain, 60, 2", "AddColumn table, Phase (deg), 70, 2"}},
        {static_cast<GrapherDiagramType>(9), {"AddColumn table, , 100, 3", "AddColumn table, , 60, 2"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.type);
        CStdGrapherChart chart;
        Open(chart, row.type);
        Mark();
        EXPECT_EQ(chart.DefineColumns(nullptr, 100, 60, 70), S_OK);
        EXPECT_EQ(Calls(), row.columns);
    }
    CStdGrapherChart chart;
    Open(chart, DIAGRAM_GAIN_PHASE);
    recording.results[83] = 2;
    Mark();
    EXPECT_EQ(chart.DefineColumns("Node", 1, 2, 3), 2);
    EXPECT_EQ(Calls(), (Lines{"AddColumn table, Node, 1, 3"}));
}

TEST_F(ChartTest, StandardTableRowValuesFollowTheDiagramType) {
    struct Row {
        GrapherDiagramType type;
        std::vector<double> numbers;
        Lines cells;
    };
    const Row rows[] = {
        {DIAGRAM_SINGLE_VALUE, {2, 3}, {"SetRowItemDouble table, 4, 1, 2"}},
        {DIAGRAM_REAL_IMAGINARY, {2, 3}, {"SetRowItemDouble table, 4, 1, 2", "SetRowItemDouble table, 4, 2, 3"}},
        // Gain 2 between a reference 1 and a measured 2i: phase 90 on every row, each row afresh.
        {DIAGRAM_GAIN_PHASE, {1, 0, 0, 0, 0, 2, 0, 0}, {"SetRowItemDouble table, 4, 1, 2", "SetRowItemDouble table, 4, 2, 90"}},
        {static_cast<GrapherDiagramType>(5), {2, 3}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.type);
        CStdGrapherChart chart;
        Open(chart, row.type);
        std::vector<double> n = row.numbers;
        n.resize(8);
        for (int repeat = 0; repeat < 2; ++repeat) {
            Mark();
            EXPECT_EQ(chart.SetRowItemValue(4, n[0], n[1], n[2], n[3], n[4], n[5], n[6], n[7]), S_OK);
            EXPECT_EQ(Calls(), row.cells);
        }
    }
}

TEST_F(ChartTest, StandardTableTextGoesToColumnZeroAndNullHeadingsAreEmpty) {
    CStdGrapherChart chart;
    Open(chart, DIAGRAM_REAL_IMAGINARY);
    Mark();
    chart.SetRowItemText(3, "v(1)");
    chart.SetItemText(3, 2, nullptr);
    chart.AddCollumn(nullptr, 5, ChartType(1));
    chart.SetItemDouble(1, 1, 1.5);
    EXPECT_EQ(Calls(), (Lines{"SetRowItemText table, 3, 0, v(1)", "SetRowItemText table, 3, 2, ", "AddColumn table, , 5, 1",
                              "SetRowItemDouble table, 1, 1, 1.5"}));
}
