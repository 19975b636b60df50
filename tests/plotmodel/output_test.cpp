#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "plot_fixture.h"
#include "plotmodel/atomic_file.h"

namespace {

using Output = PlotFixture;
using namespace std::chrono_literals;

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

}  // namespace

TEST_F(Output, UpdateWritesThePageItsGraphsAndTablesAndLeavesNoTemporaryFile) {
    CGraphPage* page = nullptr;
    CGraph* graph = NewGraph(2, &page);
    ASSERT_EQ(grapher.SetPageTitle(page, "Transient <run 1>"), S_OK);
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
    EXPECT_EQ(ReadFile(Out("page1-graph2.csv")), "Time (s),Trace 0,\"I(r1), mA\"\n0,0,0\n0.001,0.5,0.1\n0.002,1,0.2\n");
    EXPECT_EQ(ReadFile(Out("page1-table3.csv")), "Run\n\"first, \"\"quoted\"\"\"\n");
    std::string html = ReadFile(Out("page1.html"));
    EXPECT_TRUE(contains(html, "<h1>Transient &lt;run 1&gt;</h1>"));
    EXPECT_TRUE(contains(html, ReadFile(Out("page1-graph2.svg"))));  // the graph inline
    EXPECT_TRUE(contains(html, "http-equiv=\"refresh\""));          // open pages follow the data

    // Closing the page writes it for the last time, without the reload.
    ASSERT_EQ(grapher.ClosePage(page), S_OK);
    EXPECT_FALSE(contains(ReadFile(Out("page1.html")), "http-equiv=\"refresh\""));
    for (const std::string& name : Files()) EXPECT_NE(name[0], '.') << name;
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
    EXPECT_TRUE(rewritten([&] { return grapher.SetTraceLabel(graph, 0, "V(out)"); }));
    EXPECT_TRUE(rewritten([&] { return Add(graph, {1, 2}); }));
    EXPECT_TRUE(rewritten([&] { return grapher.DeleteData(graph, 0); }));
    EXPECT_TRUE(rewritten([&] { return grapher.DeleteGraphData(graph); }));
}

TEST_F(Output, AFolderThatCannotBeMadeIsReportedAndANewOneGetsEveryFile) {
    CGraph* graph = NewGraph(1);
    ASSERT_EQ(grapher.UpdateDisplay(graph), S_OK);
    dir.Touch("file");
    grapher.SetOutputDirectory(dir / "file/below");
    EXPECT_EQ(grapher.UpdateDisplay(graph), E_FAIL);
    // A new folder gets every file, changed or not.
    grapher.SetOutputDirectory(dir / "again");
    EXPECT_EQ(grapher.UpdateDisplay(graph), S_OK);
    EXPECT_TRUE(std::filesystem::exists(dir / "again/page1-graph2.csv"));
}

TEST(AtomicFile, AnUncommittedFileLeavesTheTargetAndNoTemporaryFile) {
    TempDir dir;
    std::string target = dir / "data.csv";
    ASSERT_TRUE(plotmodel::WriteFileAtomically(target, "old"));
    {
        plotmodel::AtomicFile file(target);
        EXPECT_TRUE(file.Write("new, but abandoned"));
    }
    EXPECT_EQ(ReadFile(target), "old");
    ASSERT_TRUE(plotmodel::WriteFileAtomically(target, "new"));
    EXPECT_EQ(ReadFile(target), "new");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / ""), {}), 1);
}

// A killed writer leaves its temporary files; the next writer into the folder removes those
// whose process is gone and that nothing wrote to for a while, and nothing else.
TEST_F(Output, TheFirstWriteIntoAFolderRemovesTheTemporaryFilesOfKilledWriters) {
    pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ASSERT_EQ(::waitpid(child, nullptr, 0), child);
    const std::string gone = std::to_string(child), live = std::to_string(::getpid());
    // Each name, and whether it goes; all but the first were last written two minutes ago.
    const std::pair<std::string, bool> files[] = {
        {".page1.html." + gone + "-4.tmp", false}, {".page1.html." + gone + "-3.tmp", true},
        {".page1.html." + live + "-5.tmp", false}, {".notes." + gone + ".tmp", false},
        {"page1.html." + gone + "-6.tmp", false},  {".page1.html." + gone + "-x7.tmp", false}};
    dir.MakeDir("out");
    for (const auto& [name, removed] : files) {
        dir.Touch("out/" + name);
        if (&name != &files[0].first)
            std::filesystem::last_write_time(Out(name), std::filesystem::file_time_type::clock::now() - 2min);
    }
    NewPage();
    for (const auto& [name, removed] : files) EXPECT_NE(std::filesystem::exists(Out(name)), removed) << name;
}
