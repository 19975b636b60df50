#pragma once

// Internal: scanning of the property text form. Everything here works on offsets into one
// buffer, so reading a list never copies the text that remains, and nothing recurses: nested
// lists are only ever entered by callers that keep their own explicit stack.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace veltutil::detail {

constexpr std::size_t npos = std::string_view::npos;

inline bool isSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

inline std::string_view trim(std::string_view text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && isSpace(text[begin])) ++begin;
    while (end > begin && isSpace(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

// Index of the '}' that closes the '{' at `open`, found by counting raw braces in
// text[open + 1, limit); npos when the text ends first.
std::size_t closeByCounting(std::string_view text, std::size_t open, std::size_t limit);

// Every brace pair of a text, found in one pass, for readers that descend into nested lists and
// would otherwise count the same bytes once per level.
class BraceIndex {
public:
    explicit BraceIndex(std::string_view text);
    // As closeByCounting, in logarithmic time.
    std::size_t close(std::size_t open, std::size_t limit) const;

private:
    std::vector<std::uint32_t> opens_;   // ascending
    std::vector<std::uint32_t> closes_;  // parallel; UINT32_MAX when unmatched
};

struct ItemFields {
    std::string_view label, type, value;
    bool hasValue = false;  // false when the braces did not match (the value is then empty)
};

// Matches braces in a buffer, either by counting or through a BraceIndex.
struct BraceMatcher {
    std::string_view text;
    const BraceIndex* index = nullptr;
    std::size_t close(std::size_t open, std::size_t limit) const {
        return index ? index->close(open, limit) : closeByCounting(text, open, limit);
    }
};

// Splits one item text, text[begin, end), into label, type and value (label and type trimmed,
// value raw). A blank label gives all three empty.
ItemFields parseItem(const BraceMatcher& matcher, std::size_t begin, std::size_t end);

// Reads the items of a list text one by one, as the list parser does: the next brace pair, the
// text up to its closing brace as one item, and the end at the first item without a label.
class ListReader {
public:
    ListReader(const BraceMatcher& matcher, std::size_t begin, std::size_t end)
        : matcher_(matcher), pos_(begin), end_(end) {}
    explicit ListReader(std::string_view text) : ListReader(BraceMatcher{text}, 0, text.size()) {}

    // False at the end of the list; `item` is then untouched.
    bool next(ItemFields& item);
    std::size_t position() const { return pos_; }
    const BraceMatcher& matcher() const { return matcher_; }

private:
    BraceMatcher matcher_;
    std::size_t pos_;
    std::size_t end_;
};

long countListItems(std::string_view text);

void appendEscaped(std::string& out, std::string_view text);
void appendUnescaped(std::string& out, std::string_view text);

// The value text of an array: one "-:-{element}" line per element.
template <class T, class Append>
std::string arrayText(const T* elements, int count, Append appendElement) {
    std::string out;
    for (int i = 0; elements && i < count; ++i) {
        out += "-:-{";
        appendElement(out, elements[i]);
        out += "}\n";
    }
    return out;
}

void appendLong(std::string& out, long value);
void appendDouble(std::string& out, double value);

// The conversions of the getters (atol and atof) on a value that is followed by a non-numeric
// byte or the end of its buffer, as every value inside a text is.
long toLong(std::string_view value);
double toDouble(std::string_view value);

}  // namespace veltutil::detail
