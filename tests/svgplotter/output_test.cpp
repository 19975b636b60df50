#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "plot_fixture.h"
#include "svgplotter/atomic_file.h"
#include "svgplotter/graph_view.h"
#include "svgplotter/svg_writer.h"

namespace {

using Output = PlotFixture;

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Runs xmllint on the file; false with the reason when it is not well-formed XML.
::testing::AssertionResult wellFormed(const std::string& file) {
    std::string command = "xmllint --noout '" + file + "' 2>&1";
    if (std::system(command.c_str()) != 0) return ::testing::AssertionFailure() << file << " is not well-formed";
    return ::testing::AssertionSuccess();
}

bool haveXmllint() { return std::system("command -v xmllint >/dev/null 2>&1") == 0; }

}  // namespace

TEST_F(Output, UpdateWritesThePageItsGraphsAndTablesAndLeavesNoTemporaryFile) {
    CGraphPage* page = nullptr;
    CGraph* graph = NewGraph(2, &page);
    ASSERT_EQ(grapher.SetPageTitle(page, "Transient <run 1>"), S_OK);
    ASSERT_EQ(grapher.SetTraceLabel(graph, 0, "V(in)"), S_OK);
    ASSERT_EQ(grapher.SetTraceLabel(graph, 1, "I(r1), mA"), S_OK);
    ASSERT_EQ(grapher.SetAxisLabel(graph, AXIS_POSITION_0, "Time (s)"), S_OK);
    for (int i = 0; i < 3; ++i) ASSERT_EQ(Add(graph, {i * 1e-3, i * 0.5, 0.1 * i}), S_OK);
    CChart* chart = nullptr;
    ASSERT_EQ(grapher.CreateChart(page, 2, &chart), S_OK);
    ASSERT_EQ(grapher.AddColumn(chart, "Run", 100, ChartType{0}), S_OK);
    ASSERT_EQ(grapher.AddRow(chart), S_OK);
    ASSERT_EQ(grapher.SetRowItemText(chart, 0, 0, "first, \"quoted\""), S_OK);
    ASSERT_EQ(grapher.UpdateDisplay(graph), S_OK);

    std::vector<std::string> files = Files();
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"index.html", "page1-graph2.csv", "page1-graph2.svg", "page1-table3.csv",
                                               "page1.html"}));
    // The traces share their X values, so the CSV has one X column.
    EXPECT_EQ(ReadFile(Out("page1-graph2.csv")), "Time (s),V(in),\"I(r1), mA\"\n0,0,0\n0.001,0.5,0.1\n0.002,1,0.2\n");
    EXPECT_EQ(ReadFile(Out("page1-table3.csv")), "Run\n\"first, \"\"quoted\"\"\"\n");
    std::string html = ReadFile(Out("page1.html"));
    EXPECT_TRUE(contains(html, "<h1>Transient &lt;run 1&gt;</h1>"));
    EXPECT_TRUE(contains(html, ReadFile(Out("page1-graph2.svg"))));  // the graph inline
    EXPECT_TRUE(contains(html, "<td>first, &quot;quoted&quot;</td>"));
    EXPECT_TRUE(contains(html, "http-equiv=\"refresh\""));  // open pages follow the data
    EXPECT_TRUE(contains(ReadFile(Out("index.html")), "href=\"page1.html\""));

    // Closing the page writes it for the last time, without the reload.
    ASSERT_EQ(grapher.ClosePage(page), S_OK);
    EXPECT_FALSE(contains(ReadFile(Out("page1.html")), "http-equiv=\"refresh\""));
    for (const std::string& name : Files()) EXPECT_NE(name[0], '.') << name;
}

TEST_F(Output, TracesWithTheirOwnXValuesGetTheirOwnXColumns) {
    CGraph* graph = NewGraph(2);
    ASSERT_EQ(Add(graph, {0, 1, 2}), S_OK);
    double second[] = {5, 6};
    ASSERT_EQ(grapher.AddData(graph, 1, second, 1, 1, 0), S_OK);
    ASSERT_EQ(grapher.UpdatePlotDisplay(graph), S_OK);
    EXPECT_EQ(ReadFile(Out("page1-graph2.csv")), "X,Trace 0,X,Trace 1\n0,1,0,2\n,,5,6\n");
}

TEST_F(Output, SavedScopeAndBodeDataComeFromThePagesGraphs) {
    CGraphPage* page = nullptr;
    CGraph* gain = NewGraph(1, &page);
    CGraph* phase = nullptr;
    ASSERT_EQ(grapher.CreateGraph(page, 1, &phase), S_OK);
    ASSERT_EQ(grapher.AddTrace(phase), S_OK);
    ASSERT_EQ(grapher.SetAxisLabel(gain, AXIS_POSITION_3, "Gain"), S_OK);
    ASSERT_EQ(grapher.SetAxisLabel(phase, AXIS_POSITION_3, "Phase (deg)"), S_OK);
    for (double f : {10.0, 100.0}) {
        ASSERT_EQ(Add(gain, {f, 20 / f}), S_OK);
        ASSERT_EQ(Add(phase, {f, -f / 10}), S_OK);
    }
    ASSERT_EQ(grapher.SaveBodeData(page, CString("bode.csv"), CString("Frequency")), S_OK);
    EXPECT_EQ(ReadFile(Out("bode.csv")), "Frequency,Trace 0 (Gain),Trace 0 (Phase (deg))\n10,2,-1\n100,0.2,-10\n");
    std::string absolute = dir / "scope.csv";
    ASSERT_EQ(grapher.SaveScopeData(page, CString(absolute), CString("")), S_OK);
    EXPECT_EQ(ReadFile(absolute), "X,Trace 0\n10,2\n100,0.2\n");
    EXPECT_EQ(grapher.SaveScopeData4ch(page, CString(""), CString("")), E_INVALIDARG);
    EXPECT_EQ(grapher.SaveScopeData(NewPage(), CString("none.csv"), CString("")), E_FAIL);  // no graph
}

// The data file is the largest by far: a new axis range or title redraws the picture only.
TEST_F(Output, TheDataFileIsWrittenAgainOnlyWhenThePointsOrHeadingsChange) {
    CGraph* graph = NewGraph(1);
    ASSERT_EQ(Add(graph, {0, 1}), S_OK);
    ASSERT_EQ(grapher.UpdateDisplay(graph), S_OK);
    auto rewritten = [&](auto change) {
        std::filesystem::remove(Out("page1-graph2.csv"));
        std::filesystem::remove(Out("page1-graph2.svg"));
        EXPECT_EQ(change(), S_OK);
        EXPECT_EQ(grapher.UpdateDisplay(graph), S_OK);
        EXPECT_TRUE(std::filesystem::exists(Out("page1-graph2.svg")));
        return std::filesystem::exists(Out("page1-graph2.csv"));
    };
    EXPECT_FALSE(rewritten([&] { return grapher.SetAxisRange(graph, AXIS_POSITION_3, 0, 5); }));
    EXPECT_FALSE(rewritten([&] { return grapher.SetGraphTitle(graph, "refit"); }));
    EXPECT_TRUE(rewritten([&] { return grapher.SetTraceLabel(graph, 0, "V(out)"); }));
    EXPECT_TRUE(rewritten([&] { return Add(graph, {1, 2}); }));
    EXPECT_TRUE(rewritten([&] { return grapher.DeleteData(graph, 0); }));
    EXPECT_TRUE(rewritten([&] { return grapher.DeleteGraphData(graph); }));
}

TEST_F(Output, AFolderThatCannotBeMadeIsReportedAndTheNextRefreshRetries) {
    CGraph* graph = NewGraph(1);
    dir.Touch("file");
    grapher.SetOutputDirectory(dir / "file/below");
    ASSERT_EQ(Add(graph, {0, 1}), S_OK);
    EXPECT_EQ(grapher.UpdateDisplay(graph), E_FAIL);
    grapher.SetOutputDirectory(dir / "later");
    EXPECT_EQ(grapher.UpdateDisplay(graph), S_OK);
    EXPECT_TRUE(std::filesystem::exists(dir / "later/page1-graph2.svg"));
    // A new folder gets every file, changed or not.
    grapher.SetOutputDirectory(dir / "again");
    EXPECT_EQ(grapher.UpdateDisplay(graph), S_OK);
    EXPECT_TRUE(std::filesystem::exists(dir / "again/page1-graph2.csv"));
}

TEST_F(Output, TheFolderComesFromTheCallThenTheVariableThenTheCurrentDirectory) {
    ::setenv("VELT_GRAPHER_OUTPUT", (dir / "from-variable").c_str(), 1);
    EXPECT_EQ(grapher.OutputDirectory(), dir / "out");
    grapher.SetOutputDirectory("");
    EXPECT_EQ(grapher.OutputDirectory(), dir / "from-variable");
    ::unsetenv("VELT_GRAPHER_OUTPUT");
    EXPECT_EQ(grapher.OutputDirectory(), "grapher-output");
    grapher.SetOutputDirectory("relative");
    EXPECT_EQ(grapher.OutputDirectory(), std::filesystem::current_path() / "relative");
}

TEST(AtomicFile, AnUncommittedFileLeavesTheTargetAndNoTemporaryFile) {
    TempDir dir;
    std::string target = dir / "data.csv";
    ASSERT_TRUE(svgplotter::WriteFileAtomically(target, "old"));
    {
        svgplotter::AtomicFile file(target);
        EXPECT_TRUE(file.Write("new, but abandoned"));
        EXPECT_EQ(ReadFile(target), "old");  // readers see the old file while the new one is written
    }
    EXPECT_EQ(ReadFile(target), "old");
    ASSERT_TRUE(svgplotter::WriteFileAtomically(target, "new"));
    EXPECT_EQ(ReadFile(target), "new");
    int entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir / "")) entries += entry.exists() ? 1 : 0;
    EXPECT_EQ(entries, 1);
    EXPECT_FALSE(svgplotter::WriteFileAtomically(dir / "missing/data.csv", "x"));
}

// A killed writer leaves its temporary files; the next writer into the folder removes those
// whose process is gone and that nothing wrote to for a while, and nothing else.
TEST_F(Output, TheFirstWriteIntoAFolderRemovesTheTemporaryFilesOfKilledWriters) {
    pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ASSERT_GT(child, 0);
    ASSERT_EQ(::waitpid(child, nullptr, 0), child);
    const std::string gone = std::to_string(child), live = std::to_string(::getpid());
    const std::vector<std::string> stale{".page1.html." + gone + "-3.tmp"};
    const std::vector<std::string> kept{".page1.html." + gone + "-4.tmp",  // written to a moment ago
                                        ".page1.html." + live + "-5.tmp", ".notes." + gone + ".tmp",
                                        "page1.html." + gone + "-6.tmp", ".page1.html." + gone + "-x7.tmp"};
    dir.MakeDir("out");
    for (const std::string& name : stale) dir.Touch("out/" + name);
    for (const std::string& name : kept) dir.Touch("out/" + name);
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::minutes(2);
    for (const std::string& name : stale) std::filesystem::last_write_time(Out(name), old);
    for (std::size_t i = 1; i < kept.size(); ++i) std::filesystem::last_write_time(Out(kept[i]), old);
    NewPage();
    for (const std::string& name : stale) EXPECT_FALSE(std::filesystem::exists(Out(name))) << name;
    for (const std::string& name : kept) EXPECT_TRUE(std::filesystem::exists(Out(name))) << name;
}

TEST_F(Output, PicturesAreWellFormedXmlWhateverTheTextsHold) {
    if (!haveXmllint()) GTEST_SKIP() << "xmllint (Debian package libxml2-utils) is not installed";
    CGraphPage* page = nullptr;
    CGraph* graph = NewGraph(3, &page);
    ASSERT_EQ(grapher.SetGraphTitle(graph, "a < b & \"c\" \x01 \xff\xfe end"), S_OK);
    ASSERT_EQ(grapher.SetTraceLabel(graph, 0, "<script>"), S_OK);
    ASSERT_EQ(grapher.SetAxisLabel(graph, AXIS_POSITION_1, "µV ' ]]>"), S_OK);
    ASSERT_EQ(grapher.SetTraceAxis(graph, 1, AXIS_POSITION_2, AXIS_POSITION_1), S_OK);
    ASSERT_EQ(grapher.SetAxisAttr(graph, AXIS_POSITION_2, 0, 0, 0, SCALE_TYPE_1), S_OK);
    ASSERT_EQ(grapher.SetTracePen(graph, 2, svgplotter::kPenDashDot, 0x00ff00), S_OK);
    ASSERT_EQ(grapher.ShowOneCrosshair(graph, 0, 1), S_OK);
    ASSERT_EQ(grapher.SetShowSelTraceMarks(graph, 1), S_OK);
    for (int i = 0; i < 50; ++i) ASSERT_EQ(Add(graph, {i + 1.0, std::sin(i), i % 7 == 0 ? NAN : i * 1.0, -i * 1.0}), S_OK);
    ASSERT_EQ(grapher.SetCrosshairPosition(graph, 0, 0, 10, 0), S_OK);
    CChart* chart = nullptr;
    ASSERT_EQ(grapher.CreateChart(page, 2, &chart), S_OK);
    ASSERT_EQ(grapher.AddColumn(chart, "<&>", 100, ChartType{2}), S_OK);
    ASSERT_EQ(grapher.SetShowLeftHeader(chart, 1), S_OK);
    ASSERT_EQ(grapher.AddRow(chart), S_OK);
    ASSERT_EQ(grapher.SetRowItemText(chart, 0, 0, "\x02 bad"), S_OK);
    ASSERT_EQ(grapher.UpdateDisplay(graph), S_OK);
    EXPECT_TRUE(wellFormed(Out("page1-graph2.svg")));
    // The page is HTML, but written so that an XML reader takes it too.
    std::string page1 = ReadFile(Out("page1.html"));
    std::string xhtml = dir / "page.xml";
    std::ofstream(xhtml) << page1.substr(page1.find("<html>"));
    EXPECT_TRUE(wellFormed(xhtml));
}

TEST(GraphSvg, TenMillionPointsDrawInLessThanAMegabyteAndKeepASpike) {
    constexpr std::size_t n = 10'000'000;
    svgplotter::Graph graph;
    graph.traces.emplace_back();
    svgplotter::Trace& trace = graph.traces.back();
    trace.colour = 0x0000ff;
    for (std::size_t i = 0; i < n; ++i) {
        trace.x.push_back(static_cast<double>(i) * 1e-6);
        trace.y.push_back(i == 7'777'777 ? 5.0 : std::sin(static_cast<double>(i) * 1e-4));
    }
    std::string svg = svgplotter::GraphSvg(graph, 1);
    EXPECT_LT(svg.size(), 1'000'000u);

    // The spike is the highest point of the line: within the top tenth of the plot, where the
    // sine (at most 1 of -1..5) never goes.
    svgplotter::GraphView view = svgplotter::ViewOf(graph);
    std::size_t d = svg.find(" d=\"M", svg.find("class=\"trace\""));
    ASSERT_NE(d, std::string::npos);
    std::istringstream path(svg.substr(d + 5, svg.find('"', d + 5) - d - 5));
    double top = 1e9, x, y;
    char c;
    while (path >> x >> y) {
        top = std::min(top, y);
        if (path.peek() == 'M' || path.peek() == 'h') path >> c;
    }
    EXPECT_LT(top, view.top + 0.1 * (view.bottom - view.top));
    EXPECT_GE(top, view.top);
}

TEST(GraphView, AnyNumberOfTracesLeavesRoomForThePlot) {
    svgplotter::Graph graph;
    for (int i = 0; i < 300; ++i) {
        graph.traces.emplace_back();
        graph.traces.back().label = "V(node" + std::to_string(i) + ")";
    }
    svgplotter::GraphView view = svgplotter::ViewOf(graph);
    EXPECT_GT(view.bottom - view.top, 200);
    EXPECT_LT(view.legend.size(), 300u);
    EXPECT_GT(view.legend.size(), 10u);
}
