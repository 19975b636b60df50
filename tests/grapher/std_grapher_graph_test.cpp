#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/grapher/grapher_fixture.h"
#include "veltutil/grapher/std_grapher_graph.h"

using Lines = std::vector<std::string>;

namespace {

struct StdGraphTest : GrapherFixture {
    // A standard graph of the type on the page, its module graphs named "first" and "second".
    void Open(GrapherDiagramType type) {
        ASSERT_EQ(page.Create(5, graph, type), S_OK);
        Name(static_cast<CGraph*>(*graph.NthGraph(0)), "first");
        if (graph.NthGraph(1) != nullptr) Name(static_cast<CGraph*>(*graph.NthGraph(1)), "second");
        Mark();
    }

    CStdGrapherGraph graph;
};

}  // namespace

TEST_F(StdGraphTest, TypeZeroUsesOneGraphEveryOtherTypeTwo) {
    Open(DIAGRAM_SINGLE_VALUE);
    EXPECT_EQ(graph.NthGraph(1), nullptr);
    EXPECT_EQ(graph.SetTitleFont(), S_OK);
    EXPECT_EQ(Calls(), (Lines{"SetGraphTitleFont first, 8, 16, System"}));

    // Reopening closes and forgets what the graph held, then creates a module graph per graph.
    Mark();
    EXPECT_EQ(page.Create(6, graph, DIAGRAM_GAIN_PHASE), S_OK);
    ASSERT_NE(graph.NthGraph(1), nullptr);
    EXPECT_EQ(graph.NthGraph(2), nullptr);
    Name(static_cast<CGraph*>(*graph.NthGraph(1)), "second");
    EXPECT_EQ(Calls(), (Lines{"CreateGraph page, 6, first", "CreateGraph page, 6, null", "CloseGraph first"}));
}

TEST_F(StdGraphTest, BothStopsAtTheFirstFailureAndQueriesAskTheFirstOnly) {
    Open(DIAGRAM_REAL_IMAGINARY);
    EXPECT_EQ(graph.Clear(), S_OK);
    EXPECT_EQ(graph.SetTitle("t"), S_OK);
    EXPECT_EQ(graph.GetNumberOfTraces(), S_OK);
    recording.results[13] = 7;
    EXPECT_EQ(graph.Clear(), 7);
    EXPECT_EQ(Calls(), (Lines{"ClearGraph first", "ClearGraph second", "SetGraphTitle first, t", "GetNumberOfTraces first",
                              "ClearGraph first"}));
}

TEST_F(StdGraphTest, FontReachesTheSecondGraphWhateverTheType) {
    Open(DIAGRAM_SINGLE_VALUE);
    graph.SetCurrentFont(12, 13, "Serif");
    // Attached to two graphs later, the second graph already has the font.
    graph.SetGraph(root, DIAGRAM_MAGNITUDE_PHASE, nullptr, nullptr);
    ASSERT_NE(graph.NthGraph(1), nullptr);
    EXPECT_EQ(graph.NthGraph(1)->GetFont().faceName, "Serif");
    EXPECT_EQ(graph.NthGraph(1)->GetFont().second, 13);
}

// Per type, what the two graphs send for one point of one trace with the numbers A to H.
TEST_F(StdGraphTest, PointValuesFollowTheDiagramType) {
    struct Row {
        GrapherDiagramType type;
        std::vector<double> numbers;
        std::string first, second;  // the values sent after X; "" when the graph is not in use
    };
    const Row rows[] = {
        {DIAGRAM_SINGLE_VALUE, {2, 3}, "2", ""},
        {DIAGRAM_REAL_IMAGINARY, {2, 3}, "2", "3"},
        {DIAGRAM_MAGNITUDE_PHASE, {2, -3}, "2", "-3"},
        {DIAGRAM_MAGNITUDE_PHASE_FROM_COMPLEX, {3, 4}, "5", "53.130102354152477"},
        {DIAGRAM_MAGNITUDE_PHASE_FROM_COMPLEX, {-1, 0}, "1", "180"},
        {DIAGRAM_MAGNITUDE_PHASE_FROM_COMPLEX, {0, -2}, "2", "-90"},
        {DIAGRAM_MAGNITUDE_PHASE_FROM_COMPLEX, {0, 0}, "0", "0"},
        // Reference 0 - 1, measured 0 - i: gain 1, phase 90 degrees.
        {DIAGRAM_GAIN_PHASE, {0, 0, 1, 0, 0, 0, 0, 1}, "1", "90"},
        {static_cast<GrapherDiagramType>(5), {2, 3}, "0", "0"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.type) + ": " + row.first + "/" + row.second);
        CStdGrapherGraph g;
        page.Create(5, g, row.type);
        g.AddTrace();
        std::vector<double> n = row.numbers;
        n.resize(8);
        EXPECT_EQ(g.SetXAxisGraphData(1), S_OK);
        EXPECT_EQ(g.SetNthGraphData(0, n[0], n[1], n[2], n[3], n[4], n[5], n[6], n[7]), S_OK);
        EXPECT_EQ(g.SetNthGraphData(3, 1, 1, 1, 1, 1, 1, 1, 1), S_OK);  // not a trace: not kept
        Mark();
        EXPECT_EQ(g.AddData(0, 0), S_OK);
        std::vector<std::string> sent;
        for (const RecordedCall& call : recording.CallsOf(16)) sent.push_back(call.arguments[2]);
        Lines expected{"1 " + row.first};
        if (!row.second.empty()) expected.push_back("1 " + row.second);
        EXPECT_EQ(sent, expected);
    }
}

TEST_F(StdGraphTest, AxisLabelsNameWhatEachGraphShows) {
    struct Row {
        GrapherDiagramType type;
        const char* unit;
        Lines byName, byNodeType;
    };
    const Row rows[] = {
        {DIAGRAM_SINGLE_VALUE, nullptr, {"first Vout"}, {"first 电压(伏)"}},
        {DIAGRAM_SINGLE_VALUE, "V", {"first Vout (V)"}, {"first 电压(伏) (V)"}},
        {DIAGRAM_REAL_IMAGINARY, nullptr, {"first Vout", "second Imaginary"},
         {"first 电压(伏) (Real)", "second 电压(伏) (Imaginary)"}},
        {DIAGRAM_MAGNITUDE_PHASE_FROM_COMPLEX, "dB", {"first Vout (dB)", "second Phase (deg) (dB)"},
         {"first 电压(伏) (dB)", "second 电压(伏) (dB)"}},
        {DIAGRAM_MAGNITUDE_PHASE, nullptr, {"first Vout", "second Phase (deg)"},
         {"first 电压(伏) (Magnitude)", "second 电压(伏) (Phase (deg))"}},
        {DIAGRAM_GAIN_PHASE, nullptr, {"first Vout (Gain)", "second Vout (Phase (deg))"},
         {"first 电压(伏) (Gain)", "second 电压(伏) (Phase (deg))"}},
        {DIAGRAM_GAIN_PHASE, "x", {"first Vout (x)", "second Vout (x)"}, {"first 电压(伏) (x)", "second 电压(伏) (x)"}},
        {static_cast<GrapherDiagramType>(5), nullptr, {}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.type) + (row.unit ? row.unit : " null"));
        CStdGrapherGraph g;
        page.Create(5, g, row.type);
        Name(static_cast<CGraph*>(*g.NthGraph(0)), "first");
        if (g.NthGraph(1) != nullptr) Name(static_cast<CGraph*>(*g.NthGraph(1)), "second");
        auto labels = [&] {
            Lines sent;
            for (const std::string& line : CallsTo("SetAxisLabel")) sent.push_back(line.substr(line.find(' ') + 1));
            for (std::string& line : sent) line.erase(line.find(", 1, "), 4);  // the position
            return sent;
        };
        Mark();
        EXPECT_EQ(g.SetAxisLabel(AXIS_POSITION_1, "Vout", row.unit), S_OK);
        EXPECT_EQ(labels(), row.byName);
        Mark();
        EXPECT_EQ(g.SetAxisLabel(AXIS_POSITION_1, NODE_VOLTAGE, row.unit), S_OK);
        EXPECT_EQ(labels(), row.byNodeType);
    }
}

TEST_F(StdGraphTest, MagnitudeAndPhaseKeepTheSecondGraphsXScaleAtZero) {
    Open(DIAGRAM_MAGNITUDE_PHASE);
    graph.SetAxisAttr(AXIS_POSITION_1, 1, 2, 3, SCALE_TYPE_2);
    graph.SetAxisAttr(AXIS_POSITION_0, 1, 2, 3, SCALE_TYPE_2);
    graph.SetAxisAttr(AXIS_POSITION_2, 1, 2, 3, GRIDTYPE(10));  // scales (2, 3): position 2 reads 3
    EXPECT_EQ(Calls(), (Lines{"SetAxisAttr first, 1, 1, 2, 3, 2", "SetAxisAttr second, 1, 1, 2, 3, 2",
                              "SetAxisAttr first, 0, 1, 2, 3, 2", "SetAxisAttr second, 0, 1, 2, 3, 0",
                              "SetAxisAttr first, 2, 1, 2, 3, 3", "SetAxisAttr second, 2, 1, 2, 3, 0"}));
    EXPECT_EQ(graph.NthGraph(1)->GetAxes(CGrapherGraph::AXES_DISPLAYED).GetScale(AXIS_POSITION_0), SCALE_TYPE_0);
}
