#pragma once

#include <complex>
#include <cstddef>
#include <string>
#include <vector>

#include "ngspice_names.h"
#include "run_channel.h"

namespace veltsim {

// One analysis as it arrived: its signals under their bridged names and every accepted step,
// kept so that measures asked for after the run (or while it goes on) see the data so far.
class AnalysisRecord {
public:
    // Names the signals of the plot; its abscissa ("time", "frequency", a DC sweep's
    // "v-sweep") is absent from an operating point and the other one-row analyses (ScaleIndex -1).
    explicit AnalysisRecord(const PlotStart& plot);

    // One step: real and imaginary part of every signal, in the plot's order.
    void AddRow(const double* values);

    const std::string& Type() const { return type_; }
    const std::string& Plot() const { return plot_; }
    const std::string& Title() const { return title_; }
    const std::vector<SignalName>& Signals() const { return signals_; }
    std::size_t Rows() const { return rows_; }
    int ScaleIndex() const { return scale_; }
    // The signal whose suite name is `velt` (lower case), or -1.
    int Find(const CString& velt) const;
    double Scale(std::size_t row) const { return scale_ < 0 ? 0.0 : Real(row, scale_); }
    double Real(std::size_t row, int signal) const { return At(row, signal)[0]; }
    std::complex<double> Value(std::size_t row, int signal) const {
        const double* value = At(row, signal);
        return {value[0], value[1]};
    }

    // Whether the analysis ran to its end rather than being stopped.
    bool complete = false;

private:
    // Steps are kept in blocks of this many, so that a long run never moves what it holds:
    // growing one array would copy all of it, tens of milliseconds on the user-interface thread.
    static constexpr std::size_t kRowsPerBlock = 4096;

    const double* At(std::size_t row, int signal) const {
        return &blocks_[row / kRowsPerBlock][2 * ((row % kRowsPerBlock) * signals_.size() + static_cast<std::size_t>(signal))];
    }

    std::string type_;
    std::string plot_;
    std::string title_;
    std::vector<SignalName> signals_;
    int scale_ = -1;
    std::vector<std::vector<double>> blocks_;
    std::size_t rows_ = 0;
};

}  // namespace veltsim
