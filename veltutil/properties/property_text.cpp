#include "veltutil/properties/internal/property_text.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace veltutil::detail {

namespace {
constexpr std::uint32_t unmatched = std::numeric_limits<std::uint32_t>::max();

// Labels, types and values are short, so scanning them a byte at a time costs a mispredicted
// branch at the end of almost every one. Sixteen bytes are compared at once where the text has
// them, which ends most of these scans in one step; the last bytes of a text go one by one.
#if defined(__SSE2__)
constexpr std::size_t kBlock = 16;

// Bit i set where data[i] is `ch`, for the block at `data`.
unsigned blockMatches(const char* data, char ch) {
    __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data));
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, _mm_set1_epi8(ch))));
}
#endif

// Index of the first `a` or `b` in data[from, to), or `to`.
std::size_t findEither(const char* data, std::size_t from, std::size_t to, char a, char b) {
#if defined(__SSE2__)
    for (; from + kBlock <= to; from += kBlock) {
        if (unsigned hits = blockMatches(data + from, a) | blockMatches(data + from, b)) {
            return from + static_cast<std::size_t>(__builtin_ctz(hits));
        }
    }
#endif
    while (from < to && data[from] != a && data[from] != b) ++from;
    return from;
}

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

namespace {
// The reader's inner loop, kept inline in it.
[[gnu::always_inline]] inline std::size_t countToClose(const char* data, std::size_t open, std::size_t limit) {
    std::size_t depth = 1;
    std::size_t i = open + 1;
#if defined(__SSE2__)
    for (; i + kBlock <= limit; i += kBlock) {
        unsigned opens = blockMatches(data + i, '{');
        unsigned braces = opens | blockMatches(data + i, '}');
        for (; braces; braces &= braces - 1) {
            unsigned bit = braces & -braces;
            if (opens & bit) {
                ++depth;
            } else if (--depth == 0) {
                return i + static_cast<std::size_t>(__builtin_ctz(bit));
            }
        }
    }
#endif
    for (; i < limit; ++i) {
        char c = data[i];
        if (c == '{') {
            ++depth;
        } else if (c == '}' && --depth == 0) {
            return i;
        }
    }
    return npos;
}
}  // namespace

std::size_t closeByCounting(std::string_view text, std::size_t open, std::size_t limit) {
    return countToClose(text.data(), open, limit);
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

bool ListReader::next(ItemFields& item) {
    std::string_view text = matcher_.text;
    const char* data = text.data();
    if (pos_ >= end_ || end_ - pos_ < 2) return false;
    // One pass up to the item's first brace, which must stand before the last byte, noting the
    // first colon on the way: in the usual shape, label:type{value}, that brace is the item's own.
    std::size_t begin = pos_;
    // Items are read in order, so the text ahead is asked for while this item is read.
    __builtin_prefetch(data + begin + 512);
    while (begin < end_ && isSpace(data[begin])) ++begin;
    std::size_t open = findEither(data, begin, end_ - 1, '{', ':');
    std::size_t colon = npos;
    if (open < end_ - 1 && data[open] == ':') {
        colon = open;
        open = findEither(data, colon + 1, end_ - 1, '{', '{');
    }
    if (open >= end_ - 1) return false;
    std::size_t close = matcher_.index ? matcher_.index->close(open, end_) : countToClose(data, open, end_);
    if (close == npos) return false;
    if (colon == npos) {
        ItemFields found = parseItem(matcher_, begin, close + 1);
        if (found.label.empty()) return false;
        item = found;
    } else {
        std::string_view label = trim(text.substr(begin, colon - begin));
        if (label.empty()) return false;
        item.label = label;
        item.type = trim(text.substr(colon + 1, open - colon - 1));
        item.value = text.substr(open + 1, close - open - 1);
        item.hasValue = true;
    }
    pos_ = close + 1;
    return true;
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
