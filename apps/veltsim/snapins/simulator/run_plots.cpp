#include "run_plots.h"

#include <algorithm>
#include <chrono>

#include "text_table.h"

namespace veltsim {

namespace {

// The front end's plotting source 0; the instruments may take the other.
constexpr long kPlottingSource = 0;

}  // namespace

bool RunPlots::Prepare(CGuiFE& frontEnd, std::string& error) {
    if (item_) return true;
    if (reported_) return false;
    reported_ = true;
    item_ = frontEnd.NewComItem("Simulator plots", ComItem::ItemGrapher, kPlottingSource);
    if (!item_ || !item_.GetGrapher()) {
        item_ = ComItem();
        error = "no plots: the plotting module " + std::string(kPlottingModule) + " could not be loaded";
        return false;
    }
    module_.Take();
    runs_ = std::make_unique<ChartLog>(item_.GetGrapher());
    return true;
}

void RunPlots::BeginAnalysis(const AnalysisRecord& record, const std::vector<std::string>& probes, const std::string& title,
                             const std::string& xTitle) {
    if (!item_) return;
    analyses_.push_back(std::make_unique<AnalysisPlot>(*item_.GetGrapher(), record, SignalsToPlot(record, probes), title, xTitle));
    lastRefresh_ = GetTickCount();
    msPerRow_ = 0.0;
    refreshMs_ = kFrameMs;
    refreshes_ = 0;
}

void RunPlots::Step(const AnalysisRecord& record) {
    if (analyses_.empty()) return;
    const std::size_t rows = record.Rows();
    // The first refresh comes with the first rows, so that the page shows at once. It also makes
    // what shows the page (a window, its widgets), so its cost says little about the rows: the
    // second, whatever its rows, is the first one measured.
    const bool first = refreshes_ == 0;
    const bool affordable = msPerRow_ > 0.0 ? msPerRow_ * static_cast<double>(rows) <= kRefreshBudgetMs
                                            : !first || rows <= kFirstRefreshRows;
    const bool due = first || GetTickCount() - lastRefresh_ >= refreshMs_;
    if (!affordable || !due) {
        analyses_.back()->Add(record, rows - 1, false);
        return;
    }
    const auto start = std::chrono::steady_clock::now();
    analyses_.back()->Add(record, rows - 1, true);
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    if (refreshes_++ > 0) msPerRow_ = took.count() / static_cast<double>(rows);
    refreshMs_ = std::max(kFrameMs, static_cast<DWORD>(took.count() * kRefreshShare));
    lastRefresh_ = GetTickCount();
}

void RunPlots::ShowResults(std::size_t analysis, const std::string& title, const ResultTable& results) {
    if (analysis < analyses_.size()) analyses_[analysis]->ShowResults(title, results);
}

void RunPlots::EndRun(const RunRow& row) {
    analyses_.clear();
    if (!runs_) return;
    runs_->OpenNewLog("Runs", "Runs of the simulator", "", 0, ChartLog::RUN_TABLE);
    const int line = runCount_++;
    runs_->AddLogEntry(line, 0, std::to_string(runCount_).c_str());
    runs_->AddLogEntry(line, 1, FormatValue(row.seconds).c_str());
    runs_->AddLogEntry(line, 2, row.output.c_str());
    runs_->AddLogEntry(line, 3, std::to_string(row.steps).c_str());
    runs_->AddLogEntry(line, 4, row.parameter.c_str());
    runs_->ShowLog();
}

void RunPlots::Close() {
    analyses_.clear();
    if (runs_) runs_->CloseLog();
    runs_.reset();
    runCount_ = 0;
    item_ = ComItem();
    reported_ = false;
    module_.Release();
}

}  // namespace veltsim
