#include "plotmodel/eng_format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "plotmodel/text_escape.h"

namespace plotmodel {

namespace {

constexpr int kLowestExponent = -24;
constexpr int kHighestExponent = 24;
constexpr const char* kPrefixes[] = {"y", "z", "a", "f", "p", "n", "u", "m", "", "k", "M", "G", "T", "P", "E", "Z", "Y"};

int floorLog10(double value) { return static_cast<int>(std::floor(std::log10(value))); }

// The decimals that show every multiple of `step` exactly: decimalsFor(0.25) -> 2; a step
// with no short decimal form gets three significant digits.
int decimalsFor(double step) {
    int threeDigits = std::clamp(2 - floorLog10(step), 0, 15);
    for (int decimals = 0; decimals < threeDigits; ++decimals) {
        double scaled = step * std::pow(10.0, decimals);
        if (std::fabs(scaled - std::round(scaled)) < 1e-6 * scaled) return decimals;
    }
    return threeDigits;
}

// "2.50" -> "2.5", "3.000" -> "3", "-0" -> "0".
std::string trimmed(const char* text) {
    std::string result(text);
    if (result.find('.') != std::string::npos) {
        result.erase(result.find_last_not_of('0') + 1);
        if (result.back() == '.') result.pop_back();
    }
    if (result == "-0") result = "0";
    return result;
}

}  // namespace

std::string EngineeringLabel(double value, double step) {
    if (!std::isfinite(value)) return std::string(NonFiniteText(value));
    double magnitude = std::fabs(value);
    if (!(step > 0) || !std::isfinite(step)) step = magnitude;
    if (magnitude == 0 || magnitude < step * 1e-6) return "0";

    int exponent = static_cast<int>(std::floor(floorLog10(magnitude) / 3.0)) * 3;
    // A mantissa that rounds up to 1000 moves on to the next prefix.
    char text[64];
    for (int pass = 0; pass < 2; ++pass) {
        if (exponent < kLowestExponent || exponent > kHighestExponent) {
            std::snprintf(text, sizeof text, "%.3g", value);
            return text;
        }
        int decimals = decimalsFor(step / std::pow(10.0, exponent));
        std::snprintf(text, sizeof text, "%.*f", decimals, value / std::pow(10.0, exponent));
        if (std::fabs(std::atof(text)) < 1000) break;
        exponent += 3;
    }
    return trimmed(text) + kPrefixes[(exponent - kLowestExponent) / 3];
}

}  // namespace plotmodel
