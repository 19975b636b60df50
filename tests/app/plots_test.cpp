// A transient and an AC sweep, as the terminal shows their measures and as the drawing plotting
// module's folder keeps them: a page per analysis with its traces and the table of its probes,
// and the run table, all agreeing with the terminal.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "session_support.h"
#include "tests/support/temp_dir.h"

using veltsimtest::Csv;
using veltsimtest::FindPage;
using veltsimtest::Page;
using veltsimtest::ReadCsv;
using veltsimtest::Sample;
using veltsimtest::SessionRun;

namespace {

double number(const std::string& text) { return std::atof(text.c_str()); }

void ExpectRelative(double actual, double expected, double tolerance) {
    EXPECT_NEAR(actual, expected, std::abs(expected) * tolerance) << "relative to " << expected;
}

// The data rows of a CSV whose first column lies in [from, to].
Csv rowsBetween(const Csv& csv, double from, double to) {
    Csv rows;
    for (std::size_t i = 1; i < csv.size(); ++i) {
        if (number(csv[i][0]) >= from && number(csv[i][0]) <= to) rows.push_back(csv[i]);
    }
    return rows;
}

constexpr const char* kRcPage = "RC low-pass driven by a 1 kHz sine: tran1 (Transient Analysis)";
constexpr const char* kAcPage = "RC low-pass filter, AC sweep: ac1 (AC Analysis)";

// The RC transient and the AC sweep in one session, their pages in a folder of their own.
struct PlotsTest : ::testing::Test {
    static void SetUpTestSuite() {
        folder = new TempDir;
        terminal = veltsimtest::RunScript("load " + Sample("rc_lowpass.cir") + "; probe V(out); window 5m 10m; run; meas; load " +
                                              Sample("filter_ac.cir") + "; probe out; at 1k; run",
                                          Plots());
    }
    static void TearDownTestSuite() { delete folder; }

    static std::string Plots() { return *folder / "plots"; }

    // The page's table: its one row agrees with the terminal's (the module shows six digits).
    static void ExpectTableAsShown(const Page& page, const std::vector<std::string>& shown) {
        ASSERT_EQ(page.tableCsv.size(), 1u);
        const Csv table = ReadCsv(page.tableCsv.front());
        ASSERT_EQ(table.size(), 2u);
        ASSERT_EQ(table[1].size(), shown.size());
        EXPECT_EQ(table[1][0], shown[0]);
        for (std::size_t column = 1; column < shown.size(); ++column) {
            SCOPED_TRACE(table[0][column]);
            ExpectRelative(number(table[1][column]), number(shown[column]), 1e-5);
        }
    }

    static TempDir* folder;
    static SessionRun terminal;
};

TempDir* PlotsTest::folder = nullptr;
SessionRun PlotsTest::terminal;

}  // namespace

// The results are ngspice's own .meas figures over the same window, to the digits it prints.
// Every step is drawn, and the extremes of the drawn data over the window are the extremes the
// results show.
TEST_F(PlotsTest, TransientMeasuresAgreeWithNgspiceAndThePageHoldsEveryStep) {
    ASSERT_EQ(terminal.status, 0);
    const std::vector<std::string> shown = terminal.Row("V(out)", terminal.Find("tran1: .tran, 10008 steps"));
    ASSERT_EQ(shown.size(), 10u);  // probe points from to min max pp avg rms integral
    EXPECT_EQ(shown[2], "0.005");
    EXPECT_EQ(shown[3], "0.01");
    const std::size_t meas = terminal.Find("> meas");
    const std::pair<const char*, std::size_t> names[] = {{"min_out", 4}, {"max_out", 5}, {"rms_out", 8}, {"integ_out", 9}};
    for (const auto& [name, cell] : names) ExpectRelative(number(shown[cell]), number(terminal.Row(name, meas)[2]), 1e-6);

    const Page page = FindPage(Plots(), kRcPage);
    ASSERT_EQ(page.graphCsv.size(), 1u);
    const Csv data = ReadCsv(page.graphCsv.front());
    ASSERT_EQ(data.size(), 1u + 10008u);
    EXPECT_EQ(data.front(), (std::vector<std::string>{"Time (s)", "V(out)"}));
    double min = INFINITY;
    double max = -INFINITY;
    for (const auto& row : rowsBetween(data, 5e-3, 10e-3)) {
        min = std::min(min, number(row[1]));
        max = std::max(max, number(row[1]));
    }
    ExpectRelative(min, number(shown[4]), 1e-6);
    ExpectRelative(max, number(shown[5]), 1e-6);
    ExpectTableAsShown(page, shown);
}

// At the corner, -3 dB and -45 degrees; magnitude and phase each a graph of the 401 points, on
// logarithmic scales as a person reads a sweep.
TEST_F(PlotsTest, AcCornerAndThePageHoldsMagnitudeAndPhaseOfEveryPoint) {
    ASSERT_EQ(terminal.status, 0);
    const std::vector<std::string> shown = terminal.Row("V(out)", terminal.Find("ac1: .ac"));
    ASSERT_EQ(shown.size(), 13u);  // probe points, the sweep's figures, frequency gain phase
    EXPECT_EQ(shown[1], "401");
    EXPECT_NEAR(number(shown[5]), 1000.0, 0.2);  // the low-pass's -3 dB edge
    EXPECT_NEAR(number(shown[11]), -3.01, 0.01);
    EXPECT_NEAR(number(shown[12]), -45.0, 0.1);
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
    ExpectTableAsShown(page, shown);
    // Both draw against decades of frequency, the magnitude against decades too.
    ASSERT_EQ(page.graphSvg.size(), 2u);
    for (const std::string& svg : page.graphSvg) {
        const std::string text = ReadFile(svg);
        for (const char* tick : {">100<", ">1k<", ">10k<", ">100k<", ">V(out)<"}) EXPECT_NE(text.find(tick), std::string::npos) << tick;
    }
    EXPECT_NE(ReadFile(page.graphSvg[0]).find(">100m<"), std::string::npos);
}

TEST_F(PlotsTest, RunTableHasOneRowPerRun) {
    const Page page = FindPage(Plots(), "Runs");
    ASSERT_EQ(page.tableCsv.size(), 1u);
    Csv table = ReadCsv(page.tableCsv.front());
    ASSERT_EQ(table.size(), 3u);
    for (std::size_t run = 1; run <= 2; ++run) {  // run, time, output value, sum, parameter
        ASSERT_EQ(table[run].size(), 5u);
        EXPECT_GT(number(table[run][1]), 0.0);
        table[run][1] = "t";
        table[run][4] = table[run][4].substr(table[run][4].rfind('/') + 1);
    }
    EXPECT_EQ(table[1], (std::vector<std::string>{"1", "t", "V(out): rms 1.165538, integral 0.005", "10008",
                                                  "rc_lowpass.cir: run, .tran, finished"}));
    EXPECT_EQ(table[2], (std::vector<std::string>{"2", "t", "V(out): gain (dB) -3.0103, phase (deg) -45", "401",
                                                  "filter_ac.cir: run, .ac, finished"}));
}
