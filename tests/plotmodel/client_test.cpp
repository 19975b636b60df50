// The drawing module driven through the library's client classes, as applications drive it.
#include <gtest/gtest.h>

#include <filesystem>

#include "plot_fixture.h"
#include "veltutil/grapher/grapher_source.h"
#include "veltutil/grapher/std_grapher_page.h"

using Client = PlotFixture;

// A page opens its standard graph again whenever its traces change, and then closes the graphs
// it held: the new graphs take data, and take the old ones' place on the page.
TEST_F(Client, AStandardGraphOpenedAgainTakesDataAndReplacesTheOldOnThePage) {
    CGrapherSource source;
    source.SetGrapher(&grapher);
    CStdGrapherPage page;
    ASSERT_EQ(source.Create(1, page), S_OK);
    CStdGrapherGraph& graph = page.GetStdGrapherGraph();
    for (int traces = 1; traces <= 2; ++traces) {
        ASSERT_EQ(page.OpenStdGraph(1, DIAGRAM_MAGNITUDE_PHASE_FROM_COMPLEX), S_OK);
        for (int t = 0; t < traces; ++t) ASSERT_EQ(graph.AddTrace(), S_OK);
        graph.SetXAxisGraphData(1);
        for (int t = 0; t < traces; ++t) graph.SetNthGraphData(t, 1, 1, 0, 0, 0, 0, 0, 0);
        ASSERT_EQ(graph.AddData(1, 0), S_OK) << traces;
        for (int n = 0; n < 2; ++n) EXPECT_EQ(Points(*graph.NthGraph(n), traces - 1), 1);
        const std::string html = ReadFile(Out("page1.html"));
        std::size_t graphs = 0;
        for (std::size_t at = 0; (at = html.find("<div class=\"graph\">", at)) != std::string::npos; ++at) ++graphs;
        EXPECT_EQ(graphs, 2u);
        // Only the graphs the page shows have files.
        std::size_t pictures = 0;
        for (const auto& entry : std::filesystem::directory_iterator(Out("")))
            pictures += entry.path().extension() == ".svg";
        EXPECT_EQ(pictures, 2u) << traces;
    }
}
