#include "plotmodel/text_escape.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace plotmodel {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// The length of the valid UTF-8 sequence at the start of text, or 0.
std::size_t utf8Length(std::string_view text) {
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    unsigned char lead = byte(0);
    std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || length > text.size()) return 0;
    for (std::size_t i = 1; i < length; ++i)
        if ((byte(i) & 0xC0) != 0x80) return 0;
    // Overlong forms and surrogates are not characters either.
    if (length == 2 && lead < 0xC2) return 0;
    if (length == 3 && ((lead == 0xE0 && byte(1) < 0xA0) || (lead == 0xED && byte(1) >= 0xA0))) return 0;
    if (length == 4 && ((lead == 0xF0 && byte(1) < 0x90) || lead > 0xF4 || (lead == 0xF4 && byte(1) >= 0x90))) return 0;
    return length;
}

std::string printed(double value, const char* format, int precision) {
    if (!std::isfinite(value)) return std::string(NonFiniteText(value));
    char text[512];  // %.17f of the largest double takes 327 characters
    std::snprintf(text, sizeof text, format, precision, value);
    return text;
}

}  // namespace

std::string XmlEscaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        std::size_t length = utf8Length(text);
        char c = text[0];
        if (length == 0 || (length == 1 && static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r')) {
            out += kReplacement;
            length = 1;
        } else if (c == '&') {
            out += "&amp;";
        } else if (c == '<') {
            out += "&lt;";
        } else if (c == '>') {
            out += "&gt;";
        } else if (c == '"') {
            out += "&quot;";
        } else if (c == '\'') {
            out += "&#39;";
        } else {
            out.append(text.substr(0, length));
        }
        text.remove_prefix(length);
    }
    return out;
}

std::string CsvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + '"';
}

std::string HexColour(unsigned long colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", static_cast<unsigned>(colour & 0xFF),
                  static_cast<unsigned>((colour >> 8) & 0xFF), static_cast<unsigned>((colour >> 16) & 0xFF));
    return text;
}

std::string_view NonFiniteText(double value) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value > 0 ? "Infinity" : "-Infinity";
    return {};
}

void AppendNumber(std::string& out, double value) {
    if (!std::isfinite(value)) {
        out += NonFiniteText(value);
        return;
    }
    char text[32];
    auto result = std::to_chars(text, text + sizeof text, value);
    out.append(text, result.ptr);
}

std::string SignificantText(double value, int significant) { return printed(value, "%.*g", significant); }

std::string DecimalText(double value, int decimals) { return printed(value, "%.*f", decimals); }

void AppendPixel(std::string& out, double value) {
    char text[32];
    auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 1);
    out.append(text, result.ptr);
}

}  // namespace plotmodel
