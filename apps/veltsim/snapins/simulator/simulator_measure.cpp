// The simulator's measure commands: which signals are probed, over which window, and their
// results from the library's accumulators.

#include <algorithm>

#include "run_saves.h"
#include "simulator_snapin.h"
#include "spice_number.h"
#include "text_table.h"
#include "text_util.h"

namespace veltsim {

namespace {

// What the results table of an analysis holds, as its title on the analysis's page.
std::string resultsCaption(const AnalysisRecord& record, const ProbeSettings& settings) {
    if (record.ScaleIndex() < 0) return "Values of the probes";
    if (record.Type() == "ac") {
        std::string caption = "Gain and phase of the probes";
        if (settings.acFrequency > 0.0) caption += " at " + FormatValue(settings.acFrequency) + " Hz";
        if (!settings.reference.empty()) caption += " against " + settings.reference;
        return caption;
    }
    if (settings.window.IsWhole()) return "Measures of the probes";
    return "Measures of the probes from " + FormatValue(settings.window.from) + " to " + FormatValue(settings.window.to);
}

// The run table's output value: the first probe's last two results, which are the ones that
// sum up an analysis (RMS and integral, gain and phase), or its value.
//   "V(out): rms 1.165538, integral 0.005000004"
std::string headline(const ResultTable& results) {
    const std::vector<ResultCell>& cells = results.rows.front();
    std::string text = cells.front().text + ":";
    const std::size_t first = cells.size() > 3 ? cells.size() - 2 : 1;
    for (std::size_t c = first; c < cells.size(); ++c) {
        text += (c > first ? ", " : " ") + results.headings[c] + " " + cells[c].text;
    }
    return text;
}

}  // namespace

bool SimulatorSnapIn::KnownSignal(const std::string& typed) const {
    // Before any run the circuit's signals are not known yet; the run reports what it lacks.
    if (analyses_.empty()) return true;
    const CString velt = VeltFromTyped(typed);
    return std::any_of(analyses_.begin(), analyses_.end(), [&](const auto& record) { return record->Find(velt) >= 0; });
}

bool SimulatorSnapIn::CheckProbe(const std::string& typed) {
    std::vector<std::string> signals;
    std::string error;
    if (!ProbeInputs(typed, signals, error)) {
        Fail("probe: " + error);
        return false;
    }
    // A device quantity that the last run did not save is saved by the next.
    const bool known = std::all_of(signals.begin(), signals.end(), [&](const std::string& signal) {
        return KnownSignal(signal) || IsDeviceQuantity(signal);
    });
    if (!known) Fail("unknown node: " + typed + " (nodes lists the signals)");
    return known;
}

long SimulatorSnapIn::Probe(const Args& args) {
    if (args.empty()) {
        std::string list;
        for (const std::string& probe : settings_.probes) list += " " + probe;
        Say(settings_.probes.empty() ? std::string("no probes") : "probes:" + list);
        return S_OK;
    }
    long result = S_OK;
    for (const std::string& probe : JoinedProbes(args)) {
        if (!CheckProbe(probe)) {
            result = S_FALSE;
            continue;
        }
        const std::string key = ProbeKey(probe);
        const bool present = std::any_of(settings_.probes.begin(), settings_.probes.end(),
                                         [&](const std::string& p) { return ProbeKey(p) == key; });
        if (present) continue;
        settings_.probes.push_back(probe);
        ++settings_.version;
        Say("probing " + ProbeDisplayName(probe));
    }
    return result;
}

bool SimulatorSnapIn::SendSaves(const std::string& command) {
    const bool sweepsAc = command == "run" ? std::any_of(deck_->analyses.begin(), deck_->analyses.end(),
                                                         [](const std::string& card) { return ToLower(card).rfind(".ac", 0) == 0; })
                                           : command.rfind("ac", 0) == 0;
    std::vector<std::string> probed;
    for (const std::string& probe : settings_.probes) {
        std::vector<std::string> signals;
        std::string error;
        if (!ProbeInputs(probe, signals, error)) continue;
        for (const std::string& signal : signals) {
            if (IsDeviceQuantity(signal)) probed.push_back(NgspiceDeviceParameter(VeltFromTyped(signal)));
        }
    }
    const SavePlan plan = PlanSaves(deck_->saves, probed, deck_->savesDeviceParameters, sweepsAc, savesChanged_);
    for (const std::string& save : plan.commands) {
        if (engine_.Command(save) != 0) {
            Fail("run: ngspice refused \"" + save + "\"");
            return false;
        }
    }
    savesChanged_ = savesChanged_ || !plan.commands.empty();
    if (!plan.leftOut.empty()) {
        std::string names;
        for (const std::string& name : plan.leftOut) names += " " + name;
        Say("not saved in a run with an AC sweep, where ngspice gives no device quantities:" + names);
    }
    return true;
}

long SimulatorSnapIn::Unprobe(const Args& args) {
    if (args.empty()) return Fail("unprobe: give the signals, or all");
    if (args.size() == 1 && ToLower(args[0]) == "all") {
        settings_.probes.clear();
    } else {
        for (const std::string& probe : JoinedProbes(args)) {
            const std::string key = ProbeKey(probe);
            auto& probes = settings_.probes;
            const auto kept = std::remove_if(probes.begin(), probes.end(), [&](const std::string& p) { return ProbeKey(p) == key; });
            if (kept == probes.end()) return Fail("unprobe: " + probe + " is not probed");
            probes.erase(kept, probes.end());
        }
    }
    ++settings_.version;
    Say(settings_.probes.empty() ? "no probes left" : std::to_string(settings_.probes.size()) + " probes left");
    return S_OK;
}

long SimulatorSnapIn::Window(const Args& args) {
    if (args.size() == 1 && ToLower(args[0]) == "all") {
        settings_.window = MeasureWindow{};
        ++settings_.version;
        Say("measuring the whole run");
        return S_OK;
    }
    double from = 0.0;
    double to = 0.0;
    if (args.size() != 2 || !ParseSpiceNumber(args[0], from) || !ParseSpiceNumber(args[1], to) || !(from < to)) {
        return Fail("window: give FROM and TO, FROM before TO (5m 10m), or all");
    }
    settings_.window = MeasureWindow{from, to};
    ++settings_.version;
    Say("measuring from " + FormatValue(from) + " to " + FormatValue(to));
    return S_OK;
}

long SimulatorSnapIn::At(const Args& args) {
    double frequency = 0.0;
    if (args.size() != 1 || !ParseSpiceNumber(args[0], frequency) || !(frequency > 0.0)) {
        return Fail("at: give one frequency above 0 (1k, 1591.5)");
    }
    // Against the last run's sweep, when it had one: a frequency outside it has no values, and
    // one between its points has interpolated values.
    std::string how;
    for (const auto& record : analyses_) {
        if (record->Type() != "ac" || record->Rows() == 0) continue;
        const double first = record->Scale(0);
        const double last = record->Scale(record->Rows() - 1);
        if (!WithinSweep(first, last, frequency)) {
            return Fail("at: " + FormatValue(frequency) + " Hz is outside the sweep, " + FormatValue(first) + " to " +
                        FormatValue(last) + " Hz");
        }
        bool point = false;
        for (std::size_t row = 0; row < record->Rows() && !point; ++row) point = IsSweepPoint(record->Scale(row), frequency);
        how = point ? ", a sweep point" : ", interpolated between sweep points";
    }
    settings_.acFrequency = frequency;
    ++settings_.version;
    Say("AC gain and phase at " + FormatValue(frequency) + " Hz" + how);
    return S_OK;
}

long SimulatorSnapIn::Reference(const Args& args) {
    if (args.size() != 1) return Fail("ref: give one signal, or none");
    if (ToLower(args[0]) == "none") {
        settings_.reference.clear();
    } else {
        if (!KnownSignal(args[0])) return Fail("unknown node: " + args[0] + " (nodes lists the signals)");
        settings_.reference = args[0];
    }
    ++settings_.version;
    Say(settings_.reference.empty() ? std::string("AC gains against 1 V")
                                     : "AC gains against " + std::string(SpiceFromVelt(VeltFromTyped(args[0])).GetNode()));
    return S_OK;
}

long SimulatorSnapIn::Results(const Args&) {
    if (analyses_.empty()) return Fail("results: no run yet");
    if (ReportResults(nullptr) == 0) return Fail("results: no probes (probe NAME adds one)");
    return S_OK;
}

std::optional<ResultTable> SimulatorSnapIn::ResultsOf(std::size_t analysis, std::string& caption) {
    if (std::optional<ResultTable> kind = KindResults(analysis, caption)) {
        return kind->rows.empty() ? std::nullopt : kind;
    }
    if (settings_.probes.empty()) return std::nullopt;
    caption = resultsCaption(*analyses_[analysis], settings_);
    return MeasuresOf(analysis).Results(*analyses_[analysis], settings_);
}

std::size_t SimulatorSnapIn::ReportResults(HTREEITEM parent) {
    std::size_t reported = 0;
    for (std::size_t i = 0; i < analyses_.size(); ++i) {
        const AnalysisRecord& record = *analyses_[i];
        std::string caption;
        const std::optional<ResultTable> results = ResultsOf(i, caption);
        if (!results) continue;
        const std::string title = record.Plot() + ": ." + record.Type() + ", " + CountOf(record.Rows(), "step") +
                                  (record.complete ? "" : ", stopped");
        SayTable(parent, title, ResultLines(*results));
        ++reported;
    }
    return reported;
}

void SimulatorSnapIn::PlotResults(const RunSummary& summary) {
    RunRow row{summary.milliseconds / 1000.0, "-", summary.steps, runWhat_};
    for (std::size_t i = 0; i < analyses_.size(); ++i) {
        row.parameter += ", ." + analyses_[i]->Type();
        std::string caption;
        const std::optional<ResultTable> results = ResultsOf(i, caption);
        if (!results) continue;
        plots_.ShowResults(i, caption, *results);
        if (!results->rows.empty()) row.output = headline(*results);
    }
    const bool failed = runFailed_ || (!summary.started && !summary.stopped);
    row.parameter += summary.stopped ? ", stopped" : failed ? ", failed" : ", finished";
    plots_.EndRun(row);
}

}  // namespace veltsim
