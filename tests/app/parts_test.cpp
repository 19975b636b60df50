// The application's parts on their own: numbers, scripts and decks as read, names as bridged
// between ngspice and the suite, the signals drawn, the measures and the run channel.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <complex>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "analysis_plot.h"
#include "deck.h"
#include "ngspice_names.h"
#include "run_channel.h"
#include "script.h"
#include "signal_measures.h"
#include "spice_number.h"
#include "tests/support/temp_dir.h"
#include "text_table.h"

using veltsim::ChannelBatch;
using veltsim::MeasureWindow;
using veltsim::RunChannel;
using veltsim::TransientMeasures;

TEST(SpiceNumber, ScaleSuffixesAndUnits) {
    const struct {
        const char* text;
        double value;
    } rows[] = {
        {"5m", 5e-3}, {"10", 10.0}, {"1MEG", 1e6}, {"10kHz", 1e4}, {"2.5e-3", 2.5e-3},
        {"100n", 1e-7}, {"3p", 3e-12}, {"1f", 1e-15}, {"4u", 4e-6}, {"2g", 2e9}, {"1t", 1e12},
        {".5", 0.5}, {"-1.5k", -1500.0}, {"1e", 1.0}, {"7x", 7.0},
    };
    for (const auto& row : rows) {
        double value = 0.0;
        ASSERT_TRUE(veltsim::ParseSpiceNumber(row.text, value)) << row.text;
        EXPECT_DOUBLE_EQ(value, row.value) << row.text;
    }
    for (const char* bad : {"", "m", "abc", "-", ".", " 5", "inf", "nan"}) {
        double value = 0.0;
        EXPECT_FALSE(veltsim::ParseSpiceNumber(bad, value)) << bad;
    }
}

TEST(Script, LinesStatementsCommentsAndBackground) {
    std::vector<std::string> lines;
    for (const veltsim::ScriptLine& line : veltsim::ScriptLines("load a.cir; run &\n# a note\n\n  status ;; stop&  \nresults")) {
        lines.push_back(line.text + (line.background ? " &" : ""));
    }
    EXPECT_EQ(lines, (std::vector<std::string>{"load a.cir", "run &", "status", "stop &", "results"}));
}

// The title, the analyses, measures joined with their continuation lines, device parameters
// saved on a continuation line or by the option; files that are missing or empty are refused
// with their path.
TEST(Deck, TitleAnalysesMeasuresAndSavedDeviceParameters) {
    TempDir dir;
    const struct {
        const char* text;
        bool saves;
    } rows[] = {
        {"A title .tran 1 2\r\nV1 a 0 1\n  .TRAN 1u 1m\n.meas tran x RMS V(a)\n+ FROM=1 TO=2\n.ac dec 10 1 10\n.end\n", false},
        {"t\n.save out in\n+ @r1[i]\n.end\n", true},
        {"t\n.OPTIONS reltol=1e-4 SAVECURRENTS\n.end\n", true},
        {"t\n.save out v1#branch\n* @r1[i] in a comment\n.end\n", false},
    };
    veltsim::Deck deck;
    std::string error;
    for (const auto& row : rows) {
        std::ofstream(dir / "deck.cir") << row.text;
        ASSERT_TRUE(veltsim::ReadDeck(dir / "deck.cir", deck, error));
        EXPECT_EQ(deck.savesDeviceParameters, row.saves) << row.text;
        if (row.text[0] != 'A') continue;
        EXPECT_EQ(deck.title, "A title .tran 1 2");
        EXPECT_EQ(deck.analyses, (std::vector<std::string>{".TRAN 1u 1m", ".ac dec 10 1 10"}));
        ASSERT_EQ(deck.measures, std::vector<std::string>{".meas tran x RMS V(a) FROM=1 TO=2"});
        std::string analysis, name;
        ASSERT_TRUE(veltsim::SplitMeasure(deck.measures[0], analysis, name));
        EXPECT_EQ(analysis + " " + name, "tran x");
    }
    std::ofstream(dir / "empty.cir");
    EXPECT_FALSE(veltsim::ReadDeck(dir / "empty.cir", deck, error));
    EXPECT_EQ(error, "cannot read deck: " + dir / "empty.cir" + ": empty");
    dir.MakeDir("folder.cir");
    EXPECT_FALSE(veltsim::ReadDeck(dir / "folder.cir", deck, error));
    EXPECT_EQ(error, "cannot read deck: " + dir / "folder.cir" + ": Is a directory");
}

TEST(TextTable, ColumnsAlignedToTheirWidestCell) {
    veltsim::TextTable table({"probe", "rms"});
    table.AddRow({"V(out)", "1.165538"});
    table.AddRow({"I(v1)"});
    EXPECT_EQ(table.Lines(), (std::vector<std::string>{"probe   rms", "------  --------", "V(out)  1.165538", "I(v1)"}));
}

// Every kind of name ngspice reports, as the suite keeps it and as people see it.
TEST(NgspiceNames, BridgeToTheSuitesNames) {
    const struct {
        const char* ngspice;
        const char* velt;
        const char* spice;
        NODE_TYPE type;
        int group;
    } rows[] = {
        {"out", "out", "V(out)", NODE_VOLTAGE, 0},
        {"x1.x2.mid", "x1.x2.mid", "V(mid:x2:x1)", NODE_VOLTAGE, GROUP_SUBMODULE},
        {"vdd#branch", "vdd#branch", "I(vdd)", NODE_CURRENT, 0},
        {"v.x1.vsense#branch", "x1.vsense#branch", "I(vsense:x1)", NODE_CURRENT, GROUP_SUBMODULE},
        {"q1#base", "q1#base", "V(q1#base)", NODE_VOLTAGE, GROUP_INTERNAL},
        {"q.x1.q1#base", "x1.q1#base", "V(q1:x1#base)", NODE_VOLTAGE, GROUP_INTERNAL | GROUP_SUBMODULE},
        {"@r.x1.x2.r1[i]", "@x1.x2.r1[i]", "@r1:x2:x1[i]", NODE_CURRENT, GROUP_SUBMODULE},
        {"@q.x1.q1[ic]", "@x1.q1[ic]", "@q1:x1[ic]", NODE_CURRENT, GROUP_SUBMODULE},
        {"@c.x1.c1[p]", "@x1.c1[p]", "@c1:x1[p]", NODE_NONE, GROUP_SUBMODULE},
        // A node named like a device still is a node: only '#' and '@' names carry type letters.
        {"x.xout", "x.xout", "V(xout:x)", NODE_VOLTAGE, GROUP_SUBMODULE},
        // Two pieces are never a renamed device, even when their first letters agree.
        {"x.xmid#branch", "x.xmid#branch", "I(xmid:x)", NODE_CURRENT, GROUP_SUBMODULE},
        {"time", "time", "time", NODE_TIME, 0},
        {"frequency", "frequency", "frequency", NODE_FREQUENCY, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.ngspice);
        const veltsim::SignalName name = veltsim::BridgeNgspiceName(row.ngspice);
        EXPECT_EQ(name.velt, row.velt);
        EXPECT_EQ(name.spice.GetNode(), row.spice);
        EXPECT_EQ(name.spice.GetNodeType(), row.type);
        EXPECT_EQ(name.spice.GetFullNodeGroup(), row.group);
    }
}

// A person may type a signal in the suite's SPICE form (as shown above), the suite's own form
// or ngspice's, with or without V()/I(), in any case: all reach the same signal.
TEST(NgspiceNames, TypedFormsReachTheSameSignal) {
    const struct {
        const char* typed;
        const char* velt;
    } rows[] = {
        {"v( OUT )", "out"},
        {"V(mid:x2:x1)", "x1.x2.mid"},
        {"mid:x2:x1", "x1.x2.mid"},
        {"X1.X2.MID", "x1.x2.mid"},
        {"I(vsense:x1)", "x1.vsense#branch"},
        {"I(x1.vsense)", "x1.vsense#branch"},
        {"v.x1.vsense#branch", "x1.vsense#branch"},
        {"q1:x1#base", "x1.q1#base"},
        {"q.x1.q1#base", "x1.q1#base"},
        {"@r1:x2:x1[i]", "@x1.x2.r1[i]"},
        {"@r.x1.x2.r1[i]", "@x1.x2.r1[i]"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        EXPECT_EQ(veltsim::VeltFromTyped(row.typed), row.velt);
    }
}

namespace {

std::vector<std::string> plotted(const veltsim::PlotStart& plot, const std::vector<std::string>& probes) {
    const veltsim::AnalysisRecord record(plot);
    std::vector<std::string> names;
    for (const veltsim::ProbeSignal& signal : veltsim::SignalsToPlot(record, probes)) {
        names.push_back(signal.Signal() >= 0 ? record.Signals()[signal.Signal()].ngspice : signal.Name(record));
    }
    return names;
}

}  // namespace

// The probes are drawn, each once, whatever form they were typed in; without probes the node
// voltages, never the abscissa or a current; at most one signal per colour of the palette.
TEST(SignalsToPlot, ProbesElseVoltagesAtMostEight) {
    const veltsim::PlotStart tran{"tran1", "tran", "Transient Analysis",
                                  {"time", "in", "out", "v1#branch", "x1.mid", "q.x1.q1#base", "12"}};
    std::vector<std::string> many{"time"};
    for (char digit = '0'; digit <= '9'; ++digit) many.push_back(std::string{'n', digit});
    const veltsim::PlotStart wide{"tran1", "tran", "Transient Analysis", many};
    const veltsim::PlotStart op{"op1", "op", "Operating Point", {"in", "out"}};
    const struct {
        const char* name;
        veltsim::PlotStart plot;
        std::vector<std::string> probes;
        std::vector<std::string> expected;
    } rows[] = {
        {"voltages", tran, {}, {"in", "out", "x1.mid", "q.x1.q1#base", "12"}},
        {"probes", tran, {"I(v1)", "out", "V(out)", "mid:x1", "v(in, out)", "V(IN,Out)", "12"}, {"v1#branch", "out", "x1.mid", "v(in, out)", "12"}},
        {"unknown probes", tran, {"nosuch"}, {}},
        {"eight", wide, {}, {"n0", "n1", "n2", "n3", "n4", "n5", "n6", "n7"}},
        {"no abscissa", op, {"out"}, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(plotted(row.plot, row.probes), row.expected);
    }
}

// Steps that cross an edge of the window are cut there: the window is covered exactly, with
// the values at its edges interpolated and the points inside it taken as they are; a step
// across the whole window still gives both edges.
TEST(TransientMeasures, WindowIsCoveredExactlyWithInterpolatedEdges) {
    TransientMeasures ramp(MeasureWindow{2.5, 7.5});
    for (int x = 0; x <= 10; ++x) ramp.Add(x, 2.0 * x);
    EXPECT_EQ(ramp.Points(), 7u);  // 2.5, 3 ... 7, 7.5
    EXPECT_DOUBLE_EQ(ramp.From(), 2.5);
    EXPECT_DOUBLE_EQ(ramp.To(), 7.5);
    EXPECT_DOUBLE_EQ(ramp.Min(), 5.0);
    EXPECT_DOUBLE_EQ(ramp.Max(), 15.0);

    TransientMeasures across(MeasureWindow{2.0, 3.0});
    across.Add(0.0, 0.0);
    across.Add(10.0, 10.0);
    EXPECT_EQ(across.Points(), 2u);
    EXPECT_DOUBLE_EQ(across.Min(), 2.0);
    EXPECT_DOUBLE_EQ(across.Max(), 3.0);
}

// A full channel holds the producer until the consumer takes (a paused run holds ngspice).
// Cancelling frees a waiting producer at once and drops rows from then on, so that a stop
// never waits for a consumer; reopening accepts rows again.
TEST(RunChannel, FullChannelHoldsTheProducerUntilTakenOrCancelled) {
    RunChannel channel(2);
    const double row[] = {0, 0};
    std::atomic<int> pushed{0};
    std::atomic<bool> accepted{true};
    std::thread producer([&] {
        for (int i = 0; i < 5 && accepted; ++i) {
            accepted = channel.PushRow(row, 2);
            if (accepted) ++pushed;
        }
    });
    ChannelBatch batch;
    for (int held : {2, 4}) {
        while (pushed < held) std::this_thread::yield();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EXPECT_EQ(pushed, held);
        if (held == 2) channel.TakeAll(batch);
    }
    EXPECT_EQ(batch.rows, 2u);
    channel.Cancel();  // frees the fifth row's wait
    producer.join();
    EXPECT_FALSE(accepted);
    EXPECT_FALSE(channel.PushRow(row, 2));
    channel.Reopen();  // without the rows held at the stop
    channel.TakeAll(batch);
    EXPECT_EQ(batch.rows, 0u);
    EXPECT_TRUE(channel.PushRow(row, 2));
}
