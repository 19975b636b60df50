#include "veltutil/foundation/text_format.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "veltutil/foundation/text_split.h"

namespace {

constexpr int maxTabBlanks = 37;
constexpr int maxPrefix = 6;

// Exact powers 1000^k, so that mantissas such as 4700 / 1000 come out as the nearest double.
constexpr double thousandPowers[maxPrefix + 1] = {1.0, 1e3, 1e6, 1e9, 1e12, 1e15, 1e18};
constexpr const char* largePrefix[maxPrefix + 1] = {"", "k", "M", "G", "T", "P", "E"};
constexpr const char* smallPrefix[maxPrefix + 1] = {"", "m", "u", "n", "p", "f", "a"};

}  // namespace

CString DetabString(CString text, int tabSize) {
    tabSize = std::max(tabSize, 1);
    CString result;
    CString token;
    while (veltutil::detail::ExtractToken(text, "\t", token, text)) {
        result += token;
        result += CString(' ', std::min(token.GetLength() % tabSize, maxTabBlanks));
    }
    return result;
}

void ExpandNumber(double value, const CString& unit, double& mantissa, CString& unitOut, int largePrefixes,
                  int smallPrefixes) {
    mantissa = value;
    unitOut = unit;
    if (value == 0.0 || !std::isfinite(value)) return;
    double magnitude = std::fabs(value);
    double exponent = std::log10(magnitude);
    if (exponent == 0.0 || (exponent > 0 && !largePrefixes) || (exponent < 0 && !smallPrefixes)) return;

    bool large = exponent > 0;
    double steps = large ? std::floor(exponent / 3) : std::floor((std::fabs(exponent) + 1) / 3);
    int k = static_cast<int>(std::min(steps, static_cast<double>(maxPrefix)));
    double scaled = large ? magnitude / thousandPowers[k] : magnitude * thousandPowers[k];
    mantissa = std::copysign(scaled, value);
    if (k > 0) unitOut = CString(large ? largePrefix[k] : smallPrefix[k]) + unit;
}

int fromString(const char* text, double& value) {
    value = std::atof(text != nullptr ? text : "");
    return 1;
}
