#include "veltutil/properties/internal/property_text.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace veltutil::detail {

namespace {
constexpr std::uint32_t unmatched = std::numeric_limits<std::uint32_t>::max();

std::size_t find(std::string_view text, char ch, std::size_t from, std::size_t to) {
    if (from >= to) return npos;
    const void* hit = std::memchr(text.data() + from, ch, to - from);
    return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - text.data()) : npos;
}

// Copies a number text into a terminated buffer, so that the conversion cannot read past it.
template <class Convert>
auto convert(std::string_view value, Convert convertText) {
    char small[64];
    if (value.size() < sizeof small) {
        std::copy(value.begin(), value.end(), small);
        small[value.size()] = '\0';
        return convertText(small);
    }
    return convertText(std::string(value).c_str());
}
}  // namespace

std::size_t closeByCounting(std::string_view text, std::size_t open, std::size_t limit) {
    return countToClose(text.data(), open, limit, npos);
}

BraceIndex::BraceIndex(std::string_view text) {
    std::vector<std::uint32_t> pending;  // ranks of the open braces not closed yet
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '{') {
            pending.push_back(static_cast<std::uint32_t>(opens_.size()));
            opens_.push_back(static_cast<std::uint32_t>(i));
            closes_.push_back(unmatched);
        } else if (text[i] == '}' && !pending.empty()) {
            closes_[pending.back()] = static_cast<std::uint32_t>(i);
            pending.pop_back();
        }
    }
}

std::size_t BraceIndex::close(std::size_t open, std::size_t limit) const {
    auto it = std::lower_bound(opens_.begin(), opens_.end(), open);
    if (it == opens_.end() || *it != open) return npos;
    std::uint32_t closing = closes_[static_cast<std::size_t>(it - opens_.begin())];
    return closing != unmatched && closing < limit ? closing : npos;
}

ItemFields parseItem(const BraceMatcher& matcher, std::size_t begin, std::size_t end) {
    std::string_view text = matcher.text;
    ItemFields item;
    std::size_t colon = find(text, ':', begin, end);
    std::size_t restBegin = colon == npos ? end : colon + 1;
    item.label = trim(text.substr(begin, (colon == npos ? end : colon) - begin));
    if (item.label.empty()) return item;
    std::size_t open = find(text, '{', restBegin, end);
    item.type = trim(text.substr(restBegin, (open == npos ? end : open) - restBegin));
    if (open == npos || end - open < 2) return item;
    std::size_t close = matcher.close(open, end);
    if (close == npos) return item;
    item.value = text.substr(open + 1, close - open - 1);
    item.hasValue = true;
    return item;
}

long countListItems(std::string_view text) {
    ListReader reader(text);
    ItemFields item;
    long count = 0;
    while (reader.next(item)) ++count;
    return count;
}

void appendEscaped(std::string& out, std::string_view text) {
    for (char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '{': out += "\\("; break;
        case '}': out += "\\)"; break;
        default: out += c;
        }
    }
}

void appendUnescaped(std::string& out, std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++i == text.size()) break;  // a final lone backslash is dropped
        char escaped = text[i];
        out += escaped == '(' ? '{' : escaped == ')' ? '}' : escaped;
    }
}

void appendLong(std::string& out, long value) {
    char buffer[32];
    int n = std::snprintf(buffer, sizeof buffer, "%ld", value);
    out.append(buffer, static_cast<std::size_t>(n));
}

void appendDouble(std::string& out, double value) {
    char buffer[64];
    int n = std::snprintf(buffer, sizeof buffer, "%lg", value);
    out.append(buffer, static_cast<std::size_t>(n));
}

long toLong(std::string_view value) {
    return convert(value, [](const char* text) { return std::strtol(text, nullptr, 10); });
}

double toDouble(std::string_view value) {
    return convert(value, [](const char* text) { return std::strtod(text, nullptr); });
}

}  // namespace veltutil::detail
