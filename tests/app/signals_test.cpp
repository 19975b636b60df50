// Probes checked against ngspice's own figures for the same signals: expressions computed by
// ngspice's vectors, device quantities, AC figures and transient measures compared with its
// .meas over the same windows.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "run_saves.h"
#include "session_support.h"
#include "tests/support/temp_dir.h"

using veltsimtest::Number;
using veltsimtest::RunScript;
using veltsimtest::SessionRun;

namespace {

std::string Deck(const std::string& name) { return std::string(VELT_TEST_SOURCE_DIR) + "/tests/app/decks/" + name; }

// What ngspice printed for `name` ("dmax  =  5.320193e-01 at= 2.1e-03", "x = 1.2e-3"), or the
// abscissa it printed after "at="; NaN without.
double Printed(const SessionRun& run, const std::string& name, const std::string& after = "=") {
    for (const std::string& line : run.lines) {
        const std::size_t at = line.find("|   " + name + " ");
        const std::size_t equals = at == std::string::npos ? at : line.find(after, at);
        if (equals != std::string::npos) return std::stod(line.substr(equals + after.size()));
    }
    return std::nan("");
}

void ExpectRelative(double actual, double expected, double tolerance) {
    EXPECT_NEAR(actual, expected, std::abs(expected) * tolerance) << "relative to " << expected;
}

}  // namespace

// What ngspice is told to save: nothing while the deck's own list will do; every node plus the
// probed quantities for a deck without a list; the deck's list plus them otherwise; no device
// quantities in a run with an AC sweep; and, once changed, the list set afresh for every run.
TEST(RunSaves, DeviceQuantitiesWithTheDecksListButNotInAnAcSweep) {
    using veltsim::PlanSaves;
    using Names = std::vector<std::string>;
    const struct {
        const char* name;
        Names deck, probed;
        bool deckDevices, ac, touched;
        Names commands, leftOut;
    } rows[] = {
        {"deck's own", {"out"}, {}, false, false, false, {}, {}},
        {"no list", {}, {"@m1[id]"}, false, false, false, {"delete all", "save all @m1[id]"}, {}},
        {"deck's list", {"out", "@r1[i]"}, {"@m1[id]"}, true, false, false, {"delete all", "save out @r1[i] @m1[id]"}, {}},
        {"sweep", {"out", "@r1[i]", "in"}, {"@m1[id]"}, true, true, false, {"delete all", "save out in"}, {"@r1[i]", "@m1[id]"}},
        {"sweep, devices only", {"@r1[i]"}, {}, true, true, false, {"delete all", "save all"}, {"@r1[i]"}},
        {"sweep of a plain deck", {"out"}, {}, false, true, false, {}, {}},
        {"changed before", {"out"}, {}, false, false, true, {"delete all", "save out"}, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const veltsim::SavePlan plan = PlanSaves(row.deck, row.probed, row.deckDevices, row.ac, row.touched);
        EXPECT_EQ(plan.commands, row.commands);
        EXPECT_EQ(plan.leftOut, row.leftOut);
    }
}

// Expressions over signals are measured like signals, over complex values in the sweep and
// real ones in the transient, and agree with what ngspice computes for the same expressions.
TEST(Signals, ExpressionsAgreeWithNgspicesOwnVectors) {
    const SessionRun run = RunScript(
        "load " + Deck("rc_expressions.cir") + "; probe v(in, out) 2*V(out)-V(in)/2 v(out)/v(in)*2 db(v(out)) -1.5k*I(v1); at 1k; run; " +
        "spice setplot tran1; spice let d = v(in)-v(out); spice meas tran dmin MIN d; spice meas tran dmax MAX d; " +
        "spice print vecmax(2*v(out)-v(in)/2) vecmin(-1.5k*i(v1)); " +
        "spice setplot ac1; spice let g = v(out)/v(in)*2; spice meas ac gdb FIND vdb(g) AT=1k; spice meas ac gph FIND vp(g) AT=1k; " +
        "spice meas ac odb FIND vdb(out) AT=1k");
    ASSERT_EQ(run.status, 0);
    EXPECT_TRUE(run.Has("probing v(in, out)"));
    const std::size_t tran = run.Find("tran1: .tran");
    const std::vector<std::string> difference = run.Row("v(in,", tran);
    ExpectRelative(Number(difference, 5), Printed(run, "dmin"), 1e-6);
    ExpectRelative(Number(difference, 6), Printed(run, "dmax"), 1e-6);
    ExpectRelative(Number(run.Row("2*V(out)-V(in)/2", tran), 5), Printed(run, "vecmax(2*v(out)-v(in)/2)"), 1e-6);
    ExpectRelative(Number(run.Row("-1.5k*I(v1)", tran), 4), Printed(run, "vecmin(-1.5k*i(v1))"), 1e-6);

    const std::vector<std::string> gain = run.Row("v(out)/v(in)*2", run.Find("ac1: .ac"));
    ExpectRelative(Number(gain, 11), Printed(run, "gdb"), 1e-6);
    ExpectRelative(Number(gain, 12), Printed(run, "gph") * 180 / std::numbers::pi, 1e-6);
    // db() of a complex value is a real one: its own gain is 20 log10 of the level in dB.
    const double level = Printed(run, "odb");
    ExpectRelative(Number(run.Row("db(v(out))", run.Find("ac1: .ac")), 11), 20 * std::log10(std::abs(level)), 1e-5);
}

// An expression that is no expression, or that reads a signal the circuit lacks, is refused
// with the reason; the probes already taken stay.
TEST(Signals, BadExpressionsAreRefusedWithTheReason) {
    const SessionRun run = RunScript("load " + Deck("rc_expressions.cir") + "; run; probe v(out)+; probe v(in; probe sqrt(out); " +
                                     "probe v(in)-v(nosuch); probe 1k/2; probe 2*v(out); probe 2 * V(OUT); probe");
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.Has("probe: a value is missing at character 8 of v(out)+"));
    EXPECT_TRUE(run.Has("probe: ')' is missing at character 5 of v(in"));
    EXPECT_TRUE(run.Has("probe: unknown function sqrt"));
    EXPECT_TRUE(run.Has("unknown node: v(in)-v(nosuch)"));
    EXPECT_TRUE(run.Has("probe: 1k/2 reads no signal"));
    EXPECT_EQ(run.lines.back(), "|   probes: 2*v(out)");  // the same probe written twice is one
}

// A probed device quantity, also one that the last run did not save, is saved along with what
// the deck saves (its own list, or every node when it has none) and agrees with ngspice's value
// of it. A deck that saves device
// quantities runs its AC sweep too, without them.
TEST(Signals, ProbedDeviceQuantitiesAreSavedWithTheDecksOwn) {
    const std::string deck = Deck("mos_saves.cir");
    const SessionRun run = RunScript("load " + deck + "; probe @m1:x1[id] -1*@rd:x1[i] out; run; tran 10u 3m; nodes; " +
                                     "spice meas tran idmax MAX @m.x1.m1[id]; spice meas tran irmin MIN @r.x1.rd[i]; op; " +
                                     "spice print @m.x1.m1[id]; ac dec 10 10 10meg; load " + Deck("rc_expressions.cir") + "; tran 1u 1m; probe @r1[i]; tran 1u 1m; nodes; " +
                                     "spice meas tran ir MAX @r1[i]");
    ASSERT_EQ(run.status, 1);  // the probes of device quantities have no signal in the sweep
    const std::size_t sweep = run.Find("> run");
    EXPECT_LT(run.Find("not saved in a run with an AC sweep", sweep), run.Find("ac1: .ac, 61 steps", sweep));
    EXPECT_EQ(Number(run.Row("V(out)", run.Find("ac1: .ac", sweep)), 1), 61);

    const std::size_t tran = run.Find("> tran 10u 3m");
    EXPECT_EQ(run.Row("@m1:x1[id]", run.Find("> nodes", tran)).at(2), "@m.x1.m1[id]");
    EXPECT_LT(run.Find("V(out)", run.Find("> nodes", tran)), run.lines.size());
    ExpectRelative(Number(run.Row("@m1:x1[id]", tran), 5), Printed(run, "idmax"), 1e-6);
    ExpectRelative(Number(run.Row("-1*@rd:x1[i]", tran), 5), -Printed(run, "irmin"), 1e-6);
    ExpectRelative(Number(run.Row("@m1:x1[id]", run.Find("> op")), 1), Printed(run, "@m.x1.m1[id]"), 1e-6);
    const std::size_t ac = run.Find("> ac dec");
    EXPECT_LT(run.Find("not saved in a run with an AC sweep", ac), run.Find("ac1: .ac, 61 steps", ac));

    const std::size_t unsaved = run.Find("> nodes", run.Find("> probe @r1[i]"));
    EXPECT_LT(run.Find("@r1[i]", unsaved), run.lines.size());
    EXPECT_LT(run.Find("V(in)", unsaved), run.lines.size());  // all of the nodes still
    ExpectRelative(Number(run.Row("@r1[i]", run.Find("> probe @r1[i]")), 5), Printed(run, "ir"), 1e-6);
}

// The figures of an AC sweep without a chosen frequency agree with ngspice's .meas of the same
// sweep: the peak, the -3 dB edges of a band-pass, a low-pass and a high-pass, a loop's 0 dB
// frequency and the phase there; the phase goes on past -180 degrees; a frequency between
// sweep points is read interpolated, and one outside the sweep is refused.
TEST(Signals, AcFiguresAgreeWithNgspicesMeas) {
    const std::string halfPower = " - 3.010299956639812; ";
    TempDir dir;
    const SessionRun run = RunScript(
        "load " + Deck("ac_figures.cir") + "; probe bp lp hp ol; run; at 20k; at 1G; at 1meg; results; " +
        "spice meas ac pk MAX vdb(bp); spice let lv = pk" + halfPower + "spice meas ac lo WHEN vdb(bp)=lv RISE=1; " +
        "spice meas ac hi WHEN vdb(bp)=lv FALL=1; spice let lpl = vdb(lp)[0]" + halfPower +
        "spice meas ac lpe WHEN vdb(lp)=lpl FALL=1; spice let hpl = vdb(hp)[2400]" + halfPower +
        "spice meas ac hpe WHEN vdb(hp)=hpl RISE=1; spice meas ac fu WHEN vdb(ol)=0 FALL=1; " +
        "spice meas ac pu FIND vp(ol) AT=fu; spice meas ac p1m FIND vp(ol) AT=1meg",
        dir / "plots");
    EXPECT_EQ(run.status, 1);  // at 1G
    EXPECT_TRUE(run.Has("AC gain and phase at 20000 Hz, interpolated between sweep points"));
    EXPECT_TRUE(run.Has("at: 1e+09 Hz is outside the sweep, 10 to 1e+07 Hz"));
    EXPECT_TRUE(run.Has("AC gain and phase at 1000000 Hz, a sweep point"));
    const std::size_t results = run.Find("ac1: .ac", run.Find("> results"));
    const std::vector<std::string> bp = run.Row("V(bp)", results);
    ExpectRelative(Number(bp, 2), Printed(run, "pk"), 1e-6);
    ExpectRelative(Number(bp, 3), Printed(run, "pk", "at="), 1e-6);
    ExpectRelative(Number(bp, 4), Printed(run, "lo"), 1e-6);
    ExpectRelative(Number(bp, 5), Printed(run, "hi"), 1e-6);
    ExpectRelative(Number(bp, 6), Printed(run, "hi") - Printed(run, "lo"), 1e-5);
    ExpectRelative(Number(bp, 7), std::sqrt(Printed(run, "lo") * Printed(run, "hi")) / (Printed(run, "hi") - Printed(run, "lo")), 1e-5);
    EXPECT_NEAR(Number(bp, 7), 5.0, 0.01);
    const std::vector<std::string> lp = run.Row("V(lp)", results);
    ExpectRelative(Number(lp, 5), Printed(run, "lpe"), 1e-6);
    EXPECT_EQ(lp[4], "-");
    const std::vector<std::string> hp = run.Row("V(hp)", results);
    ExpectRelative(Number(hp, 4), Printed(run, "hpe"), 1e-6);
    EXPECT_EQ(hp[5], "-");
    const std::vector<std::string> ol = run.Row("V(ol)", results);
    ExpectRelative(Number(ol, 8), Printed(run, "fu"), 1e-6);
    ExpectRelative(Number(ol, 9), 180 + Printed(run, "pu") * 180 / std::numbers::pi, 1e-5);
    // ngspice wraps the phase into one turn; three poles have taken it a turn further.
    ExpectRelative(Number(ol, 12), Printed(run, "p1m") * 180 / std::numbers::pi - 360, 1e-6);
    // The plotted phase goes on past -180 degrees too.
    const veltsimtest::Page page = veltsimtest::FindPage(dir / "plots", "AC figures: a band-pass, a low-pass, a high-pass and an open loop: ac1 (AC Analysis)");
    ASSERT_EQ(page.graphCsv.size(), 2u);
    const veltsimtest::Csv phase = veltsimtest::ReadCsv(page.graphCsv[1]);
    ASSERT_EQ(phase.size(), 1u + 2401u);
    ASSERT_EQ(phase.front().back(), "V(ol)");
    for (std::size_t row = 2; row < phase.size(); ++row) {
        EXPECT_LT(std::abs(std::stod(phase[row].back()) - std::stod(phase[row - 1].back())), 10.0) << row;
    }
    EXPECT_LT(std::stod(phase.back().back()), -250.0);
}

// A transient's results over a window agree with ngspice's own .meas over the same FROM and TO,
// on windows that start at the first step, in the start-up, between steps, and end anywhere:
// to 1e-6 where ngspice prints seven digits (MIN, MAX, PP, AVG), to its last digit where it
// prints six (INTEG, RMS).
TEST(Signals, TransientResultsAgreeWithNgspicesMeas) {
    const std::vector<std::pair<std::string, std::string>> windows = {
        {"0", "8m"}, {"0", "0.3m"}, {"0.23456m", "2.34567m"}, {"17.3u", "7.9999m"}, {"1.1m", "1.3m"}, {"5m", "5.4321m"}};
    std::string script = "load " + Deck("rectifier_meas.cir") + "; probe V(out) v(out,m); run; spice let d = v(out) - v(m)";
    for (std::size_t w = 0; w < windows.size(); ++w) {
        const auto& [from, to] = windows[w];
        const std::string range = " FROM=" + from + " TO=" + to;
        script += "; window " + from + " " + to + "; results";
        for (const char* kind : {"min", "max", "pp", "avg", "rms", "integ"}) {
            for (const char* signal : {"v(out)", "v(out,m)"}) {
                const std::string name = std::string(kind) + std::to_string(w) + (signal[5] == ',' ? "d" : "");
                script += std::string("; spice meas tran ") + name + " " + kind + " " + (signal[5] == ',' ? "d" : signal) + range;
            }
        }
    }
    const SessionRun run = RunScript(script);
    ASSERT_EQ(run.status, 0);
    for (std::size_t w = 0; w < windows.size(); ++w) {
        SCOPED_TRACE(windows[w].first + " to " + windows[w].second);
        const std::size_t results = run.Find("> window " + windows[w].first + " " + windows[w].second);
        for (const char* probe : {"V(out)", "v(out,m)"}) {
            const std::vector<std::string> row = run.Row(probe, results);
            const std::string suffix = std::string(probe) == "V(out)" ? "" : "d";
            const std::pair<const char*, std::size_t> seven[] = {{"min", 4}, {"max", 5}, {"pp", 6}, {"avg", 7}};
            for (const auto& [kind, cell] : seven) ExpectRelative(Number(row, cell), Printed(run, kind + std::to_string(w) + suffix), 1e-6);
            for (const auto& [kind, cell] : {std::pair<const char*, std::size_t>{"rms", 8}, {"integ", 9}}) {
                const double printed = Printed(run, kind + std::to_string(w) + suffix);
                // Half of ngspice's last digit for its rounding, a twentieth for ours (seven digits).
                const double lastDigit = std::pow(10.0, std::floor(std::log10(std::abs(printed))) - 5);
                EXPECT_NEAR(Number(row, cell), printed, 0.55 * lastDigit) << kind;
            }
        }
    }
}
