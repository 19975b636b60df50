#include "run_span.h"

#include <algorithm>
#include <cmath>

#include "spice_number.h"
#include "text_util.h"

namespace veltsim {

double RunSpan::Fraction(double abscissa) const {
    double done = 0.0;
    if (logarithmic) {
        // A logarithmic sweep from or to zero cannot be; its numbers were refused by ngspice.
        if (abscissa <= 0.0 || start <= 0.0 || stop <= start) return 0.0;
        done = std::log(abscissa / start) / std::log(stop / start);
    } else {
        if (stop <= start) return 0.0;
        done = (abscissa - start) / (stop - start);
    }
    return std::clamp(done, 0.0, 1.0);
}

std::optional<RunSpan> SpanOfCard(const std::string& card) {
    std::vector<std::string> words = Words(ToLower(card));
    if (words.empty()) return std::nullopt;
    std::string type = words.front();
    if (!type.empty() && type.front() == '.') type.erase(0, 1);
    RunSpan span{type};
    if (type == "tran" && words.size() >= 3 && ParseSpiceNumber(words[2], span.stop)) return span;
    if (type == "ac" && words.size() >= 5 && ParseSpiceNumber(words[3], span.start) && ParseSpiceNumber(words[4], span.stop)) {
        span.logarithmic = words[1] != "lin";
        return span;
    }
    return std::nullopt;
}

std::optional<RunSpan> SpanOfAnalysis(const std::vector<std::string>& cards, const std::string& type, std::size_t earlier) {
    for (const std::string& card : cards) {
        std::optional<RunSpan> span = SpanOfCard(card);
        if (span && span->type == type && earlier-- == 0) return span;
    }
    return std::nullopt;
}

}  // namespace veltsim
