#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include <veltutil/veltutil.h>

#include "analysis_measures.h"
#include "analysis_plot.h"
#include "analysis_record.h"
#include "plotting_module.h"

namespace veltsim {

// One row of the run table, in the chart log's five columns: the run's number (counted here),
// its wall time in seconds, its headline result, the accepted steps it took (the sum) and what
// ran with how it ended (the parameter).
struct RunRow {
    double seconds = 0.0;
    std::string output;
    std::size_t steps = 0;
    std::string parameter;
};

// The simulator's plots: a standard page per analysis of the run in progress, fed step by step,
// and the run table, a chart log with one row per run that stays open across runs.
//
// The plotting source is the front end's (NewComItem of a grapher item, which loads
// "grapher.dll"), asked for at the first run; without it the simulator runs without plots. The
// pages of a run are closed when the run ends (their files stay, complete). Everything is
// closed by Close, which may come after the front end has let go of the module: the plots hold
// the module loaded themselves until then, as their pages live in it.
class RunPlots {
public:
    RunPlots() = default;
    RunPlots(const RunPlots&) = delete;
    RunPlots& operator=(const RunPlots&) = delete;
    ~RunPlots() { Close(); }

    // Takes the plotting source from the front end unless it has it already; false when there
    // is none. `error` says why, the first time only.
    bool Prepare(CGuiFE& frontEnd, std::string& error);
    // Opens the page of a new analysis of the run, titled `title`, drawing the probes it has, or
    // its voltages, against its abscissa titled `xTitle`.
    void BeginAnalysis(const AnalysisRecord& record, const std::vector<std::string>& probes, const std::string& title,
                       const std::string& xTitle);
    // Draws the newest row of the current analysis. The page is refreshed as often as the last
    // refresh's cost allows it to take at most 1 / kRefreshShare of the run, and never more
    // often than a screen shows a frame: a module that draws on screen and only marks the page
    // follows the run at the screen's pace, one that writes files (a few milliseconds) every
    // quarter of a second or so. Refreshes stop while one would take more than
    // kRefreshBudgetMs, since a module that writes all of the data each time keeps the command
    // line waiting meanwhile. The cost of a row is learnt from the refreshes after the first,
    // which is made with at most kFirstRefreshRows rows. A fast run is drawn when its analysis ends.
    void Step(const AnalysisRecord& record);
    // The table of the page of the run's analysis `n`.
    void ShowResults(std::size_t analysis, const std::string& title, const ResultTable& results);
    // Closes the run's pages, then adds its row to the run table and shows it.
    void EndRun(const RunRow& row);
    // Closes the pages and the run table and gives back the source and the module.
    void Close();
    // The grapher item the plots are made through; empty before the first run or without one.
    const ComItem& Item() const { return item_; }

private:
    static constexpr DWORD kFrameMs = 33;
    static constexpr double kRefreshShare = 50.0;
    static constexpr double kRefreshBudgetMs = 5.0;
    static constexpr std::size_t kFirstRefreshRows = 4096;

    ComItem item_;
    PlottingModuleHold module_;
    bool reported_ = false;
    // Made with the source and destroyed by Close: even closed, a chart log names its page to
    // the module once more when it is destroyed, so it must not outlive the module.
    std::unique_ptr<ChartLog> runs_;
    int runCount_ = 0;
    std::vector<std::unique_ptr<AnalysisPlot>> analyses_;
    DWORD lastRefresh_ = 0;
    DWORD refreshMs_ = kFrameMs;
    int refreshes_ = 0;  // of the current analysis
    double msPerRow_ = 0.0;  // learnt from the last write; 0 before the first
};

}  // namespace veltsim
