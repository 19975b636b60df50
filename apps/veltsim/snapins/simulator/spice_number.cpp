#include "spice_number.h"

#include <cctype>
#include <cstdlib>
#include <string>

namespace veltsim {

namespace {

double scaleOf(std::string_view suffix) {
    auto is = [&](std::string_view prefix) {
        if (suffix.size() < prefix.size()) return false;
        for (std::size_t i = 0; i < prefix.size(); ++i) {
            if (std::tolower(static_cast<unsigned char>(suffix[i])) != prefix[i]) return false;
        }
        return true;
    };
    if (is("meg")) return 1e6;  // before "m", which it starts with
    if (suffix.empty()) return 1.0;
    switch (std::tolower(static_cast<unsigned char>(suffix.front()))) {
    case 'f': return 1e-15;
    case 'p': return 1e-12;
    case 'n': return 1e-9;
    case 'u': return 1e-6;
    case 'm': return 1e-3;
    case 'k': return 1e3;
    case 'g': return 1e9;
    case 't': return 1e12;
    default: return 1.0;
    }
}

// The length of the decimal number at the start of text: sign, digits, point, exponent.
std::size_t numberLength(std::string_view text) {
    auto digitsFrom = [&](std::size_t i) {
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
        return i;
    };
    std::size_t i = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
    const std::size_t intStart = i;
    i = digitsFrom(i);
    bool digits = i > intStart;
    if (i < text.size() && text[i] == '.') {
        const std::size_t fracStart = i + 1;
        i = digitsFrom(fracStart);
        digits = digits || i > fracStart;
    }
    if (!digits) return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '-' || text[j] == '+')) ++j;
        const std::size_t expEnd = digitsFrom(j);
        if (expEnd > j) i = expEnd;  // "1e" is 1 followed by a unit
    }
    return i;
}

}  // namespace

bool ParseSpiceNumber(std::string_view text, double& value) {
    const std::size_t length = numberLength(text);
    if (length == 0) return false;
    value = std::strtod(std::string(text.substr(0, length)).c_str(), nullptr) * scaleOf(text.substr(length));
    return true;
}

}  // namespace veltsim
