// What a run leaves in the drawing plotting module's folder: a page per analysis with its
// traces and the table of its probes, and the run table, all agreeing with what the terminal
// showed.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "plot_files.h"
#include "session_support.h"
#include "tests/support/browser_shot.h"
#include "tests/support/temp_dir.h"

using veltsimtest::Csv;
using veltsimtest::FindPage;
using veltsimtest::Page;
using veltsimtest::ReadCsv;
using veltsimtest::Sample;
using veltsimtest::SessionRun;

namespace {

double number(const std::string& text) { return std::atof(text.c_str()); }

// The data rows of a CSV whose first column lies in [from, to].
Csv rowsBetween(const Csv& csv, double from, double to) {
    Csv rows;
    for (std::size_t i = 1; i < csv.size(); ++i) {
        const double x = number(csv[i][0]);
        if (x >= from && x <= to) rows.push_back(csv[i]);
    }
    return rows;
}

void expectRelative(double actual, double expected, double tolerance) {
    EXPECT_NEAR(actual, expected, std::abs(expected) * tolerance) << "relative to " << expected;
}

constexpr const char* kRcPage = "RC low-pass driven by a 1 kHz sine: tran1 (Transient Analysis)";
constexpr const char* kAcPage = "RC low-pass filter, AC sweep: ac1 (AC Analysis)";

// The RC transient and the AC sweep in one session, their pages in a folder of their own.
struct PlotsTest : ::testing::Test {
    static void SetUpTestSuite() {
        folder = new TempDir;
        veltsim::SessionOptions options = veltsimtest::ScriptOptions(
            "load " + Sample("rc_lowpass.cir") + "; probe V(out); window 5m 10m; run; load " + Sample("filter_ac.cir") +
                "; probe out; at 1k; run",
            terminal.lines);
        options.plots = *folder / "plots";
        veltsim::Session session(std::move(options));
        terminal.status = session.Execute();
    }
    static void TearDownTestSuite() { delete folder; }

    static std::string Plots() { return *folder / "plots"; }

    static TempDir* folder;
    static SessionRun terminal;
};

TempDir* PlotsTest::folder = nullptr;
SessionRun PlotsTest::terminal;

}  // namespace

// Every step of the transient is drawn, and its measures agree with the accumulators': the
// page's table holds the terminal's numbers, and the extremes of the drawn data over the window
// are the extremes the accumulators found.
TEST_F(PlotsTest, TransientPageHoldsEveryStepAndTheMeasures) {
    ASSERT_EQ(terminal.status, 0);
    const Page page = FindPage(Plots(), kRcPage);
    ASSERT_FALSE(page.html.empty());
    ASSERT_EQ(page.graphCsv.size(), 1u);
    ASSERT_EQ(page.tableCsv.size(), 1u);
    const std::vector<std::string> shown = terminal.Row("V(out)", terminal.Find("tran1: .tran, 10008 steps"));
    ASSERT_EQ(shown.size(), 8u);  // probe points from to min max rms integral

    const Csv data = ReadCsv(page.graphCsv.front());
    ASSERT_EQ(data.size(), 1u + 10008u);
    EXPECT_EQ(data.front(), (std::vector<std::string>{"Time (s)", "V(out)"}));
    double min = INFINITY;
    double max = -INFINITY;
    for (const auto& row : rowsBetween(data, 5e-3, 10e-3)) {
        min = std::min(min, number(row[1]));
        max = std::max(max, number(row[1]));
    }
    expectRelative(min, number(shown[4]), 1e-6);
    expectRelative(max, number(shown[5]), 1e-6);

    // The module shows six digits.
    const Csv table = ReadCsv(page.tableCsv.front());
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[0], (std::vector<std::string>{"probe", "points", "from", "to", "min", "max", "rms", "integral"}));
    ASSERT_EQ(table[1].size(), 8u);
    EXPECT_EQ(table[1][0], "V(out)");
    for (std::size_t column = 1; column < 8; ++column) {
        SCOPED_TRACE(table[0][column]);
        expectRelative(number(table[1][column]), number(shown[column]), 1e-5);
    }
}

// Magnitude and phase, each a graph of the 401 sweep points, and the table's gain and phase at
// the corner as the terminal showed them.
TEST_F(PlotsTest, AcPageHoldsMagnitudeAndPhaseOfEveryPoint) {
    ASSERT_EQ(terminal.status, 0);
    const Page page = FindPage(Plots(), kAcPage);
    ASSERT_EQ(page.graphCsv.size(), 2u);
    const double expected[] = {1.0 / std::sqrt(2.0), -45.0};
    for (int graph = 0; graph < 2; ++graph) {
        SCOPED_TRACE(page.graphCsv[graph]);
        const Csv data = ReadCsv(page.graphCsv[graph]);
        ASSERT_EQ(data.size(), 1u + 401u);
        EXPECT_EQ(data.front()[0], "Frequency (Hz)");
        const Csv corner = rowsBetween(data, 999.999, 1000.001);  // ngspice steps to 999.9999999999944
        ASSERT_EQ(corner.size(), 1u);
        EXPECT_NEAR(number(corner.front()[1]), expected[graph], 1e-4);
    }
    const std::vector<std::string> shown = terminal.Row("V(out)", terminal.Find("ac1: .ac"));
    ASSERT_EQ(shown.size(), 5u);  // probe points frequency gain phase
    ASSERT_EQ(page.tableCsv.size(), 1u);
    const Csv table = ReadCsv(page.tableCsv.front());
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[1][1], "401");
    expectRelative(number(table[1][3]), number(shown[3]), 1e-5);
    expectRelative(number(table[1][4]), number(shown[4]), 1e-5);
}

TEST_F(PlotsTest, RunTableHasOneRowPerRun) {
    const Page page = FindPage(Plots(), "Runs");
    ASSERT_EQ(page.tableCsv.size(), 1u);
    const Csv table = ReadCsv(page.tableCsv.front());
    ASSERT_EQ(table.size(), 3u);
    ASSERT_EQ(table[0].size(), 5u);  // run, time, output value, sum, parameter
    const struct {
        const char* run;
        const char* output;
        const char* steps;
        const char* parameter;
    } rows[] = {
        {"1", "V(out): rms 1.165538, integral 0.005000004", "10008", "rc_lowpass.cir: run, .tran, finished"},
        {"2", "V(out): gain (dB) -3.0103, phase (deg) -45", "401", "filter_ac.cir: run, .ac, finished"},
    };
    for (std::size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(rows[i].run);
        const std::vector<std::string>& row = table[i + 1];
        EXPECT_EQ(row[0], rows[i].run);
        EXPECT_GT(number(row[1]), 0.0);
        EXPECT_EQ(row[2], rows[i].output);
        EXPECT_EQ(row[3], rows[i].steps);
        EXPECT_TRUE(row[4].ends_with(rows[i].parameter)) << row[4];
    }
}

// Each picture is well-formed XML that a browser can take, and draws its trace with its label.
TEST_F(PlotsTest, PicturesAreWellFormedAndDrawTheirTraces) {
    if (!velttest::HaveTool("xmllint")) GTEST_SKIP() << "xmllint (Debian package libxml2-utils) is not installed";
    std::vector<std::string> pictures = FindPage(Plots(), kRcPage).graphSvg;
    for (const std::string& svg : FindPage(Plots(), kAcPage).graphSvg) pictures.push_back(svg);
    ASSERT_EQ(pictures.size(), 3u);
    for (const std::string& svg : pictures) {
        SCOPED_TRACE(svg);
        EXPECT_EQ(std::system(("xmllint --noout '" + svg + "'").c_str()), 0);
        const std::string text = ReadFile(svg);
        EXPECT_NE(text.find("<path class=\"trace\""), std::string::npos);
        EXPECT_NE(text.find(">V(out)<"), std::string::npos);
    }
    EXPECT_NE(ReadFile(Plots() + "/index.html").find(kAcPage), std::string::npos);
}

// The AC page as a browser shows it: in both graphs the low-pass's trace starts high at the
// left and ends low at the right (magnitude from 1 to 0.01, phase from 0 to -90 degrees).
TEST_F(PlotsTest, BrowserShowsTheSweepFallingInBothGraphs) {
    if (const std::string why = velttest::ShotUnavailable(); !why.empty()) GTEST_SKIP() << why;
    TempDir shots;
    velttest::Image image;
    std::string log;
    ASSERT_TRUE(velttest::TakeShot(FindPage(Plots(), kAcPage).html, 1000, 1200, shots, image, log)) << log;
    // The page's layout: a 48-pixel header, then each graph an 800 × 480 picture, 8 pixels in,
    // its plot area 84 to 784 across and 36 to 410 down, with a line of links below it.
    constexpr int kGraphTops[] = {48 + 8, 48 + 8 + 480 + 18 + 8};
    for (int top : kGraphTops) {
        SCOPED_TRACE(top);
        const int plotTop = top + 36, plotBottom = top + 410, middle = (plotTop + plotBottom) / 2;
        const int left = 8 + 84, right = 8 + 784;
        EXPECT_GT(image.Count(left, plotTop, left + 60, middle, velttest::IsRed), 20);
        EXPECT_EQ(image.Count(left, middle, left + 60, plotBottom, velttest::IsRed), 0);
        EXPECT_GT(image.Count(right - 60, middle, right, plotBottom, velttest::IsRed), 20);
        EXPECT_EQ(image.Count(right - 60, plotTop, right, middle, velttest::IsRed), 0);
    }
    if (HasFailure()) std::filesystem::copy_file(shots / "shot.png", VELT_TEST_BINARY_DIR "/veltsim-ac-page.png",
                                                 std::filesystem::copy_options::overwrite_existing);
}

// A stopped run keeps what was drawn: every step taken up to the stop is on the page.
TEST(Plots, StoppedRunKeepsEveryStepDrawnSoFar) {
    TempDir dir;
    bool referencesBack = false;
    const SessionRun run = veltsimtest::RunPerson(
        {
            {"", "load " + veltsimtest::LongDeck(dir / "") + "\nprobe out\nrun"},
            {"analysis (Transient Analysis) begun", "status"},
            {"running: .tran", "stop"},
            {"stopped by request", "quit"},
        },
        dir / "plots", referencesBack);
    ASSERT_EQ(run.status, 0);
    const std::size_t stopped = run.Find(".tran analysis stopped after ");
    ASSERT_LT(stopped, run.lines.size());
    const std::size_t steps = std::strtoul(run.lines[stopped].c_str() + run.lines[stopped].rfind("after ") + 6, nullptr, 10);
    const Page page = FindPage(dir / "plots", "RC low-pass driven by a 1 kHz sine: tran1 (Transient Analysis)");
    ASSERT_EQ(page.graphCsv.size(), 1u);
    EXPECT_EQ(ReadCsv(page.graphCsv.front()).size(), 1 + steps);
    EXPECT_TRUE(referencesBack);
}
