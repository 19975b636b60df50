// The simulator's run commands and what it does with a run as it goes.

#include <algorithm>
#include <filesystem>

#include "control_block.h"
#include "kept_signals.h"
#include "ngspice_tables.h"
#include "simulator_snapin.h"
#include "text_table.h"
#include "text_util.h"

namespace veltsim {

namespace {

std::string seconds(DWORD milliseconds) { return FormatValue(milliseconds / 1000.0) + " s"; }

std::string steps(std::size_t count) { return CountOf(count, "step"); }

std::string describe(const PlotStart& plot) { return "." + plot.type + " analysis (" + plot.title + ")"; }

// ngspice says that an analysis gave up ("Timestep too small", no convergence) without calling
// it an error: "run simulation(s) aborted".
bool isAbort(const std::string& line) {
    return line.rfind("stderr ", 0) == 0 && line.find("simulation(s) aborted") != std::string::npos;
}

std::string abscissaTitle(const AnalysisRecord& record, const std::optional<DcSweep>& sweep) {
    if (record.ScaleIndex() < 0) return "";
    if (record.Type() == "dc") return SweepAxisTitle(record, sweep ? &*sweep : nullptr);
    const NODE_TYPE scale = record.Signals()[static_cast<std::size_t>(record.ScaleIndex())].spice.GetNodeType();
    return scale == NODE_FREQUENCY ? "Frequency (Hz)" : "Time (s)";
}

}  // namespace

long SimulatorSnapIn::RunDeck(const Args& args) {
    if (!args.empty()) return Fail("run: takes no arguments (op, tran, ac, dc, noise, tf and pz run one analysis)");
    if (!deck_) return Fail("run: no deck loaded");
    std::vector<std::string> cards = deck_->analyses;
    const std::vector<std::string> control = ControlBlock(deck_->lines);
    if (cards.empty() && control.empty()) return Fail("run: the deck has no analysis (use op, tran, ac, dc, noise, tf or pz)");
    cards.insert(cards.end(), control.begin(), control.end());
    if (control.empty()) return StartRun("run", "run", deck_->path, cards);
    // Read afresh in ngspice's thread, the deck's file runs its .control block there; the
    // circuit loaded without the block gives way to the one read with it.
    std::error_code ignored;
    const std::string path = std::filesystem::absolute(deck_->path, ignored).string();
    // ngspice takes the words of source as files of their own, and keeps quotes as they are.
    if (path.find_first_of(" \t") != std::string::npos) return Fail("run: ngspice cannot run the .control block of a deck whose path has blanks: " + path);
    if (!PrepareEngine()) return S_FALSE;
    engine_.Command("remcirc");
    return StartRun("source " + path, "run", deck_->path + " with its .control block", cards);
}

long SimulatorSnapIn::RunAnalysis(const Args& args) {
    if (!deck_) return Fail(args.front() + ": no deck loaded");
    std::string command;
    for (const std::string& word : args) command += (command.empty() ? "" : " ") + word;
    // ngspice lowercases a deck as it reads it, but not a command: "dc I1 ..." finds no I1.
    return StartRun(ToLower(command), command, command, {command});
}

long SimulatorSnapIn::StartRun(const std::string& command, const std::string& typed, const std::string& what,
                               const std::vector<std::string>& cards) {
    if (!PrepareEngine() || !SendSaves(command)) return S_FALSE;
    analyses_.clear();
    measures_.clear();
    sweeps_.clear();
    runSweeps_.clear();
    runCards_ = cards;
    span_.reset();
    for (const std::string& card : cards) {
        if (std::optional<DcSweep> sweep = ParseDcSweep(card)) runSweeps_.push_back(*sweep);
    }
    runFailed_ = false;
    if (!driver_.Start(GetGuiFE(), command)) return Fail("run: could not be started");
    runWhat_ = deck_->path + ": " + typed;
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
    analyses_.push_back(std::make_unique<AnalysisRecord>(plot, EngineFetch()));
    analyses_.back()->Keep(KeptSignals(*analyses_.back(), settings_));
    const AnalysisRecord& record = *analyses_.back();
    measures_.push_back(std::make_unique<AnalysisMeasures>(record, settings_));
    // The run's analyses of a type begin in the order of their cards.
    const auto before = static_cast<std::size_t>(
        std::count_if(analyses_.begin(), analyses_.end() - 1, [&](const auto& r) { return r->Type() == record.Type(); }));
    const bool known = record.Type() == "dc" && before < runSweeps_.size();
    sweeps_.push_back(known ? std::optional<DcSweep>(runSweeps_[before]) : std::nullopt);
    span_ = SpanOfAnalysis(runCards_, record.Type(), before);
    plots_.BeginAnalysis(record, settings_.probes, deck_->title + ": " + plot.name + " (" + plot.title + ")",
                         abscissaTitle(record, sweeps_.back()));
    SayUnder(runLine_, describe(plot) + " begun, " + std::to_string(plot.vectors.size()) + " signals");
    if (!ProbesApply(record)) return;
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
    if (!IsNgspiceError(line) && !isAbort(line)) return;
    runFailed_ = true;
    SayUnder(runLine_, "ngspice: " + WithoutStreamPrefix(line));
}

void SimulatorSnapIn::RunEnded(const RunSummary& summary) {
    if (!summary.started && !summary.stopped) {
        ++failures_;
        SayUnder(runLine_, "ngspice would not start the run");
    } else if (summary.lost) {
        SayUnder(runLine_, "ended with ngspice after " + steps(summary.steps) + "; data so far kept");
    } else if (summary.stopped) {
        SayUnder(runLine_, "stopped by request after " + steps(summary.steps) + "; " +
                               std::to_string(summary.stopLatencyMs) + " ms from the request to the halt; data so far kept");
    } else {
        SayUnder(runLine_, (runFailed_ ? "failed after " : "finished in ") + seconds(summary.milliseconds) + ", " +
                               steps(summary.steps) + (runFailed_ ? "; data so far kept" : ""));
    }
    if (runFailed_) ++failures_;
    // Measures of signals that could not be fetched during the run are made again from the engine.
    if (std::any_of(analyses_.begin(), analyses_.end(), [](const auto& record) { return record->Missed(); })) {
        ++settings_.version;
    }
    ReportResults(runLine_);
    PlotResults(summary);
    ReportExit();
}

}  // namespace veltsim
