// The simulator's measure commands: which signals are probed, over which window, and their
// results from the library's accumulators.

#include <algorithm>

#include "simulator_snapin.h"
#include "spice_number.h"
#include "text_table.h"
#include "text_util.h"

namespace veltsim {

bool SimulatorSnapIn::KnownSignal(const std::string& typed) const {
    // Before any run the circuit's signals are not known yet; the run reports what it lacks.
    if (analyses_.empty()) return true;
    const CString velt = VeltFromTyped(typed);
    return std::any_of(analyses_.begin(), analyses_.end(), [&](const auto& record) { return record->Find(velt) >= 0; });
}

long SimulatorSnapIn::Probe(const Args& args) {
    if (args.empty()) {
        std::string list;
        for (const std::string& probe : settings_.probes) list += " " + probe;
        Say(settings_.probes.empty() ? std::string("no probes") : "probes:" + list);
        return S_OK;
    }
    long result = S_OK;
    for (const std::string& probe : args) {
        if (!KnownSignal(probe)) {
            result = Fail("unknown node: " + probe + " (nodes lists the signals)");
            continue;
        }
        const CString velt = VeltFromTyped(probe);
        const bool present = std::any_of(settings_.probes.begin(), settings_.probes.end(),
                                         [&](const std::string& p) { return VeltFromTyped(p) == velt; });
        if (present) continue;
        settings_.probes.push_back(probe);
        ++settings_.version;
        Say("probing " + std::string(SpiceFromVelt(velt).GetNode()));
    }
    return result;
}

long SimulatorSnapIn::Unprobe(const Args& args) {
    if (args.empty()) return Fail("unprobe: give the signals, or all");
    if (args.size() == 1 && ToLower(args[0]) == "all") {
        settings_.probes.clear();
    } else {
        for (const std::string& probe : args) {
            const CString velt = VeltFromTyped(probe);
            auto& probes = settings_.probes;
            const auto kept = std::remove_if(probes.begin(), probes.end(), [&](const std::string& p) { return VeltFromTyped(p) == velt; });
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
    settings_.acFrequency = frequency;
    ++settings_.version;
    Say("AC gain and phase at " + FormatValue(frequency) + " Hz");
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
    if (settings_.probes.empty()) return Fail("results: no probes (probe NAME adds one)");
    ReportResults(nullptr);
    return S_OK;
}

void SimulatorSnapIn::ReportResults(HTREEITEM parent) {
    for (std::size_t i = 0; i < analyses_.size(); ++i) {
        const AnalysisRecord& record = *analyses_[i];
        const std::string title = record.Plot() + ": ." + record.Type() + ", " + CountOf(record.Rows(), "step") +
                                  (record.complete ? "" : ", stopped");
        SayTable(parent, title, MeasuresOf(i).TableLines(record, settings_));
    }
}

}  // namespace veltsim
