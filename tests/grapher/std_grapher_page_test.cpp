#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/grapher/grapher_fixture.h"
#include "veltutil/grapher/std_grapher_page.h"

using Lines = std::vector<std::string>;

namespace {

struct StdPageTest : GrapherFixture {
    StdPageTest() {
        source.Create(4, stdPage);
        Name(static_cast<CGraphPage*>(stdPage), "std");
        stdPage.OpenStdGraph(1, DIAGRAM_MAGNITUDE_PHASE);
        stdPage.OpenStdChart(2, DIAGRAM_MAGNITUDE_PHASE);
        Name(static_cast<CGraph*>(*stdPage.GetStdGrapherGraph().NthGraph(0)), "first");
        Name(static_cast<CGraph*>(*stdPage.GetStdGrapherGraph().NthGraph(1)), "second");
        Name(static_cast<CChart*>(stdPage.GetStdGrapherChart()), "table");
        Mark();
    }
    CStdGrapherPage stdPage;
};

}  // namespace

TEST_F(StdPageTest, OpensItsTableAndGraphOnItself) {
    const CStdGrapherPage& constPage = stdPage;
    EXPECT_EQ(constPage.GetStdGrapherChart().GetDiagramType(), DIAGRAM_MAGNITUDE_PHASE);
    EXPECT_EQ(stdPage.GetStdGrapherGraph().IsOpened(), 1);

    // Reopening closes the graph, offers its first handle for reuse, and closes the graphs it held
    // once more as the new one is attached.
    stdPage.OpenStdGraph(3, DIAGRAM_SINGLE_VALUE);
    EXPECT_EQ(Calls(), (Lines{"UpdateDisplay first", "UpdateDisplay second", "CloseGraph first", "CloseGraph second",
                              "CreateGraph std, 3, first", "CloseGraph first", "CloseGraph second"}));
}

TEST_F(StdPageTest, ReopeningTheTableWithIdentifierTwoStartsTheRowCountAgain) {
    CStdGrapherChart& table = stdPage.GetStdGrapherChart();
    table.AddRow();
    table.AddRow();
    EXPECT_EQ(stdPage.OpenStdChart(1, DIAGRAM_SINGLE_VALUE), S_OK);
    EXPECT_EQ(table.GetNumRows(), 2);
    EXPECT_EQ(stdPage.OpenStdChart(2, DIAGRAM_SINGLE_VALUE), S_OK);
    EXPECT_EQ(table.GetNumRows(), 0);
}

TEST_F(StdPageTest, ReattachingClosesAndForgetsTableAndGraphClearingOnlyCloses) {
    stdPage.Clear();
    EXPECT_EQ(Calls(), (Lines{"CloseChart table", "UpdateDisplay first", "UpdateDisplay second", "CloseGraph first",
                              "CloseGraph second", "ClearPage std"}));
    EXPECT_NE(static_cast<CChart*>(stdPage.GetStdGrapherChart()), nullptr);

    Mark();
    stdPage.SetPage(root, nullptr);
    EXPECT_EQ(Calls(), (Lines{"CloseChart table", "CloseGraph first", "CloseGraph second"}));
    EXPECT_EQ(static_cast<CChart*>(stdPage.GetStdGrapherChart()), nullptr);
    EXPECT_EQ(stdPage.GetStdGrapherGraph().NthGraph(0)->operator CGraph*(), nullptr);
    EXPECT_EQ(stdPage.IsOpened(), 0);
}

TEST_F(StdPageTest, DestructionClosesGraphAndTableBeforeThePage) {
    auto owned = std::make_unique<CStdGrapherPage>();
    source.Create(4, *owned);
    Name(static_cast<CGraphPage*>(*owned), "owned");
    owned->OpenStdChart(2, DIAGRAM_SINGLE_VALUE);
    owned->OpenStdGraph(2, DIAGRAM_SINGLE_VALUE);
    Name(static_cast<CChart*>(owned->GetStdGrapherChart()), "t");
    Name(static_cast<CGraph*>(*owned->GetStdGrapherGraph().NthGraph(0)), "g");
    Mark();
    owned.reset();
    EXPECT_EQ(Calls(), (Lines{"CloseGraph g", "CloseChart t", "ClosePage owned"}));
}
