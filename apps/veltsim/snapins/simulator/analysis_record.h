#pragma once

#include <complex>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "ngspice_names.h"
#include "run_channel.h"

namespace veltsim {

// One analysis as it arrived: its signals under their bridged names and, for the signals it
// keeps, every accepted step, so that measures asked for after the run (or while it goes on)
// see the data so far.
//
// A record keeps what the run needs once, in the form it has: real values for a real analysis,
// real and imaginary parts only for a complex one (an AC sweep), and only the signals chosen
// with Keep before the first step (all of them unless chosen). A signal it does not keep is
// fetched whole, once, from where the analysis ran when it is first read; until that can be
// done (a run goes on), or when it cannot be done any more, it reads as NaN.
class AnalysisRecord {
public:
    enum class Fetched { kYes, kNotNow, kNever };
    // Every value of `signal` of `record`'s analysis: real values, or real and imaginary parts
    // in turn when `complex`.
    using Fetch = std::function<Fetched(const AnalysisRecord& record, int signal, std::vector<double>& values, bool& complex)>;

    // Names the signals of the plot; its abscissa ("time", "frequency", a DC sweep's
    // "v-sweep") is absent from an operating point and the other one-row analyses (ScaleIndex -1).
    explicit AnalysisRecord(const PlotStart& plot, Fetch fetch = {});

    // The signals whose steps are kept from now on, each once.
    void Keep(const std::vector<int>& signals);
    // One step: real and imaginary part of every signal, in the plot's order.
    void AddRow(const double* values);

    const std::string& Type() const { return type_; }
    const std::string& Plot() const { return plot_; }
    const std::string& Title() const { return title_; }
    const std::vector<SignalName>& Signals() const { return signals_; }
    std::size_t Rows() const { return rows_; }
    int ScaleIndex() const { return scale_; }
    bool IsComplex() const { return complex_; }
    bool Keeps(int signal) const { return column_[static_cast<std::size_t>(signal)] >= 0; }
    // True once a signal not kept was read while it could not be fetched: what was made of it
    // is to be made again.
    bool Missed() const { return missed_; }
    // The signal whose suite name is `velt` (lower case), or -1.
    int Find(const CString& velt) const;
    double Scale(std::size_t row) const { return scale_ < 0 ? 0.0 : Real(row, scale_); }
    double Real(std::size_t row, int signal) const { return *At(row, signal); }
    std::complex<double> Value(std::size_t row, int signal) const;

    // Whether the analysis ran to its end rather than being stopped.
    bool complete = false;

private:
    // Steps are kept in blocks of this many, so that a long run never moves what it holds:
    // growing one array would copy all of it, tens of milliseconds on the user-interface thread.
    static constexpr std::size_t kRowsPerBlock = 4096;

    // A signal read whole from where the analysis ran.
    struct Vector {
        std::vector<double> values;
        bool complex = false;
        bool tried = false;
    };

    // The first value of `signal` at `row`, its imaginary part right after it when it has one.
    const double* At(std::size_t row, int signal) const;
    bool complexAt(int signal) const;
    const Vector& fetched(int signal) const;

    std::string type_;
    std::string plot_;
    std::string title_;
    std::vector<SignalName> signals_;
    int scale_ = -1;
    bool complex_;
    Fetch fetch_;
    std::vector<int> kept_;    // the kept signals, in the order of their columns
    std::vector<int> column_;  // per signal its column, or -1
    std::size_t width_ = 0;    // values per kept row
    std::vector<std::vector<double>> blocks_;
    std::size_t rows_ = 0;
    mutable std::vector<Vector> fetched_;
    mutable bool missed_ = false;
};

}  // namespace veltsim
