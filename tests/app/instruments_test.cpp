// The instruments as a person uses them from the command line: made, wired, shown and listed,
// measuring the transients the simulator runs, and kept with the circuit from one session to
// the next.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "scope.h"
#include "session_support.h"
#include "tests/support/temp_dir.h"

using veltsimtest::Number;
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

// The value after `name ` in a line such as "XMM1 Meter: XMM1 on V(out), rms 1.17, mean 1".
double reading(const std::string& line, const std::string& name) {
    const std::size_t at = line.find(", " + name + " ");
    EXPECT_NE(at, std::string::npos) << name << " in " << line;
    return at == std::string::npos ? 0.0 : std::atof(line.c_str() + at + name.size() + 3);
}

}  // namespace

// The person's session: a scope made, wired and shown, a run, lines typed while it runs
// answered before it ends, a stop that keeps the data so far, quit; every reference count back
// where it started. The pages hold every step taken before the stop (none when the stop came
// first). The next session finds the scope again, wired and shown, with the deck.
TEST(Instruments, PersonsSessionWithAScopeAndItsReturn) {
    TempDir dir;
    const std::string deck = veltsimtest::LongDeck(dir / "");
    bool referencesBack = false;
    const SessionRun run = veltsimtest::RunPerson(
        {
            {"", "load " + deck + "\nprobe out\nnew XSC1\nsetnode XSC1 1 out\nshow XSC1\nrun"},
            {"analysis (Transient Analysis) begun", "status\nlisting"},
            {"XSC1[CEventSink-->Oscilloscope]", "stop"},
            {"stopped by request", "results\nquit"},
        },
        dir / "plots", referencesBack);
    ASSERT_EQ(run.status, 0);
    EXPECT_TRUE(referencesBack);
    EXPECT_TRUE(run.Has("XSC1 Oscilloscope: A V(out), B not wired"));
    const std::size_t stopped = run.Find("stopped by request after ");
    EXPECT_LT(run.Find("running: .tran"), stopped);
    EXPECT_LT(run.Find("XSC1[CEventSink-->Oscilloscope]"), stopped);
    const double steps = run.CountAfter(".tran analysis stopped after ");
    EXPECT_EQ(run.CountAfter("stopped by request after "), steps);
    EXPECT_LT(steps, 500008);
    const std::vector<std::string> results = run.Row("V(out)", run.Find("> results"));
    ASSERT_EQ(results.size(), steps > 0 ? 10u : 2u);  // no measures without a step
    EXPECT_EQ(Number(results, 1), steps);

    const veltsimtest::Page tran = veltsimtest::FindPage(dir / "plots", "RC low-pass driven by a 1 kHz sine: tran1 (Transient Analysis)");
    ASSERT_EQ(tran.graphCsv.size(), 1u);
    EXPECT_EQ(veltsimtest::ReadCsv(tran.graphCsv.front()).size(), 1 + steps);
    const veltsimtest::Page scope = veltsimtest::FindPage(dir / "plots", "XSC1: oscilloscope");
    ASSERT_EQ(scope.graphCsv.size(), 1u);
    const veltsimtest::Csv sweep = veltsimtest::ReadCsv(scope.graphCsv.front());
    ASSERT_FALSE(sweep.empty());
    EXPECT_EQ(sweep.front(), (std::vector<std::string>{"Time after the trigger (s)", "A: V(out)"}));
    EXPECT_EQ(sweep.size() > 1, steps > 0);

    const SessionRun next = RunScript("load " + deck + "; listing; show XSC1");
    ASSERT_EQ(next.status, 0);
    EXPECT_TRUE(next.Has("instruments of the circuit: 1 from " + deck + ".instruments"));
    EXPECT_LT(next.Find("XSC1[CEventSink-->Oscilloscope]"), next.lines.size());
    EXPECT_TRUE(next.Has("XSC1 Oscilloscope: A V(out)"));
}

namespace {

// The lines answering the command line `command` (its first such line from `from` on).
std::vector<std::string> answerTo(const SessionRun& run, const std::string& command, std::size_t from = 0) {
    std::vector<std::string> answer;
    for (std::size_t i = run.Find("> " + command, from) + 1; i < run.lines.size() && run.lines[i].rfind("> ", 0) != 0; ++i) {
        answer.push_back(run.lines[i]);
    }
    return answer;
}

}  // namespace

// Each deck has instruments of its own: loading another takes the instruments away with their
// deck and brings back the new deck's; a deck that never had any gets no file, and a file is
// not written again when nothing changed, not even a damaged one.
TEST(Instruments, EachDeckKeepsItsOwnInstruments) {
    TempDir dir;
    const std::string rc = copyOf(dir, "rc_lowpass.cir");
    const std::string ac = copyOf(dir, "filter_ac.cir");
    const std::string bare = copyOf(dir, "amplifier.cir");
    const SessionRun run = RunScript("new XSC1; load " + rc + "; setnode XSC1 1 out; load " + ac + "; listing; new XMM1; load " + bare +
                                     "; listing; load " + rc + "; listing; load " + ac + "; listing");
    ASSERT_EQ(run.status, 0);
    const std::vector<std::vector<std::string>> listings = {answerTo(run, "listing"),
                                                            answerTo(run, "listing", run.Find("> load " + bare)),
                                                            answerTo(run, "listing", run.Find("> load " + rc, run.Find("> load " + bare))),
                                                            answerTo(run, "listing", run.Find("> load " + ac, run.Find("> load " + bare)))};
    const auto lists = [](const std::vector<std::string>& listing, const std::string& refID) {
        return std::any_of(listing.begin(), listing.end(), [&](const std::string& line) { return line.find(refID + "[") != std::string::npos; });
    };
    EXPECT_FALSE(lists(listings[0], "XSC1"));
    EXPECT_FALSE(lists(listings[1], "XMM1"));
    EXPECT_TRUE(lists(listings[2], "XSC1"));
    EXPECT_FALSE(lists(listings[2], "XMM1"));
    EXPECT_TRUE(lists(listings[3], "XMM1"));
    EXPECT_FALSE(lists(listings[3], "XSC1"));
    EXPECT_TRUE(run.Has("instruments of the circuit: 1 from " + rc + ".instruments"));
    EXPECT_FALSE(std::filesystem::exists(bare + ".instruments"));

    std::ofstream(bare + ".instruments") << "not instruments";
    const SessionRun damaged = RunScript("load " + bare + "; load " + rc);
    EXPECT_TRUE(damaged.Has("cannot restore the instruments from " + bare + ".instruments"));
    EXPECT_EQ(ReadFile(bare + ".instruments"), "not instruments");
}

// The meter's readings are the accumulators' over the whole transient: minimum and maximum as
// the simulator's results show them; RMS and mean by the accumulators' own rules, within 1e-4
// of the results, which follow ngspice's .meas.
TEST(Instruments, MeterReadsWhatTheAccumulatorsMeasure) {
    TempDir dir;
    const SessionRun run = RunScript("load " + copyOf(dir, "rc_lowpass.cir") +
                                     "; probe V(out); new XMM1; setnode XMM1 1 out; run; show XMM1");
    ASSERT_EQ(run.status, 0);
    const std::vector<std::string> results = run.Row("V(out)", run.Find("tran1: .tran, 10008 steps"));
    ASSERT_EQ(results.size(), 10u);  // probe points from to min max pp avg rms integral
    const std::string& shown = run.lines[run.Find("XMM1 Meter: XMM1 on V(out), rms ")];
    EXPECT_NEAR(reading(shown, "rms"), Number(results, 8), 1e-4);
    EXPECT_DOUBLE_EQ(reading(shown, "min"), Number(results, 4));
    EXPECT_DOUBLE_EQ(reading(shown, "max"), Number(results, 5));
    EXPECT_NEAR(reading(shown, "mean"), Number(results, 9) / 0.01, 1e-4);
}

// A scope shows the last full time base after channel A rose through the level; without such a
// rise, the last time base as it is.
TEST(SweepBuffer, TriggeredOnARisingEdgeElseTheLastTimeBase) {
    constexpr double kPi = 3.14159265358979323846;
    for (const double level : {0.0, 0.9, 2.0}) {
        SCOPED_TRACE(level);
        veltsim::SweepBuffer buffer;
        buffer.Reset(1e-3);
        for (int i = 0; i <= 10000; ++i) {
            const double t = i * 1e-6;  // 10 ms of a 1 kHz sine, channel B its inverse
            buffer.Add(t, std::sin(2 * kPi * 1000 * t), -std::sin(2 * kPi * 1000 * t));
        }
        const veltsim::Sweep sweep = buffer.Find(level, 500);
        EXPECT_EQ(sweep.triggered, level < 1.0);
        ASSERT_EQ(sweep.points.size(), 500u);
        EXPECT_GE(sweep.points.front().time, 0.0);
        EXPECT_LE(sweep.points.back().time, 1e-3);
        if (sweep.triggered) {
            EXPECT_NEAR(sweep.points.front().a, level, 0.01);
        }
        EXPECT_NEAR(sweep.points.front().b, -sweep.points.front().a, 1e-12);
    }
}
