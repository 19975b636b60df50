#include "analysis_plot.h"

#include <algorithm>
#include <complex>
#include <limits>
#include <numbers>

#include "dc_sweep.h"
#include "ngspice_tables.h"

namespace veltsim {

namespace {

constexpr std::size_t kMaxTraces = 8;
// The module's identifiers of what a standard page holds; the drawing module keeps them only.
constexpr unsigned long kPageId = 1;
constexpr unsigned long kGraphId = 1;
// A table created with 2 starts its row count afresh.
constexpr unsigned long kTableId = 2;
constexpr int kNameColumnWidth = 160;
constexpr int kValueColumnWidth = 110;
// The column kinds the client itself gives a standard table: a leading text column and value
// columns, which the drawing module aligns right.
constexpr ChartType kTextColumn{3};
constexpr ChartType kValueColumn{2};
// How far the ranges collected for the expanding refit reach beyond the data.
constexpr double kRangeMargin = 1.2;

bool isAc(const AnalysisRecord& record) { return record.Type() == "ac"; }

}  // namespace

std::vector<ProbeSignal> SignalsToPlot(const AnalysisRecord& record, const std::vector<std::string>& probes) {
    std::vector<ProbeSignal> signals;
    if (record.ScaleIndex() < 0) return signals;
    if (ProbesApply(record) && !probes.empty()) {
        std::vector<std::string> taken;
        for (const std::string& probe : probes) {
            ProbeSignal signal;
            std::string missing;
            std::string key = ProbeKey(probe);
            if (signals.size() < kMaxTraces && std::find(taken.begin(), taken.end(), key) == taken.end() &&
                ProbeSignal::Bind(record, probe, signal, missing)) {
                signals.push_back(std::move(signal));
                taken.push_back(std::move(key));
            }
        }
        return signals;
    }
    // Noise spectra are drawn whatever is probed: the probes name none of them. (Their names
    // read as voltages.)
    for (std::size_t i = 0; i < record.Signals().size() && signals.size() < kMaxTraces; ++i) {
        const int signal = static_cast<int>(i);
        if (record.Signals()[i].spice.GetNodeType() == NODE_VOLTAGE && signal != record.ScaleIndex()) {
            signals.push_back(ProbeSignal::Of(record, signal));
        }
    }
    return signals;
}

AnalysisPlot::AnalysisPlot(CGrapherSource& source, const AnalysisRecord& record, std::vector<ProbeSignal> signals,
                           const std::string& title, const std::string& xTitle)
    : signals_(std::move(signals)), xTitle_(xTitle), complex_(isAc(record)), sweep_(record.Type() == "dc") {
    if (source.Create(kPageId, page_) != S_OK) return;
    page_.SetPageTabname(record.Plot().c_str());
    page_.SetTitle(title.c_str());
    if (!signals_.empty()) OpenGraph(record);
}

void AnalysisPlot::OpenGraph(const AnalysisRecord& record) {
    // An AC sweep is drawn from magnitude and phase worked out here, so that the phase is
    // unwrapped along the sweep rather than jumping between +180 and -180 degrees.
    const GrapherDiagramType type = complex_ ? DIAGRAM_MAGNITUDE_PHASE : DIAGRAM_SINGLE_VALUE;
    phases_.resize(signals_.size());
    if (page_.OpenStdGraph(kGraphId, type) != S_OK) {
        signals_.clear();
        return;
    }
    CStdGrapherGraph& graph = page_.GetStdGrapherGraph();
    const bool voltages = std::any_of(signals_.begin(), signals_.end(), [&](const ProbeSignal& s) { return !s.IsCurrent(record); });
    for (std::size_t k = 0; k < signals_.size(); ++k) {
        const int trace = static_cast<int>(k);
        const bool right = voltages && signals_[k].IsCurrent(record);
        graph.AddTrace();
        // ngspice's own figures (the noise densities) are no node's voltage: they keep its names.
        const int signal = signals_[k].Signal();
        const std::string label = ProbesApply(record) || signal < 0 ? signals_[k].Name(record)
                                                                   : record.Signals()[static_cast<std::size_t>(signal)].ngspice;
        graph.SetTraceLabel(trace, label.c_str(), ChartType{});
        if (right) graph.SetTraceAxis(trace, AXIS_POSITION_0, AXIS_POSITION_1);
    }
    graph.SetTitle(record.Title().c_str());
    graph.SetStdXAxisLabel(AXIS_POSITION_0, xTitle_.c_str());
    const AxisPosition currentAxis = voltages ? AXIS_POSITION_1 : AXIS_POSITION_3;
    if (!ProbesApply(record)) {
        // Noise densities span decades, over decades of frequency.
        graph.SetAxisLabel(AXIS_POSITION_3, "Noise density", "per √Hz");
        graph.NthGraph(0)->SetAxisAttr(AXIS_POSITION_0, 0, 0, 0, SCALE_TYPE_1);
        graph.NthGraph(0)->SetAxisAttr(AXIS_POSITION_3, 0, 0, 0, SCALE_TYPE_1);
    } else if (complex_) {
        // Magnitude and phase: the second graph names itself "Phase (deg)".
        graph.SetAxisLabel(AXIS_POSITION_3, voltages ? "Magnitude (V)" : "Magnitude (A)", nullptr);
        if (currentAxis != AXIS_POSITION_3) graph.SetAxisLabel(currentAxis, "Magnitude (A)", nullptr);
        // A standard graph gives the phase graph a linear frequency axis; a sweep is read on a
        // logarithmic one, in magnitude as well.
        for (int n = 0; n < 2; ++n) graph.NthGraph(n)->SetAxisAttr(AXIS_POSITION_0, 0, 0, 0, SCALE_TYPE_1);
        graph.NthGraph(0)->SetAxisAttr(AXIS_POSITION_3, 0, 0, 0, SCALE_TYPE_1);
        if (currentAxis != AXIS_POSITION_3) graph.NthGraph(0)->SetAxisAttr(currentAxis, 0, 0, 0, SCALE_TYPE_1);
    } else {
        graph.SetAxisLabel(AXIS_POSITION_3, voltages ? "Voltage" : "Current", voltages ? "V" : "A");
        if (currentAxis != AXIS_POSITION_3) graph.SetAxisLabel(currentAxis, "Current", "A");
    }
    graph.AddUpdateMode(CGrapherGraph::UPDATE_EVERY_N_CALLS, 1);
    graph.AddUpdateMode(CGrapherGraph::UPDATE_EXPANDING, kRangeMargin);
}

void AnalysisPlot::Add(const AnalysisRecord& record, std::size_t row, bool update) {
    if (signals_.empty()) return;
    CStdGrapherGraph& graph = page_.GetStdGrapherGraph();
    if (sweep_ && StartsCurve(record, row)) {
        // A point that cannot be drawn ends a trace's line, so that the next curve of a family
        // is not joined to the one before.
        constexpr double kGap = std::numeric_limits<double>::quiet_NaN();
        graph.SetXAxisGraphData(kGap);
        for (std::size_t k = 0; k < signals_.size(); ++k) graph.SetNthGraphData(static_cast<int>(k), kGap, 0, 0, 0, 0, 0, 0, 0);
        graph.AddData(0, 0);
    }
    graph.SetXAxisGraphData(record.Scale(row));
    for (std::size_t k = 0; k < signals_.size(); ++k) {
        const std::complex<double> value = signals_[k].Value(record, row);
        const double first = complex_ ? std::abs(value) : value.real();
        const double second = complex_ ? phases_[k].Next(std::arg(value) * (180.0 / std::numbers::pi)) : 0.0;
        graph.SetNthGraphData(static_cast<int>(k), first, second, 0, 0, 0, 0, 0, 0);
    }
    graph.AddData(update ? 1 : 0, 0);
    refitted_ = refitted_ || update;
}

void AnalysisPlot::ShowResults(const std::string& title, const ResultTable& results) {
    if (!IsOpened() || page_.OpenStdChart(kTableId, DIAGRAM_SINGLE_VALUE) != S_OK) return;
    CStdGrapherChart& table = page_.GetStdGrapherChart();
    table.SetTitle(title.c_str());
    for (std::size_t c = 0; c < results.headings.size(); ++c) {
        table.AddCollumn(results.headings[c].c_str(), c == 0 ? kNameColumnWidth : kValueColumnWidth,
                         c == 0 ? kTextColumn : kValueColumn);
    }
    for (const auto& cells : results.rows) {
        const int row = table.GetNumRows();
        table.AddRow();
        table.SetRowItemText(row, cells.front().text.c_str());
        for (std::size_t c = 1; c < cells.size(); ++c) {
            const ResultCell& cell = cells[c];
            const int column = static_cast<int>(c);
            if (cell.number) {
                table.SetItemDouble(row, column, *cell.number);
            } else {
                table.SetItemText(row, column, cell.text.c_str());
            }
        }
    }
}

void AnalysisPlot::Close() {
    if (!IsOpened()) return;
    CStdGrapherGraph& graph = page_.GetStdGrapherGraph();
    // The axes as the last refit left them may not hold what came after it. Until a first
    // refit set them, the module fits them to all of the data by itself. (Fitting as the graph
    // closes, UPDATE_ON_CLOSE, would make the module write all of the data twice.)
    if (refitted_) graph.UpdateDisplayWithContraints(CGrapherGraph::UPDATE_ON_CLOSE);
    // The graph first: every close makes the module write the page, and the graph's data (its
    // largest part) are written again by each close that comes after data were added.
    graph.CloseNow();
    page_.CloseChartsAndGraphsOnPageNow();
    page_.CloseNow();
}

}  // namespace veltsim
