#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "session_support.h"
#include "tests/support/temp_dir.h"

using veltsimtest::LongDeck;
using veltsimtest::RunScript;
using veltsimtest::Sample;
using veltsimtest::SessionRun;

namespace {

double number(const std::vector<std::string>& row, std::size_t cell) {
    EXPECT_LT(cell, row.size());
    return cell < row.size() ? std::atof(row[cell].c_str()) : 0.0;
}

void expectRelative(double actual, double expected, double tolerance) {
    EXPECT_NEAR(actual, expected, std::abs(expected) * tolerance) << "relative to " << expected;
}

}  // namespace

// The accumulators see the very time points ngspice's own .meas sees: inside the window the
// accepted steps as they came, at its edges the values interpolated linearly, as .meas
// FROM/TO does. Both sides print seven digits (ngspice's own results carry no more).
TEST(Session, RcLowPassAccumulatorsAgreeWithNgspiceMeas) {
    const SessionRun run = RunScript("load " + Sample("rc_lowpass.cir") + "; probe V(out); window 5m 10m; run; meas");
    ASSERT_EQ(run.status, 0);
    const std::vector<std::string> results = run.Row("V(out)", run.Find("tran1: .tran, 10008 steps"));
    ASSERT_EQ(results.size(), 8u);  // probe points from to min max rms integral
    EXPECT_EQ(results[2], "0.005");
    EXPECT_EQ(results[3], "0.01");
    const std::size_t meas = run.Find("> meas");
    expectRelative(number(results, 4), number(run.Row("min_out", meas), 2), 1e-5);
    expectRelative(number(results, 5), number(run.Row("max_out", meas), 2), 1e-5);
    expectRelative(number(results, 6), number(run.Row("rms_out", meas), 2), 1e-5);
    expectRelative(number(results, 7), number(run.Row("integ_out", meas), 2), 1e-5);
}

TEST(Session, AcSweepAtTheCornerIsMinus3dBAndMinus45Degrees) {
    const SessionRun run = RunScript("load " + Sample("filter_ac.cir") + "; probe out; at 1k; run");
    ASSERT_EQ(run.status, 0);
    const std::vector<std::string> row = run.Row("V(out)", run.Find("ac1: .ac"));
    ASSERT_EQ(row.size(), 5u);  // probe points frequency gain phase
    EXPECT_EQ(row[1], "401");
    EXPECT_NEAR(number(row, 3), -3.01, 0.01);
    EXPECT_NEAR(number(row, 4), -45.0, 0.1);
}

// Signals inside sub-circuits show in the suite's SPICE form and can be named in any form.
TEST(Session, SubCircuitSignalsShowInSpiceFormAndTakeEveryForm) {
    const SessionRun run = RunScript("load " + Sample("amplifier.cir") +
                                     "; probe I(vsense:x1:x1) q.x1.x1.q1#base x1.mid @r1:x2:x1[i]; run; nodes");
    ASSERT_EQ(run.status, 0);
    for (const char* shown : {"probing I(vsense:x1:x1)", "probing V(q1:x1:x1#base)", "probing V(mid:x1)",
                              "probing @r1:x2:x1[i]"}) {
        EXPECT_TRUE(run.Has(shown)) << shown;
    }
    const std::size_t op = run.Find("op1: .op");
    EXPECT_NEAR(number(run.Row("I(vsense:x1:x1)", op), 1), 1.3e-3, 0.2e-3);  // the first stage's collector current
    EXPECT_EQ(run.Row("I(vsense:x1:x1)", run.Find("> nodes")),
              (std::vector<std::string>{"I(vsense:x1:x1)", "x1.x1.vsense#branch", "v.x1.x1.vsense#branch", "current"}));
    EXPECT_EQ(run.Row("V(q1:x1:x1#base)", run.Find("> nodes")),
              (std::vector<std::string>{"V(q1:x1:x1#base)", "x1.x1.q1#base", "q.x1.x1.q1#base", "voltage"}));
}

// Bad input gets a clear message, fails the session's status and ends nothing: the line
// after it is still answered.
TEST(Session, BadInputIsReportedAndTheSessionGoesOn) {
    TempDir dir;
    std::ofstream(dir / "rejected.cir") << "bad deck\nV1 in 0 1\nQ1 out in 0 nomodel\n.tran 1u 1m\n.end\n";
    const std::string rc = Sample("rc_lowpass.cir");
    const struct {
        std::string script;
        std::string message;
    } rows[] = {
        {"load " + dir / "none.cir", "cannot read deck: " + dir / "none.cir"},
        {"load " + dir / "rejected.cir", "ngspice rejected the deck"},
        {"load " + dir / "rejected.cir", "could not find a valid modelname"},
        {"load " + rc + "; run; probe nosuch", "unknown node: nosuch"},
        {"load " + rc + "; probe nosuch; run", "unknown node: nosuch"},
        {"frobnicate", "unknown command: frobnicate"},
        {"run", "run: no deck loaded"},
        {"window 10m 5m", "window: give FROM and TO"},
        // ngspice itself would fail in its own thread.
        {"load " + Sample("amplifier.cir") + "; ac dec 10 10 1meg", "ngspice cannot sweep AC while the deck saves"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.script);
        const SessionRun run = RunScript(row.script + "; status");
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(run.Has(row.message));
        EXPECT_LT(run.Find("> status"), run.lines.size());
        EXPECT_TRUE(run.Has("idle;"));
    }
}

TEST(Session, MissingNgspiceIsReportedNotFatal) {
    ::setenv("VELTSIM_NGSPICE", "/nonexistent/libngspice.so.0", 1);
    const SessionRun run = RunScript("load " + Sample("rc_lowpass.cir") + "; status");
    ::unsetenv("VELTSIM_NGSPICE");
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.Has("ngspice shared library not found: /nonexistent/libngspice.so.0"));
    EXPECT_TRUE(run.Has("idle; no deck loaded"));
}

// ngspice's request to exit ends nothing: it is loaded afresh and runs the next deck.
TEST(Session, NgspiceExitDoesNotEndTheApplication) {
    const SessionRun run = RunScript("load " + Sample("rc_lowpass.cir") + "; spice quit; load " +
                                     Sample("rc_lowpass.cir") + "; run");
    EXPECT_EQ(run.status, 1);
    const std::size_t exited = run.Find("ngspice exited (status 0)");
    ASSERT_LT(exited, run.lines.size());
    EXPECT_LT(run.Find("finished in", exited), run.lines.size());
}

// A person's session: start, run, a line typed while it runs is answered before the run ends,
// stop, quit; every reference count back where it started.
TEST(Session, LineTypedDuringTheRunIsAnsweredAndStopKeepsTheData) {
    TempDir dir;
    veltsimtest::Person person({
        {"", "load " + LongDeck(dir / "") + "\nprobe out\nrun"},
        {"analysis (Transient Analysis) begun", "status"},
        {"running: .tran", "stop"},
        {"stopped by request", "results\nquit"},
    });
    veltsim::Session session(person.Options());
    const SessionRun run = person.Finish(session.Execute());
    ASSERT_EQ(run.status, 0);
    const std::size_t answer = run.Find("running: .tran");
    const std::size_t stopped = run.Find("stopped by request after ");
    ASSERT_LT(answer, run.lines.size());
    ASSERT_LT(stopped, run.lines.size());
    EXPECT_LT(answer, stopped);
    EXPECT_LT(run.Find(".tran analysis stopped after"), run.lines.size());
    // The data so far stays: the results after the stop cover what ran.
    const std::vector<std::string> results = run.Row("V(out)", run.Find("> results"));
    ASSERT_EQ(results.size(), 8u);
    EXPECT_GT(number(results, 1), 0);
    EXPECT_LT(number(results, 1), 500008);
    EXPECT_EQ(session.CountReferences(), session.InitialReferences());
}

// A held run takes no steps until it goes on.
TEST(Session, PauseHoldsTheRunAndResumeLetsItGoOn) {
    TempDir dir;
    const SessionRun run = RunScript("load " + LongDeck(dir / "") + "; run &; pause; status; status; resume; stop");
    ASSERT_EQ(run.status, 0);
    const std::size_t first = run.Find("held: ");
    const std::size_t second = run.Find("held: ", first + 1);
    ASSERT_LT(second, run.lines.size());
    EXPECT_EQ(run.lines[first], run.lines[second]);
    EXPECT_LT(run.Find("going on", second), run.Find("stopped by request", second));
}

TEST(Session, HelpListsTheCommandsOfEverySnapIn) {
    const SessionRun run = RunScript("help");
    ASSERT_EQ(run.status, 0);
    const std::size_t utilities = run.Find("ComUtilities[");
    const std::size_t simulator = run.Find("Simulator[");
    ASSERT_LT(simulator, run.lines.size());
    EXPECT_LT(run.Find(" quit ", utilities), simulator);
    for (const char* command : {"load", "run", "stop", "pause", "resume", "probe", "results", "meas"}) {
        EXPECT_FALSE(run.Row(command, simulator).empty()) << command;
    }
}
