#include "kept_signals.h"

#include "analysis_plot.h"

namespace veltsim {

std::vector<int> KeptSignals(const AnalysisRecord& record, const ProbeSettings& settings) {
    std::vector<int> kept = SignalsToPlot(record, settings.probes);
    kept.push_back(record.ScaleIndex());
    for (const std::string& probe : settings.probes) kept.push_back(record.Find(VeltFromTyped(probe)));
    if (!settings.reference.empty()) kept.push_back(record.Find(VeltFromTyped(settings.reference)));
    return kept;
}

}  // namespace veltsim
