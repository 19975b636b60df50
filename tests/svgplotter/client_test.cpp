// The drawing module driven through the library's client classes, as applications drive it.
#include <gtest/gtest.h>

#include <string>

#include "plot_fixture.h"
#include "veltutil/grapher/grapher_source.h"
#include "veltutil/grapher/std_grapher_page.h"

namespace {

struct Client : PlotFixture {
    Client() { source.SetGrapher(&grapher); }

    // What the page file shows: one "graph" block per graph on the page.
    std::size_t GraphsOnPage() const {
        const std::string html = ReadFile(Out("page1.html"));
        std::size_t count = 0;
        for (std::size_t at = html.find("<div class=\"graph\">"); at != std::string::npos;
             at = html.find("<div class=\"graph\">", at + 1))
            ++count;
        return count;
    }

    CGrapherSource source;
};

}  // namespace

// A page opens its standard graph again whenever its traces change (and closes the graphs it
// held once it has the new ones): the new graphs take data, the old ones leave the page.
TEST_F(Client, AStandardGraphOpenedAgainTakesDataAndReplacesTheOldOnThePage) {
    CStdGrapherPage page;
    ASSERT_EQ(source.Create(1, page), S_OK);
    CStdGrapherGraph& graph = page.GetStdGrapherGraph();
    const GrapherDiagramType types[] = {DIAGRAM_SINGLE_VALUE, DIAGRAM_SINGLE_VALUE, DIAGRAM_MAGNITUDE_PHASE_FROM_COMPLEX,
                                        DIAGRAM_MAGNITUDE_PHASE_FROM_COMPLEX};
    for (int round = 0; round < 4; ++round) {
        SCOPED_TRACE(round);
        ASSERT_EQ(page.OpenStdGraph(1, types[round]), S_OK);
        ASSERT_TRUE(graph.IsOpened());
        for (int t = 0; t <= round % 2; ++t) ASSERT_EQ(graph.AddTrace(), S_OK);
        for (int i = 0; i < 3; ++i) {
            graph.SetXAxisGraphData(i);
            for (int t = 0; t <= round % 2; ++t) graph.SetNthGraphData(t, i + t, 1, 0, 0, 0, 0, 0, 0);
            ASSERT_EQ(graph.AddData(1, 0), S_OK) << "point " << i;
        }
        ASSERT_EQ(graph.UpdateDisplay(), S_OK);
        const int graphs = types[round] == DIAGRAM_SINGLE_VALUE ? 1 : 2;
        for (int n = 0; n < graphs; ++n) {
            int count = 0;
            ASSERT_EQ(grapher.GetDataNumberOfPoint(*graph.NthGraph(n), round % 2, count), S_OK);
            EXPECT_EQ(count, 3);
        }
        EXPECT_EQ(GraphsOnPage(), static_cast<std::size_t>(graphs));
    }
    EXPECT_EQ(page.CloseNow(), S_OK);
}
