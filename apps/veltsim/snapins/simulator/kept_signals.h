#pragma once

#include <vector>

#include "analysis_measures.h"
#include "analysis_record.h"

namespace veltsim {

// The signals whose steps `record` keeps as its analysis runs: all of a one-row analysis's;
// otherwise the scale, the signals that the probes and the AC reference read (an expression's
// inputs) and those its page draws. Everything else stays in the engine and is fetched when
// first read. What a new kind of measure reads belongs here too.
std::vector<int> KeptSignals(const AnalysisRecord& record, const ProbeSettings& settings);

}  // namespace veltsim
