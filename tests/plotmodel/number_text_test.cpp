// Numbers as the files write them: tables show enough digits to tell values apart, CSV keeps
// every digit, and NaN and the infinities read the same in every file.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "plot_fixture.h"
#include "plotmodel/eng_format.h"
#include "plotmodel/page_output.h"
#include "plotmodel/table_model.h"

namespace {

using plotmodel::Cell;
using Texts = std::vector<std::string>;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

Texts shown(std::vector<Cell> cells, int precision = -1) {
    plotmodel::Table table;
    table.columns.push_back({"Value", 100, plotmodel::kValueColumn, precision, false});
    for (Cell& cell : cells) table.rows.push_back({std::move(cell)});
    return plotmodel::ColumnTexts(table, 0);
}

using NumberText = PlotFixture;

}  // namespace

TEST(ColumnTexts, ShowAtLeastSixDigitsAndAsManyMoreAsTellTheColumnsValuesApart) {
    EXPECT_EQ(shown({123456789.123, 2.0 / 3, 0.1 + 0.2, 45.00000000000001, 999999.9999999, 2.0 / 3}),
              (Texts{"123456789", "0.666667", "0.3", "45", "1000000", "0.666667"}));
    EXPECT_EQ(shown({0.1 + 0.2, 0.3}), (Texts{"0.30000000000000004", "0.3"}));
    EXPECT_EQ(shown({1.0000001, 1.0000002, 5}), (Texts{"1.0000001", "1.0000002", "5"}));
    EXPECT_EQ(shown({1.00000014, 1.00000026}), (Texts{"1.00000014", "1.00000026"}));
    EXPECT_EQ(shown({2.0 / 3, 7, std::string("text"), Cell{}}, 3), (Texts{"0.667", "7", "text", ""}));
    EXPECT_EQ(shown({2.0 / 3}, 0), (Texts{"1"}));

}

TEST_F(NumberText, CsvKeepsEveryDigitAndEveryFileSpellsNaNAndInfinitiesAlike) {
    CGraphPage* page = nullptr;
    CGraph* graph = NewGraph(1, &page);
    for (double y : {kNaN, kInf, -kInf}) ASSERT_EQ(Add(graph, {0.1 + 0.2, y}), S_OK);
    ASSERT_EQ(grapher.ShowOneCrosshair(graph, 0, 1), S_OK);
    ASSERT_EQ(grapher.SetCrosshairPosition(graph, 0, 0, 0.3, 0), S_OK);
    CChart* chart = nullptr;
    ASSERT_EQ(grapher.CreateChart(page, 2, &chart), S_OK);
    ASSERT_EQ(grapher.AddColumn(chart, "Value", 100, ChartType{2}), S_OK);
    ASSERT_EQ(grapher.AddColumn(chart, "Two decimals", 100, ChartType{2}), S_OK);
    ASSERT_EQ(grapher.SetColumnPrecision(chart, 1, 2), S_OK);
    const double values[] = {kNaN, kInf, -kInf, 123456789.123};
    for (int cell = 0; cell < 8; ++cell) {
        ASSERT_TRUE(cell % 2 == 1 || grapher.AddRow(chart) == S_OK);
        ASSERT_EQ(grapher.SetRowItemDouble(chart, cell / 2, cell % 2, values[cell / 2]), S_OK);
    }
    ASSERT_EQ(grapher.UpdateDisplay(graph), S_OK);

    EXPECT_EQ(ReadFile(Out("page1-graph2.csv")), "X,Trace 0\n0.30000000000000004,NaN\n0.30000000000000004,Infinity\n"
                                                 "0.30000000000000004,-Infinity\n");
    EXPECT_EQ(ReadFile(Out(plotmodel::PageOutput::TableFile(1, 3))),
              "Value,Two decimals\nNaN,NaN\nInfinity,Infinity\n-Infinity,-Infinity\n123456789.123,123456789.123\n");
    std::string html = ReadFile(Out("page1.html"));
    for (const char* cell : {">NaN<", ">Infinity<", ">-Infinity<", ">123456789<", ">123456789.12<"})
        EXPECT_NE(html.find(cell), std::string::npos) << cell;
    EXPECT_NE(html.find("y=NaN"), std::string::npos);  // the crosshair's legend, in the picture
    for (const char* other : {"nan", "inf", "NAN", "INF"}) EXPECT_EQ(html.find(other), std::string::npos) << other;
    EXPECT_EQ(plotmodel::EngineeringLabel(-kInf, 1), "-Infinity");
}
