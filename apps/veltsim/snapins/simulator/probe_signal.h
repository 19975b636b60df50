#pragma once

#include <complex>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include <veltutil/veltutil.h>

#include "analysis_record.h"
#include "signal_expression.h"

namespace veltsim {

// What a probe reads from one analysis: one of its signals, or an expression over several.
class ProbeSignal {
public:
    // The probe `typed` over `record`; false when it is not an expression or the record lacks a
    // signal it reads, `missing` then naming that signal (or saying what is wrong).
    static bool Bind(const AnalysisRecord& record, std::string_view typed, ProbeSignal& probe, std::string& missing);
    // The record's signal `signal` itself.
    static ProbeSignal Of(const AnalysisRecord& record, int signal);

    // Its value at the record's row `row`: complex for an AC sweep, the real part otherwise.
    std::complex<double> Value(const AnalysisRecord& record, std::size_t row) const;
    double Real(const AnalysisRecord& record, std::size_t row) const;
    // As people see it: a signal in the suite's SPICE form, an expression as typed.
    std::string Name(const AnalysisRecord& record) const;
    // Whether it is a current (drawn against the current axis); an expression is not.
    bool IsCurrent(const AnalysisRecord& record) const;
    // The record's signal it is, or -1 for an expression.
    int Signal() const { return expression_.IsSignal() ? inputs_.front() : -1; }

private:
    SignalExpression expression_;
    std::vector<int> inputs_;  // the record's signal for each of the expression's
    // The inputs' values of the row being evaluated, kept to spare an allocation per step.
    mutable std::vector<std::complex<double>> complexValues_;
    mutable std::vector<double> realValues_;
    std::string text_;
};

// The same probe whatever form it was typed in: "V(OUT)", "out" and "out:" alike; an expression
// in any case and spacing.
std::string ProbeKey(std::string_view typed);

// The signals a probe reads, as written; false, with `error` saying what is wrong, when `typed`
// is not an expression or reads no signal.
bool ProbeInputs(std::string_view typed, std::vector<std::string>& signals, std::string& error);

// Whether a signal, as a probe names it, is a device quantity ("@m1[id]", "@q1:x1[ic]").
bool IsDeviceQuantity(const std::string& signal);

// The probes of a command line's words: a word inside an open parenthesis, or next to an
// arithmetic operator, is joined with the next, so that "v(a," "b)" is one probe, "v(a, b)",
// and "2" "*" "V(out)" is "2 * V(out)"; "-2*V(out)" after another probe starts a probe.
std::vector<std::string> JoinedProbes(const std::vector<std::string>& words);

// A probe as replies show it: a signal in the suite's SPICE form, an expression as typed.
std::string ProbeDisplayName(const std::string& typed);

}  // namespace veltsim
