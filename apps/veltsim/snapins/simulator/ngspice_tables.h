#pragma once

#include <string>

#include "analysis_measures.h"
#include "analysis_record.h"

namespace veltsim {

// Whether an analysis's vectors are the circuit's signals, which probes name (an operating
// point, a transient, an AC or DC sweep), rather than figures of ngspice's own (noise, transfer
// function, poles and zeros).
bool ProbesApply(const AnalysisRecord& record);

// Whether ngspice computes the analysis's results itself, as one row of figures: the transfer
// function (.tf), the poles and zeros (.pz), the integrated noise (the second plot of .noise).
bool HasOwnResults(const AnalysisRecord& record);

// Those figures as a table, whatever is probed.
//   .tf: one row each for the transfer function, the output and the input impedance
//   .pz: one row per pole and zero (poles first, by number): real and imaginary part, the
//        natural frequency |s|/2π and, for a complex pair, Q = |s|/(2|Re s|)
//   noise totals: one row per integrated noise, in V or A
ResultTable OwnResults(const AnalysisRecord& record);
// The table's title on the analysis's page.
std::string OwnResultsCaption(const AnalysisRecord& record);

}  // namespace veltsim
