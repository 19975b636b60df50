#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "session_support.h"
#include "tests/support/temp_dir.h"

using veltsimtest::Number;
using veltsimtest::RunScript;
using veltsimtest::Sample;
using veltsimtest::SessionRun;

// Signals inside sub-circuits show in the suite's SPICE form and can be named in any form; a
// new deck's probes start afresh.
TEST(Session, SubCircuitSignalsShowInSpiceFormAndTakeEveryForm) {
    const SessionRun run = RunScript("load " + Sample("rc_lowpass.cir") + "; probe V(in); run; load " + Sample("amplifier.cir") +
                                     "; probe I(vsense:x1:x1) q.x1.x1.q1#base x1.mid @r1:x2:x1[i]; run; nodes; probe");
    ASSERT_EQ(run.status, 0);
    for (const char* shown : {"probing I(vsense:x1:x1)", "probing V(q1:x1:x1#base)", "probing V(mid:x1)",
                              "probing @r1:x2:x1[i]"}) {
        EXPECT_TRUE(run.Has(shown)) << shown;
    }
    EXPECT_NEAR(Number(run.Row("I(vsense:x1:x1)", run.Find("op1: .op")), 1), 1.3e-3, 0.2e-3);  // first collector
    EXPECT_EQ(run.Row("V(q1:x1:x1#base)", run.Find("> nodes")),
              (std::vector<std::string>{"V(q1:x1:x1#base)", "x1.x1.q1#base", "q.x1.x1.q1#base", "voltage"}));
    EXPECT_EQ(run.lines.back(), "|   probes: I(vsense:x1:x1) q.x1.x1.q1#base x1.mid @r1:x2:x1[i]");  // not V(in)
}

// Bad input gets a clear message, fails the session's status and ends nothing: the line
// after it is still answered.
TEST(Session, BadInputIsReportedAndTheSessionGoesOn) {
    TempDir dir;
    std::ofstream(dir / "rejected.cir") << "bad deck\nV1 in 0 1\nQ1 out in 0 nomodel\n.tran 1u 1m\n.end\n";
    std::ofstream(dir / "broken.cir") << "broken\nV1 in 0 1\nR1 in 0 1k\n.tran 1u 1m\n.end\n";
    std::ofstream(dir / "broken.cir.instruments") << "not instruments";
    std::ofstream(dir / "includes.cir") << "includes\n.include gone.inc\n.lib 'sub' typ\n.end\n";
    std::filesystem::create_directory(dir / "sub");
    const std::string rc = dir / "rc.cir";  // a copy: instruments are kept beside their deck
    std::filesystem::copy_file(Sample("rc_lowpass.cir"), rc);
    const std::string held = dir / "held.cir";  // its instruments' file is a folder
    std::filesystem::copy_file(Sample("rc_lowpass.cir"), held);
    std::filesystem::create_directory(held + ".instruments");
    const struct {
        std::string script;
        std::string message;
    } rows[] = {
        {"load " + dir / "none.cir", "cannot read deck: " + dir / "none.cir" + ": No such file or directory"},
        {"load " + dir / "sub", "cannot read deck: " + dir / "sub" + ": Is a directory"},
        {"load " + dir / "includes.cir", "cannot read include: " + dir / "gone.inc" + ": No such file or directory"},
        {"load " + dir / "includes.cir", "cannot read include: " + dir / "sub" + ": Is a directory"},
        {"load " + held, "cannot restore the instruments from " + held + ".instruments: Is a directory"},
        {"load " + held + "; new XMM1; load " + rc, "cannot keep the instruments in " + held + ".instruments: Is a directory"},
        {"load " + dir / "rejected.cir", "ngspice rejected the deck"},
        {"load " + dir / "rejected.cir", "could not find a valid modelname"},
        {"load " + rc + "; run; probe nosuch", "unknown node: nosuch"},
        {"load " + rc + "; probe nosuch; run", "unknown node: nosuch"},
        {"frobnicate", "unknown command: frobnicate"},
        {"run", "run: no deck loaded"},
        {"window 10m 5m", "window: give FROM and TO"},
        {"load " + rc + "; run; new XMM1; setnode XMM1 1 nosuch", "XMM1: unknown node: nosuch (nodes lists the signals)"},
        {"load " + rc + "; new XMM1; setnode XMM1 1 nosuch; run", "XMM1: the transient has no signal V(nosuch)"},
        {"new XMM1; setnode XMM1 2 out", "XMM1: no pin 2 (pin 1 only)"},
        {"new XSC1; setnode XSC1 3 fast", "XSC1: the time base is a time above 0"},
        {"new XSC1; new XSC1", "Unable to create instrument: XSC1"},
        {"new XYZ1", "XYZ1: no such kind of instrument"},
        {"show XSC9", "Unable to find instrument: XSC9"},
        {"load " + dir / "broken.cir", "cannot restore the instruments from " + dir / "broken.cir.instruments"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.script);
        const SessionRun run = RunScript(row.script + "; status");
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(run.Has(row.message));
        EXPECT_LT(run.Find("> status"), run.lines.size());
        EXPECT_TRUE(run.Has("idle;"));
    }
    ::setenv("VELTSIM_NGSPICE", "/nonexistent/libngspice.so.0", 1);
    const SessionRun missing = RunScript("load " + rc + "; status");
    ::unsetenv("VELTSIM_NGSPICE");
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.Has("ngspice shared library not found: /nonexistent/libngspice.so.0"));
    EXPECT_TRUE(missing.Has("idle; no deck loaded"));
}

// An edited deck read again, by reload or by load under another spelling of its path, keeps
// its probes, measure window and instruments, and runs as edited.
TEST(Session, ReloadKeepsTheSettingsOfTheDeck) {
    TempDir dir;
    const std::string rc = dir / "rc.cir";
    std::filesystem::copy_file(Sample("rc_lowpass.cir"), rc);
    const std::string again = (dir / "") + "./rc.cir";
    const SessionRun run = RunScript("load " + rc + "; probe out; window 5m 10m; new XMM1; run; reload; run; load " + again +
                                         "; run; listing",
                                     "", [&](const std::string& line) {
                                         if (line.find("> reload") == std::string::npos) return;
                                         std::string text = ReadFile(rc);
                                         text.replace(text.find("R1 in out 1k"), 12, "R1 in out 2k");
                                         std::ofstream(rc) << text;
                                     });
    ASSERT_EQ(run.status, 0);
    const std::vector<std::string> before = run.Row("V(out)", run.Find("tran1: .tran"));
    const std::vector<std::string> edited = run.Row("V(out)", run.Find("> reload"));
    const std::vector<std::string> loaded = run.Row("V(out)", run.Find("> load " + again));
    ASSERT_EQ(edited.size(), 10u);
    EXPECT_EQ(Number(edited, 2), 0.005);
    EXPECT_LT(Number(edited, 8), Number(before, 8) - 0.05);  // the corner moved down
    EXPECT_EQ(loaded, edited);
    EXPECT_LT(run.Find("XMM1[", run.Find("> listing")), run.lines.size());
}

// What ngspice prints for a command keeps its columns, at a terminal's tab stops; its status
// lines about its own working go to the audit trail only.
TEST(Session, SpiceOutputKeepsItsColumnsAndItsChatterStaysInTheTrail) {
    TempDir dir;
    std::ofstream(dir / "step.cir") << "step\nV1 in 0 1\nR1 in out 1k\nC1 out 0 1u\n.tran 0.1m 0.5m\n.end\n";
    const SessionRun run = RunScript("load " + dir / "step.cir" + "; run; spice print v(in); trail 40");
    ASSERT_EQ(run.status, 0);
    const std::size_t print = run.Find("> spice print");
    const std::size_t trail = run.Find("> trail");
    EXPECT_EQ(run.Find("Index   time            v(in)", print), run.Find("Index", print));
    EXPECT_LT(run.Find("|   0       0.000000e+00    1.000000e+00", print), trail);
    EXPECT_LT(run.Find("|   1       ", print), trail);
    EXPECT_EQ(run.Find("Background thread", print), run.Find("Background thread", trail));
    EXPECT_LT(run.Find("Background thread", trail), run.lines.size());
}

// ngspice's request to exit ends nothing: a fresh one runs the next deck, also after it too
// has exited.
TEST(Session, NgspiceExitDoesNotEndTheApplication) {
    const std::string load = "load " + Sample("rc_lowpass.cir");
    const SessionRun run = RunScript(load + "; spice quit; " + load + "; spice quit; " + load + "; run");
    EXPECT_EQ(run.status, 1);
    const std::size_t exited = run.Find("ngspice exited (status 0)");
    ASSERT_LT(run.Find("ngspice exited (status 0)", exited + 1), run.lines.size());
    EXPECT_LT(run.Find("finished in", exited), run.lines.size());
}

// A held run takes no steps until it goes on.
TEST(Session, PauseHoldsTheRunAndResumeLetsItGoOn) {
    TempDir dir;
    const SessionRun run = RunScript("load " + veltsimtest::LongDeck(dir / "") + "; run &; pause; status; status; resume; stop");
    ASSERT_EQ(run.status, 0);
    const std::size_t first = run.Find("held: ");
    const std::size_t second = run.Find("held: ", first + 1);
    ASSERT_LT(second, run.lines.size());
    EXPECT_EQ(run.lines[first], run.lines[second]);
    EXPECT_LT(run.Find("going on", second), run.Find("stopped by request", second));
}

TEST(Session, HelpListsTheCommandsOfEverySnapInInContainerOrder) {
    const SessionRun run = RunScript("help");
    ASSERT_EQ(run.status, 0);
    const std::size_t utilities = run.Find("ComUtilities[");
    const std::size_t simulator = run.Find("Simulator[");
    const std::size_t instruments = run.Find("Instruments[");
    EXPECT_LT(run.Find(" quit ", utilities), simulator);
    EXPECT_LT(run.Find(" meas ", simulator), instruments);
    EXPECT_LT(run.Find(" setnode ", instruments), run.lines.size());
}
