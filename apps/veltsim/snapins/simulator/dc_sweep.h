#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "analysis_measures.h"
#include "analysis_record.h"

namespace veltsim {

// What a DC sweep sweeps, as its card or command names it: the inner source, and the outer one
// that a nested sweep steps once per inner sweep.
//   ".dc V1 0 2 0.1" -> V1
//   "dc VC 0 5 0.1 IB 10u 50u 10u" -> VC; IB from 10u by 10u
struct DcSweep {
    std::string inner;
    std::string outer;  // empty for a single sweep
    double outerStart = 0.0;
    double outerStep = 0.0;
};

// Reads ".dc ..." or "dc ..." (any case); nullopt for anything else or a card too short.
std::optional<DcSweep> ParseDcSweep(const std::string& card);

// The first rows of the curves of a sweep that has arrived: a nested sweep starts its inner
// sweep again, from the same value, for every value of the outer source. Row 0 always starts one.
std::vector<std::size_t> CurveStarts(const AnalysisRecord& record);
// Whether row `row` (> 0) starts a new curve.
bool StartsCurve(const AnalysisRecord& record, std::size_t row);

// The sweep's abscissa as an axis title: the swept source with its unit, "V1 (V)", "temp
// (°C)"; the scale's own name when the card is not known.
std::string SweepAxisTitle(const AnalysisRecord& record, const DcSweep* sweep);

// The probes over the sweep, one row per probe and curve: the outer source's value (or the
// curve's number), the points, the swept range, the values at its ends, and the minimum and
// maximum with the swept value where each is reached first.
ResultTable SweepResults(const AnalysisRecord& record, const std::vector<std::string>& probes, const DcSweep* sweep);

}  // namespace veltsim
