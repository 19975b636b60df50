#include "analysis_plot.h"

#include <algorithm>
#include <complex>
#include <numbers>

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
    if (!probes.empty()) return signals;
    for (std::size_t i = 0; i < record.Signals().size() && signals.size() < kMaxTraces; ++i) {
        if (record.Signals()[i].spice.GetNodeType() == NODE_VOLTAGE) signals.push_back(ProbeSignal::Of(record, static_cast<int>(i)));
    }
    return signals;
}

AnalysisPlot::AnalysisPlot(CGrapherSource& source, const AnalysisRecord& record, std::vector<ProbeSignal> signals,
                           const std::string& title)
    : signals_(std::move(signals)), complex_(isAc(record)) {
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
        graph.SetTraceLabel(trace, signals_[k].Name(record).c_str(), ChartType{});
        if (right) graph.SetTraceAxis(trace, AXIS_POSITION_0, AXIS_POSITION_1);
    }
    graph.SetTitle(record.Title().c_str());
    graph.SetStdXAxisLabel(AXIS_POSITION_0, complex_ ? "Frequency (Hz)" : "Time (s)");
    const AxisPosition currentAxis = voltages ? AXIS_POSITION_1 : AXIS_POSITION_3;
    if (complex_) {
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
