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

using veltsimtest::Number;
using veltsimtest::RunScript;
using veltsimtest::SessionRun;

namespace {

std::string Deck(const std::string& name) { return std::string(VELT_TEST_SOURCE_DIR) + "/tests/app/decks/" + name; }

// What ngspice printed for `name` ("dmax  =  5.320193e-01 at= ...", "x = 1.2e-3"); NaN without.
double Printed(const SessionRun& run, const std::string& name) {
    for (const std::string& line : run.lines) {
        const std::size_t at = line.find("|   " + name + " ");
        const std::size_t equals = line.find('=', at);
        if (at != std::string::npos && equals != std::string::npos) return std::stod(line.substr(equals + 1));
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

// A probed device quantity is saved along with what the deck saves (its own list, or every
// node when it has none) and agrees with ngspice's value of it. A deck that saves device
// quantities runs its AC sweep too, without them.
TEST(Signals, ProbedDeviceQuantitiesAreSavedWithTheDecksOwn) {
    const std::string deck = Deck("mos_saves.cir");
    const SessionRun run = RunScript("load " + deck + "; probe @m1:x1[id] -1*@rd:x1[i] out; run; tran 10u 3m; nodes; " +
                                     "spice meas tran idmax MAX @m.x1.m1[id]; spice meas tran irmin MIN @r.x1.rd[i]; op; " +
                                     "spice print @m.x1.m1[id]; load " + Deck("rc_expressions.cir") + "; probe @r1[i]; tran 1u 1m; nodes; " +
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

    const std::size_t unsaved = run.Find("> nodes", run.Find("> tran 1u 1m"));
    EXPECT_LT(run.Find("@r1[i]", unsaved), run.lines.size());
    EXPECT_LT(run.Find("V(in)", unsaved), run.lines.size());  // all of the nodes still
    ExpectRelative(Number(run.Row("@r1[i]", run.Find("tran1: .tran", run.Find("> tran 1u 1m"))), 5), Printed(run, "ir"), 1e-6);
}
