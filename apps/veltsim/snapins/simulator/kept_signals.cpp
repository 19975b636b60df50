#include "kept_signals.h"

#include "analysis_plot.h"

namespace veltsim {

std::vector<int> KeptSignals(const AnalysisRecord& record, const ProbeSettings& settings) {
    // A one-row analysis (.op, .tf, .pz, noise totals) costs nothing to keep whole, and its
    // tables read every signal.
    if (record.ScaleIndex() < 0) {
        std::vector<int> all(record.Signals().size());
        for (std::size_t i = 0; i < all.size(); ++i) all[i] = static_cast<int>(i);
        return all;
    }
    std::vector<int> kept = SignalsToPlot(record, settings.probes);
    kept.push_back(record.ScaleIndex());
    for (const std::string& probe : settings.probes) kept.push_back(record.Find(VeltFromTyped(probe)));
    if (!settings.reference.empty()) kept.push_back(record.Find(VeltFromTyped(settings.reference)));
    return kept;
}

}  // namespace veltsim
