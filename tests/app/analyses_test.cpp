// Every kind of analysis ngspice runs, as the terminal shows its results and as the drawing
// plotting module's folder keeps them, each on a deck of its own and checked against what
// ngspice itself prints for the same run.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "session_support.h"
#include "tests/support/temp_dir.h"

using veltsimtest::Csv;
using veltsimtest::FindPage;
using veltsimtest::Number;
using veltsimtest::Page;
using veltsimtest::ReadCsv;
using veltsimtest::SessionRun;

namespace {

double number(const std::string& text) { return std::atof(text.c_str()); }

std::string deck(const std::string& name) { return std::string(VELT_TEST_SOURCE_DIR) + "/tests/app/decks/" + name; }

// ngspice's "print" of one value: "v(k)[40] = 6.626368e-01", a complex one with ",imag".
double printed(const SessionRun& terminal, const std::string& name, std::size_t from, bool imaginary = false) {
    const std::vector<std::string> row = terminal.Row(name, from);
    EXPECT_EQ(row.size(), 3u) << name;
    if (row.size() != 3u) return NAN;
    const std::string& value = row[2];
    return number(imaginary ? value.substr(value.find(',') + 1) : value);
}

// ngspice prints six or seven digits; the terminal shows seven.
void ExpectAgrees(double shown, double ngspice) { EXPECT_NEAR(shown, ngspice, std::abs(ngspice) * 1e-5) << "ngspice printed " << ngspice; }

// The table of the page headed `heading`, with its header row.
Csv pageTable(const std::string& folder, const std::string& heading) {
    const Page page = FindPage(folder, heading);
    EXPECT_EQ(page.tableCsv.size(), 1u) << heading;
    return page.tableCsv.size() == 1u ? ReadCsv(page.tableCsv.front()) : Csv{};
}

struct AnalysesTest : ::testing::Test {
    static void SetUpTestSuite() {
        folder = new TempDir;
        terminal = veltsimtest::RunScript(
            "load " + deck("diode_dc.cir") + "; probe k I(V1) ref v(a,k); run; spice print v(k)[40] v1#branch[40]; dc V1 0 2 1; " +
                "load " + deck("bjt_family.cir") + "; probe I(VC); run; spice print vc#branch[152]; " +
                "load " + deck("rc_noise.cir") + "; probe out; run; spice print onoise_total inoise_total; " +
                "spice setplot noise1; spice print onoise_spectrum[0]; " +
                "load " + deck("amp_tf.cir") + "; run; spice print all; " +
                "load " + deck("rlc_pz.cir") + "; run; spice print all; " +
                "load " + deck("rc_control.cir") + "; spice print V(out); probe out; run; spice print length(frequency); " +
                "load " + deck("stiff_tran.cir") + "; run",
            Plots());
    }
    static void TearDownTestSuite() { delete folder; }

    static std::string Plots() { return *folder / "plots"; }

    static TempDir* folder;
    static SessionRun terminal;
};

TempDir* AnalysesTest::folder = nullptr;
SessionRun AnalysesTest::terminal;

}  // namespace

// A diode's characteristic: the curve against the swept source, with the values at the ends of
// the sweep and where the extremes lie, as ngspice prints them.
TEST_F(AnalysesTest, DcSweepGivesTheCurveAndItsExtremesAgainstTheSweptSource) {
    const std::size_t run = terminal.Find("dc1: .dc, 41 steps");
    ASSERT_LT(run, terminal.lines.size());
    const std::size_t print = terminal.Find("> spice print v(k)[40]");
    // probe points from to "at from" "at to" min "min at" max "max at"
    const std::vector<std::string> diode = terminal.Row("V(k)", run);
    ASSERT_EQ(diode.size(), 10u);
    ExpectAgrees(number(diode[5]), printed(terminal, "v(k)[40]", print));
    EXPECT_EQ(diode[8], diode[5]);  // the diode's voltage rises all the way
    EXPECT_EQ(diode[9], "2");
    const std::vector<std::string> current = terminal.Row("I(v1)", run);
    ASSERT_EQ(current.size(), 10u);
    ExpectAgrees(number(current[6]), printed(terminal, "v1#branch[40]", print));
    EXPECT_EQ(current[7], "2");  // the source's current is most negative at the top
    // An expression is measured over the sweep like a signal: the resistor's voltage.
    const std::vector<std::string> resistor = terminal.Row("v(a,k)", run);
    ASSERT_EQ(resistor.size(), 10u);
    ExpectAgrees(number(resistor[5]), 2.0 - printed(terminal, "v(k)[40]", print));
    const std::vector<std::string> flat = terminal.Row("V(ref)", run);
    ASSERT_EQ(flat.size(), 10u);
    EXPECT_EQ(flat[7], "0");  // a level curve reaches its extremes first where it starts
    EXPECT_EQ(flat[9], "0");

    const Page page = FindPage(Plots(), "Diode characteristic through a 1k resistor: dc1 (DC transfer characteristic)");
    ASSERT_EQ(page.graphCsv.size(), 1u);
    const Csv data = ReadCsv(page.graphCsv.front());
    ASSERT_EQ(data.size(), 1u + 41u);
    EXPECT_EQ(data.front(), (std::vector<std::string>{"V1 (V)", "V(k)", "I(v1)", "V(ref)", "v(a,k)"}));
    EXPECT_EQ(pageTable(Plots(), "Diode characteristic through a 1k resistor: dc1 (DC transfer characteristic)").size(), 5u);
    // Typed as the deck names the source, the sweep runs too.
    const std::size_t typed = terminal.Find("> dc V1 0 2 1");
    EXPECT_LT(terminal.Find(": .dc, 3 steps", typed), terminal.Find("> load", typed)) << terminal.lines[typed + 2];
}

// A nested sweep: one curve per base current, drawn apart, each with its own results.
TEST_F(AnalysesTest, NestedDcSweepIsAFamilyOfCurves) {
    const std::size_t run = terminal.Find("dc1: .dc, 255 steps");
    ASSERT_LT(run, terminal.lines.size());
    // probe IB points from to "at from" "at to" ...
    std::size_t at = run;
    const double bases[] = {10e-6, 20e-6, 30e-6, 40e-6, 50e-6};
    std::vector<std::vector<std::string>> curves;
    for (const double base : bases) {
        curves.push_back(terminal.Row("I(vc)", at + 1));
        at = terminal.Find("I(vc)", at + 1);
        ASSERT_EQ(curves.back().size(), 11u);
        EXPECT_NEAR(number(curves.back()[1]), base, base * 1e-6);
        EXPECT_EQ(curves.back()[2], "51");
    }
    ExpectAgrees(number(curves[2][6]), printed(terminal, "vc#branch[152]", terminal.Find("> spice print vc#branch[152]")));
    // More base current, more collector current (into the transistor: the source's is negative).
    for (std::size_t k = 1; k < curves.size(); ++k) EXPECT_LT(number(curves[k][6]), number(curves[k - 1][6]));

    const Page page = FindPage(Plots(), "NPN output curves, a family over base drive: dc1 (DC transfer characteristic)");
    ASSERT_EQ(page.graphCsv.size(), 1u);
    const Csv data = ReadCsv(page.graphCsv.front());
    std::size_t gaps = 0;
    for (std::size_t row = 1; row < data.size(); ++row) gaps += data[row][0] == "NaN";
    EXPECT_EQ(gaps, 4u);
    EXPECT_EQ(pageTable(Plots(), "NPN output curves, a family over base drive: dc1 (DC transfer characteristic)").size(), 6u);
}

// The spectra against frequency on decades, the totals as a table; a 10k resistor's noise
// through 10n integrates to about sqrt(kT/C).
TEST_F(AnalysesTest, NoiseGivesTheSpectraAndTheTotals) {
    const std::size_t run = terminal.Find("noise2: .noise, 1 step");
    ASSERT_LT(run, terminal.lines.size());
    const std::size_t print = terminal.Find("> spice print onoise_total");
    const std::vector<std::string> output = terminal.Row("onoise_total", run);
    ASSERT_EQ(output.size(), 2u);
    ExpectAgrees(number(output[1]), printed(terminal, "onoise_total", print));
    ExpectAgrees(Number(terminal.Row("inoise_total", run), 1), printed(terminal, "inoise_total", print));
    EXPECT_NEAR(number(output[1]), std::sqrt(1.380649e-23 * 300.15 / 10e-9), 0.01e-6);
    EXPECT_FALSE(terminal.Has("unknown node: out"));  // a probe names no noise figure

    const std::string heading = "RC low-pass noise: a 10k resistor filtered by 10n: noise1 (Noise Spectral Density Curves)";
    const Page spectra = FindPage(Plots(), heading);
    ASSERT_EQ(spectra.graphCsv.size(), 1u);
    const Csv data = ReadCsv(spectra.graphCsv.front());
    ASSERT_EQ(data.size(), 1u + 51u);
    EXPECT_EQ(data.front(), (std::vector<std::string>{"Frequency (Hz)", "inoise_spectrum", "onoise_spectrum"}));
    ExpectAgrees(number(data[1][2]), printed(terminal, "onoise_spectrum[0]", terminal.Find("> spice print onoise_spectrum[0]")));
    const std::string svg = ReadFile(spectra.graphSvg.front());
    for (const char* tick : {">100<", ">10k<", ">1M<", ">1n<", ">100p<"}) EXPECT_NE(svg.find(tick), std::string::npos) << tick;
    const Csv totals = pageTable(Plots(), "RC low-pass noise: a 10k resistor filtered by 10n: noise2 (Integrated Noise)");
    EXPECT_EQ(totals.size(), 3u);
}

TEST_F(AnalysesTest, TransferFunctionGivesGainAndImpedances) {
    const std::size_t run = terminal.Find("tf1: .tf, 1 step");
    ASSERT_LT(run, terminal.lines.size());
    const std::size_t print = terminal.Find("> spice print all", run);
    ExpectAgrees(Number(terminal.Row("transfer", run), 2), printed(terminal, "transfer_function", print));
    ExpectAgrees(Number(terminal.Row("output", run), 4), printed(terminal, "output_impedance_at_v(c)", print));
    ExpectAgrees(Number(terminal.Row("input", run), 4), printed(terminal, "vin#input_impedance", print));
    const Csv table = pageTable(Plots(), "Emitter-degenerated common-emitter amplifier, small-signal transfer function: tf1 (Transfer Function)");
    ASSERT_EQ(table.size(), 4u);
    EXPECT_EQ(table[1][0], "transfer function");
}

// Poles as complex numbers, in order, with the natural frequency and Q a person reads off them.
TEST_F(AnalysesTest, PoleZeroGivesTheRootsAsComplexNumbers) {
    const std::size_t run = terminal.Find("pz1: .pz, 1 step");
    ASSERT_LT(run, terminal.lines.size());
    const std::size_t print = terminal.Find("> spice print all", run);
    for (const char* name : {"1", "2"}) {
        const std::vector<std::string> pole = terminal.Row("pole", terminal.Find(std::string("pole ") + name, run));
        ASSERT_EQ(pole.size(), 6u);  // "pole" N real imaginary frequency Q
        const std::string vector = std::string("pole(") + name + ")";
        ExpectAgrees(number(pole[2]), printed(terminal, vector, print));
        ExpectAgrees(number(pole[3]), printed(terminal, vector, print, true));
        EXPECT_NEAR(number(pole[4]), std::sqrt((1 + 10.0 / 1e3) / (1e-3 * 1e-6)) / (2 * M_PI), 0.01);  // the load damps it too
        EXPECT_NEAR(number(pole[5]), std::hypot(number(pole[2]), number(pole[3])) / (2 * std::abs(number(pole[2]))), 1e-5);
    }
    const Csv table = pageTable(Plots(), "Series RLC low-pass: poles and zeros: pz1 (Pole-Zero Analysis)");
    ASSERT_EQ(table.size(), 3u);
    EXPECT_EQ(table[1][0], "pole 1");
}

// The .control block runs when the deck is run, not when it is loaded, and its analyses come
// as any other: steps, results, pages.
TEST_F(AnalysesTest, ControlBlockRunsItsAnalysesOnRun) {
    const std::size_t load = terminal.Find("loaded " + deck("rc_control.cir"));
    ASSERT_LT(load, terminal.lines.size());
    EXPECT_LT(terminal.Find("analyses: a .control block of 4 commands", load), terminal.Find("> spice print V(out)", load));
    // Nothing ran at the load, so ngspice has no such vector yet.
    EXPECT_LT(terminal.Find("vector out is not available", load), terminal.Find("> probe out", load));
    const std::size_t run = terminal.Find("run of " + deck("rc_control.cir") + " with its .control block", load);
    ASSERT_LT(run, terminal.lines.size());
    EXPECT_LT(terminal.Find("finished in", run), terminal.lines.size());
    const std::vector<std::string> transient = terminal.Row("V(out)", terminal.Find("tran1: .tran", run));
    ASSERT_EQ(transient.size(), 10u);
    EXPECT_NEAR(number(transient[5]), 1.0 - std::exp(-2.0), 1e-3);  // charged for two time constants
    const std::size_t ac = terminal.Find("ac1: .ac, ", run);
    ASSERT_LT(ac, terminal.lines.size());
    const double points = Number(terminal.Row("length(frequency)", ac), 2);  // as ngspice counts them
    EXPECT_GT(points, 0.0);
    EXPECT_EQ(Number(terminal.Row("V(out)", ac), 1), points);
    EXPECT_EQ(FindPage(Plots(), "RC low-pass run from a .control block: tran1 (Transient Analysis)").graphCsv.size(), 1u);
    EXPECT_EQ(FindPage(Plots(), "RC low-pass run from a .control block: ac1 (AC Analysis)").graphCsv.size(), 2u);
    // The block's own sweep is drawn against the source it names.
    const Page sweep = FindPage(Plots(), "RC low-pass run from a .control block: dc1 (DC transfer characteristic)");
    ASSERT_EQ(sweep.graphCsv.size(), 1u);
    EXPECT_EQ(ReadCsv(sweep.graphCsv.front()).front().front(), "V1 (V)");
}

TEST_F(AnalysesTest, TransientThatGivesUpSaysItFailed) {
    const std::size_t run = terminal.Find("run of " + deck("stiff_tran.cir"));
    ASSERT_LT(run, terminal.lines.size());
    EXPECT_LT(terminal.Find("failed after", run), terminal.lines.size());
    EXPECT_EQ(terminal.Find("finished in", run), terminal.lines.size());
}
