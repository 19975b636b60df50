#pragma once

#include <optional>
#include <string>
#include <vector>

namespace veltsim {

// The stretch of abscissa an analysis goes through, as its card or command says: a transient
// from 0 to its stop time, an AC sweep from its first frequency to its last (on a logarithmic
// scale unless it is linear). The other analyses have none a run can be measured against.
struct RunSpan {
    std::string type;  // "tran", "ac"
    double start = 0.0;
    double stop = 0.0;
    bool logarithmic = false;

    // How far `abscissa` is along the span, within 0 and 1.
    double Fraction(double abscissa) const;
};

// The span of a card (".tran 1u 10m", "ac dec 10 1 1meg"); nullopt for an analysis without one
// or a card whose numbers do not read.
std::optional<RunSpan> SpanOfCard(const std::string& card);

// The span of the analysis of `type` that begins after `earlier` others of that type began in
// the same run of `cards`, which run in their order.
std::optional<RunSpan> SpanOfAnalysis(const std::vector<std::string>& cards, const std::string& type, std::size_t earlier);

}  // namespace veltsim
