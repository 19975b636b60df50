#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis_record.h"
#include "probe_signal.h"
#include "signal_measures.h"
#include "transient_results.h"

namespace veltsim {

// The signals a person asked to measure, and how.
struct ProbeSettings {
    std::vector<std::string> probes;  // as typed: signals in any naming form, or expressions over them
    MeasureWindow window;             // of transient (and other real) analyses
    double acFrequency = 0.0;         // where AC gain and phase are read; 0: not chosen
    std::string reference;            // AC gains are against this signal; empty: against 1 V
    // Bumped on every change, so that measures taken under older settings are taken again.
    int version = 0;
};

// One cell of a results table: a number, or a text where there is no number ("-", a name).
struct ResultCell {
    std::string text;
    std::optional<double> number;
};

// The results of the probes over one analysis as a table: the headings, then one row per probe,
// its name first. The terminal prints it as text (ResultLines), the plotting module gets it as a
// table of numbers.
struct ResultTable {
    std::vector<std::string> headings;
    std::vector<std::vector<ResultCell>> rows;
};

// Numbers in seven significant digits (FormatValue), aligned under their headings.
std::vector<std::string> ResultLines(const ResultTable& table);

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
    // One row per probe found: its value for an operating point; for a transient the steps in
    // the window, the stretch covered, minimum, maximum, peak-to-peak, average, RMS and integral
    // as ngspice's .meas gives them (TransientResults); for an AC sweep its figures (AcFigures), then
    // gain (dB) and phase (degrees) at the chosen frequency ("-" where there is none).
    ResultTable Results(const AnalysisRecord& record, const ProbeSettings& settings) const;

private:
    struct Column {
        ProbeSignal probe;
        TransientResults transient;
        AcMeasures ac;
    };

    std::vector<Column> columns_;
    std::vector<std::string> unknown_;
    int reference_ = -1;
    int version_;
};

}  // namespace veltsim
