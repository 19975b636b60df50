// The instruments as a person uses them from the command line: made, wired, shown and listed,
// measuring the transients the simulator runs, and kept with the circuit from one session to
// the next.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "plot_files.h"
#include "scope.h"
#include "session_support.h"
#include "tests/support/temp_dir.h"

using veltsimtest::RunScript;
using veltsimtest::Sample;
using veltsimtest::SessionRun;

namespace {

// A copy of a sample deck: the instruments are stored beside the deck they belong to.
std::string copyOf(const TempDir& dir, const std::string& sample) {
    const std::string deck = dir / sample;
    std::filesystem::copy_file(Sample(sample), deck);
    return deck;
}

double number(const std::vector<std::string>& row, std::size_t cell) {
    EXPECT_LT(cell, row.size());
    return cell < row.size() ? std::atof(row[cell].c_str()) : 0.0;
}

// The value after `name ` in a line such as "XMM1 Meter: XMM1 on V(out), rms 1.17, mean 1".
double reading(const std::string& line, const std::string& name) {
    const std::size_t at = line.find(", " + name + " ");
    EXPECT_NE(at, std::string::npos) << name << " in " << line;
    return at == std::string::npos ? 0.0 : std::atof(line.c_str() + at + name.size() + 3);
}

}  // namespace

// The person's session: a scope made, wired and shown, a run, a line typed while it runs
// answered before it ends, a stop, quit; every reference count back where it started. The next
// session finds the scope again, wired and shown, with the deck.
TEST(Instruments, PersonsSessionWithAScopeAndItsReturn) {
    TempDir dir;
    const std::string deck = veltsimtest::LongDeck(dir / "");
    bool referencesBack = false;
    const SessionRun run = veltsimtest::RunPerson(
        {
            {"", "load " + deck + "\nnew XSC1\nsetnode XSC1 1 out\nshow XSC1\nrun"},
            {"analysis (Transient Analysis) begun", "listing"},
            {"XSC1[CEventSink-->Oscilloscope]", "stop"},
            {"stopped by request", "quit"},
        },
        dir / "plots", referencesBack);
    ASSERT_EQ(run.status, 0);
    EXPECT_TRUE(run.Has("XSC1 Oscilloscope: A V(out), B not wired"));
    const std::size_t listed = run.Find("XSC1[CEventSink-->Oscilloscope]");
    ASSERT_LT(listed, run.lines.size());
    EXPECT_LT(listed, run.Find("stopped by request"));
    EXPECT_TRUE(referencesBack);
    // The scope drew channel A on a page of its own, the steps taken before the stop (none when
    // the stop came first).
    ASSERT_LT(run.Find("stopped by request after "), run.lines.size());
    const std::string& stopped = run.lines[run.Find("stopped by request after ")];
    const bool stepped = std::atol(stopped.c_str() + stopped.find("after ") + 6) > 0;
    const veltsimtest::Page page = veltsimtest::FindPage(dir / "plots", "XSC1: oscilloscope");
    ASSERT_EQ(page.graphCsv.size(), 1u);
    const veltsimtest::Csv sweep = veltsimtest::ReadCsv(page.graphCsv.front());
    ASSERT_FALSE(sweep.empty());
    EXPECT_EQ(sweep.front(), (std::vector<std::string>{"Time after the trigger (s)", "A: V(out)"}));
    EXPECT_EQ(sweep.size() > 1, stepped);
    ASSERT_TRUE(std::filesystem::exists(deck + ".instruments"));
    const SessionRun next = RunScript("load " + deck + "; listing; show XSC1");
    ASSERT_EQ(next.status, 0);
    EXPECT_TRUE(next.Has("instruments of the circuit: 1 from " + deck + ".instruments"));
    EXPECT_LT(next.Find("XSC1[CEventSink-->Oscilloscope]"), next.lines.size());
    EXPECT_TRUE(next.Has("XSC1 Oscilloscope: A V(out)"));
}

// The meter's readings are the accumulators' over the whole transient: RMS, minimum and maximum
// as the simulator's results show them, the mean the integral over the run's length.
TEST(Instruments, MeterReadsWhatTheAccumulatorsMeasure) {
    TempDir dir;
    const SessionRun run = RunScript("load " + copyOf(dir, "rc_lowpass.cir") +
                                     "; probe V(out); new XMM1; setnode XMM1 1 out; run; show XMM1");
    ASSERT_EQ(run.status, 0);
    const std::vector<std::string> results = run.Row("V(out)", run.Find("tran1: .tran, 10008 steps"));
    ASSERT_EQ(results.size(), 8u);  // probe points from to min max rms integral
    const std::string& shown = run.lines[run.Find("XMM1 Meter: XMM1 on V(out), rms ")];
    EXPECT_DOUBLE_EQ(reading(shown, "rms"), number(results, 6));
    EXPECT_DOUBLE_EQ(reading(shown, "min"), number(results, 4));
    EXPECT_DOUBLE_EQ(reading(shown, "max"), number(results, 5));
    EXPECT_NEAR(reading(shown, "mean"), number(results, 7) / 0.01, 1e-6);
}

// What a person gets wrong is said in the log and fails the session; nothing else goes wrong:
// the line after it is answered.
TEST(Instruments, BadInputIsReportedAndTheSessionGoesOn) {
    TempDir dir;
    const std::string deck = copyOf(dir, "rc_lowpass.cir");
    std::ofstream(dir / "broken.cir") << "broken\nV1 in 0 1\nR1 in 0 1k\n.tran 1u 1m\n.end\n";
    std::ofstream(dir / "broken.cir.instruments") << "not instruments";
    const struct {
        std::string script;
        std::string message;
    } rows[] = {
        {"load " + deck + "; run; new XMM1; setnode XMM1 1 nosuch", "XMM1: unknown node: nosuch (nodes lists the signals)"},
        {"load " + deck + "; new XMM1; setnode XMM1 1 nosuch; run", "XMM1: the transient has no signal V(nosuch)"},
        {"new XMM1; setnode XMM1 2 out", "XMM1: no pin 2 (pin 1 only)"},
        {"new XSC1; setnode XSC1 3 fast", "XSC1: the time base is a time above 0"},
        {"new XSC1; new XSC1", "Unable to create instrument: XSC1"},
        {"new XYZ1", "XYZ1: no such kind of instrument"},
        {"show XSC9", "Unable to find instrument: XSC9"},
        {"load " + dir / "broken.cir", "cannot restore the instruments from " + dir / "broken.cir.instruments"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.script);
        const SessionRun run = RunScript(row.script + "; listing");
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(run.Has(row.message));
        EXPECT_LT(run.Find("> listing"), run.lines.size());
    }
}

// A scope shows the last full time base after channel A rose through the level; without such a
// rise, the last time base as it is.
TEST(SweepBuffer, TriggeredOnARisingEdgeElseTheLastTimeBase) {
    constexpr double kPi = 3.14159265358979323846;
    const struct {
        const char* name;
        double level;
        bool triggered;
    } rows[] = {
        {"through zero", 0.0, true},
        {"near the top", 0.9, true},
        {"above the signal", 2.0, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        veltsim::SweepBuffer buffer;
        buffer.Reset(1e-3);
        for (int i = 0; i <= 10000; ++i) {
            const double t = i * 1e-6;  // 10 ms of a 1 kHz sine, channel B its inverse
            buffer.Add(t, std::sin(2 * kPi * 1000 * t), -std::sin(2 * kPi * 1000 * t));
        }
        const veltsim::Sweep sweep = buffer.Find(row.level, 500);
        EXPECT_EQ(sweep.triggered, row.triggered);
        ASSERT_EQ(sweep.points.size(), 500u);
        EXPECT_GE(sweep.points.front().time, 0.0);
        EXPECT_LE(sweep.points.back().time, 1e-3);
        if (row.triggered) {
            EXPECT_NEAR(sweep.points.front().a, row.level, 0.01);
        }
        EXPECT_NEAR(sweep.points.front().b, -sweep.points.front().a, 1e-12);
    }
}
