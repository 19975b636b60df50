#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis_plot.h"

namespace {

std::vector<std::string> plotted(const veltsim::PlotStart& plot, const std::vector<std::string>& probes) {
    const veltsim::AnalysisRecord record(plot);
    std::vector<std::string> names;
    for (int signal : veltsim::SignalsToPlot(record, probes)) names.push_back(record.Signals()[signal].ngspice);
    return names;
}

}  // namespace

// The probes are drawn, each once, whatever form they were typed in; without probes the node
// voltages, never the abscissa or a current; at most one signal per colour of the palette.
TEST(SignalsToPlot, ProbesElseVoltagesAtMostEight) {
    const veltsim::PlotStart tran{"tran1", "tran", "Transient Analysis",
                                  {"time", "in", "out", "v1#branch", "x1.mid", "q.x1.q1#base"}};
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
        {"voltages", tran, {}, {"in", "out", "x1.mid", "q.x1.q1#base"}},
        {"probes", tran, {"I(v1)", "out", "V(out)", "mid:x1"}, {"v1#branch", "out", "x1.mid"}},
        {"unknown probes", tran, {"nosuch"}, {}},
        {"eight", wide, {}, {"n0", "n1", "n2", "n3", "n4", "n5", "n6", "n7"}},
        {"no abscissa", op, {"out"}, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(plotted(row.plot, row.probes), row.expected);
    }
}
