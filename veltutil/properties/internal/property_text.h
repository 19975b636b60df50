#pragma once

// Internal: scanning of the property text form. Everything here works on offsets into one
// buffer, so reading a list never copies the text that remains, and nothing recurses: nested
// lists are only ever entered by callers that keep their own explicit stack.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "veltutil/properties/internal/text_scan.h"

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
    [[gnu::always_inline]] inline bool next(ItemFields& item);
    std::size_t position() const { return pos_; }
    const BraceMatcher& matcher() const { return matcher_; }

private:
    BraceMatcher matcher_;
    std::size_t pos_;
    std::size_t end_;
};

// Inline, since readers call it once per item and use what it finds at once.
bool ListReader::next(ItemFields& item) {
    std::string_view text = matcher_.text;
    const char* data = text.data();
    if (pos_ >= end_ || end_ - pos_ < 2) return false;
    std::size_t begin = pos_;
    // Items are read in order, so the text ahead is asked for while this item is read.
    __builtin_prefetch(data + begin + 512);
    // The item's first brace, which must stand before the last byte, and a colon met on the way:
    // in the usual shape, label:type{value}, that brace is the item's own. Most items show
    // both, and often their closing brace, within a window of two blocks; white space before the
    // label goes with the label's trimming then.
    std::size_t open = npos, colon = npos, close = npos;
    if (ItemShape shape; scanWindow(data, begin, end_, shape)) {
        open = shape.open;
        colon = shape.colon;
        close = shape.close;
    } else {
        while (begin < end_ && isSpace(data[begin])) ++begin;
        open = findEither(data, begin, end_ - 1, '{', ':');
        if (open < end_ - 1 && data[open] == ':') {
            colon = open;
            open = findEither(data, colon + 1, end_ - 1, '{', '{');
        }
        if (open >= end_ - 1) return false;
    }
    if (close == npos) {
        close = matcher_.index ? matcher_.index->close(open, end_) : countToClose(data, open, end_, npos);
        if (close == npos) return false;
    }
    if (colon == npos) {
        while (isSpace(data[begin])) ++begin;  // the brace stops it
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
