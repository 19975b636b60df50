#include "kept_signals.h"

#include "analysis_plot.h"
#include "probe_signal.h"

namespace veltsim {

namespace {

// The record's signals that a probe (or the AC reference) reads: itself, or an expression's inputs.
void takeProbe(const AnalysisRecord& record, const std::string& probe, std::vector<int>& kept) {
    std::vector<std::string> inputs;
    std::string error;
    if (!ProbeInputs(probe, inputs, error)) inputs = {probe};
    for (const std::string& input : inputs) kept.push_back(record.Find(VeltFromTyped(input)));
}

}  // namespace

std::vector<int> KeptSignals(const AnalysisRecord& record, const ProbeSettings& settings) {
    // A one-row analysis (.op, .tf, .pz, noise totals) costs nothing to keep whole, and its
    // tables read every signal.
    if (record.ScaleIndex() < 0) {
        std::vector<int> all(record.Signals().size());
        for (std::size_t i = 0; i < all.size(); ++i) all[i] = static_cast<int>(i);
        return all;
    }
    std::vector<int> kept{record.ScaleIndex()};
    for (const ProbeSignal& drawn : SignalsToPlot(record, settings.probes)) {
        if (drawn.Signal() >= 0) kept.push_back(drawn.Signal());
    }
    for (const std::string& probe : settings.probes) takeProbe(record, probe, kept);
    if (!settings.reference.empty()) takeProbe(record, settings.reference, kept);
    return kept;
}

}  // namespace veltsim
