#pragma once

#include <string>
#include <vector>

#include "analysis_record.h"
#include "signal_measures.h"

namespace veltsim {

// The signals a person asked to measure, and how.
struct ProbeSettings {
    std::vector<std::string> probes;  // as typed, in any naming form
    MeasureWindow window;             // of transient (and other real) analyses
    double acFrequency = 0.0;         // where AC gain and phase are read; 0: not chosen
    std::string reference;            // AC gains are against this signal; empty: against 1 V
    // Bumped on every change, so that measures taken under older settings are taken again.
    int version = 0;
};

// The measures of every probe over one analysis. Fed step by step while the analysis runs;
// made afresh from the analysis's record when the settings changed since.
class AnalysisMeasures {
public:
    AnalysisMeasures(const AnalysisRecord& record, const ProbeSettings& settings);

    // Takes the record's row `row`.
    void Add(const AnalysisRecord& record, std::size_t row);
    // Takes every row the record holds.
    void AddAll(const AnalysisRecord& record);

    int Version() const { return version_; }
    // Probes (as typed) that this analysis has no signal for.
    const std::vector<std::string>& Unknown() const { return unknown_; }
    // The results table, one row per probe found.
    std::vector<std::string> TableLines(const AnalysisRecord& record, const ProbeSettings& settings) const;

private:
    struct Column {
        int signal;
        TransientMeasures transient;
        AcMeasures ac;
    };

    std::vector<Column> columns_;
    std::vector<std::string> unknown_;
    int reference_ = -1;
    int version_;
};

}  // namespace veltsim
