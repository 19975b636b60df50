// The simulator's run commands and what it does with a run as it goes.

#include <algorithm>

#include "simulator_snapin.h"
#include "text_table.h"
#include "text_util.h"

namespace veltsim {

namespace {

std::string seconds(DWORD milliseconds) { return FormatValue(milliseconds / 1000.0) + " s"; }

std::string steps(std::size_t count) { return CountOf(count, "step"); }

constexpr const char* kNoSweepWithDeviceParameters =
    "ngspice cannot sweep AC while the deck saves device parameters (.save @..., savecurrents): "
    "it sends no steps or fails; take them out for the sweep";

std::string describe(const PlotStart& plot) { return "." + plot.type + " analysis (" + plot.title + ")"; }

}  // namespace

long SimulatorSnapIn::RunDeck(const Args& args) {
    if (!args.empty()) return Fail("run: takes no arguments (op, tran and ac run one analysis)");
    if (!deck_) return Fail("run: no deck loaded");
    if (deck_->analyses.empty()) return Fail("run: the deck has no analysis (use op, tran or ac)");
    const bool sweeps = std::any_of(deck_->analyses.begin(), deck_->analyses.end(),
                                    [](const std::string& card) { return ToLower(card).rfind(".ac", 0) == 0; });
    if (sweeps && deck_->savesDeviceParameters) return Fail(kNoSweepWithDeviceParameters);
    return StartRun("run", deck_->path);
}

long SimulatorSnapIn::RunAnalysis(const Args& args) {
    if (!deck_) return Fail(args.front() + ": no deck loaded");
    if (args.front() == "ac" && deck_->savesDeviceParameters) return Fail(kNoSweepWithDeviceParameters);
    std::string command;
    for (const std::string& word : args) command += (command.empty() ? "" : " ") + word;
    return StartRun(command, command);
}

long SimulatorSnapIn::StartRun(const std::string& command, const std::string& what) {
    if (!PrepareEngine()) return S_FALSE;
    analyses_.clear();
    measures_.clear();
    runFailed_ = false;
    if (!driver_.Start(GetGuiFE(), command)) return Fail("run: could not be started");
    runWhat_ = deck_->path + ": " + command;
    runLine_ = Say("run of " + what);
    std::string error;
    if (!plots_.Prepare(GetGuiFE(), error) && !error.empty()) SayUnder(runLine_, error);
    return S_OK;
}

long SimulatorSnapIn::Stop(const Args&) {
    if (!driver_.RequestStop()) {
        // Asked again (a second Ctrl-C, quit after stop) while the run halts: nothing failed.
        if (!driver_.IsBusy()) return Fail("stop: no run in progress");
        Say("stopping already");
        return S_OK;
    }
    Say("stopping");
    return S_OK;
}

long SimulatorSnapIn::Pause(const Args&) {
    if (!driver_.Pause()) return Fail(driver_.IsBusy() ? "pause: the run is already held" : "pause: no run in progress");
    Say("held at " + FormatValue(driver_.LastAbscissa()) + " after " + steps(driver_.Steps()));
    return S_OK;
}

long SimulatorSnapIn::Resume(const Args&) {
    if (!driver_.Resume()) return Fail("resume: no held run");
    Say("going on");
    return S_OK;
}

long SimulatorSnapIn::Status(const Args&) {
    if (!driver_.IsBusy()) {
        Say(deck_ ? "idle; deck " + deck_->path + " loaded" : "idle; no deck loaded");
        return S_OK;
    }
    std::string analysis = analyses_.empty() ? std::string("starting") : "." + analyses_.back()->Type();
    Say(std::string(driver_.IsPaused() ? "held" : "running") + ": " + analysis + ", " +
        steps(driver_.Steps()) + ", at " + FormatValue(driver_.LastAbscissa()));
    return S_OK;
}

void SimulatorSnapIn::AnalysisBegun(const PlotStart& plot) {
    analyses_.push_back(std::make_unique<AnalysisRecord>(plot));
    measures_.push_back(std::make_unique<AnalysisMeasures>(*analyses_.back(), settings_));
    plots_.BeginAnalysis(*analyses_.back(), settings_.probes, deck_->title + ": " + plot.name + " (" + plot.title + ")");
    SayUnder(runLine_, describe(plot) + " begun, " + std::to_string(plot.vectors.size()) + " signals");
    for (const std::string& probe : measures_.back()->Unknown()) {
        ++failures_;
        SayUnder(runLine_, "unknown node: " + probe + " (nodes lists the signals)");
    }
}

void SimulatorSnapIn::Step(const double* values) {
    AnalysisRecord& record = *analyses_.back();
    record.AddRow(values);
    // Measures made under older settings are made afresh when asked for; these go on live.
    AnalysisMeasures& measures = *measures_.back();
    if (measures.Version() == settings_.version) measures.Add(record, record.Rows() - 1);
    plots_.Step(record);
}

void SimulatorSnapIn::AnalysisEnded(bool complete) {
    AnalysisRecord& record = *analyses_.back();
    record.complete = complete;
    SayUnder(runLine_, "." + record.Type() + " analysis " + (complete ? "ended" : "stopped") + " after " + steps(record.Rows()));
}

void SimulatorSnapIn::Output(const std::string& line) {
    ToAuditTrail(WithoutStreamPrefix(line));
    if (!IsNgspiceError(line)) return;
    runFailed_ = true;
    SayUnder(runLine_, "ngspice: " + WithoutStreamPrefix(line));
}

void SimulatorSnapIn::RunEnded(const RunSummary& summary) {
    if (!summary.started && !summary.stopped) {
        ++failures_;
        SayUnder(runLine_, "ngspice would not start the run");
    } else if (summary.stopped) {
        SayUnder(runLine_, "stopped by request after " + steps(summary.steps) + "; " +
                               std::to_string(summary.stopLatencyMs) + " ms from the request to the halt; data so far kept");
    } else {
        SayUnder(runLine_, "finished in " + seconds(summary.milliseconds) + ", " + steps(summary.steps));
    }
    if (runFailed_) ++failures_;
    if (!settings_.probes.empty() && !analyses_.empty()) ReportResults(runLine_);
    PlotResults(summary);
    ReportExit();
}

}  // namespace veltsim
