// The results that an analysis has of its own kind, rather than the probes' measures.

#include "ngspice_tables.h"
#include "simulator_snapin.h"

namespace veltsim {

std::optional<ResultTable> SimulatorSnapIn::KindResults(std::size_t analysis, std::string& caption) const {
    const AnalysisRecord& record = *analyses_[analysis];
    if (HasOwnResults(record)) {
        caption = OwnResultsCaption(record);
        return OwnResults(record);
    }
    if (record.Type() == "dc") {
        const DcSweep* sweep = sweeps_[analysis] ? &*sweeps_[analysis] : nullptr;
        caption = "The probes over the sweep" + (sweep ? " of " + sweep->inner : std::string());
        return SweepResults(record, settings_.probes, sweep);
    }
    // Noise spectra are drawn, not tabulated.
    if (!ProbesApply(record)) return ResultTable{};
    return std::nullopt;
}

}  // namespace veltsim
