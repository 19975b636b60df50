#include "veltutil/foundation/text_split.h"

#include <algorithm>
#include <string_view>

namespace {
// isspace in the C locale, whatever locale the application set.
bool isSpaceC(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
}  // namespace

namespace veltutil::detail {

bool ExtractWord(std::string_view& text, std::string_view& word) {
    std::size_t first = 0;
    while (first < text.size() && isSpaceC(text[first])) ++first;
    if (first == text.size()) {
        word = text = {};
        return false;
    }
    std::size_t blank = std::min(text.find(' ', first), text.size());
    word = text.substr(first, blank - first);
    text.remove_prefix(blank);
    return true;
}

bool ExtractToken(std::string_view& text, std::string_view delimiters, std::string_view& token) {
    std::size_t first = text.find_first_not_of(delimiters);
    if (first == std::string_view::npos) {
        token = text = {};
        return false;
    }
    std::size_t end = std::min(text.find_first_of(delimiters, first), text.size());
    token = text.substr(first, end - first);
    text.remove_prefix(std::min(end + 1, text.size()));
    return true;
}

}  // namespace veltutil::detail

void DivideStringIntoStatements(const CString& text, CStringArray& out) {
    out.RemoveAll();
    CString trimmed(text);
    trimmed.Trim();
    std::string_view remaining = trimmed.view();
    while (!remaining.empty()) {
        std::size_t semicolon = std::min(remaining.find(';'), remaining.size());
        out.Add(CString(remaining.substr(0, semicolon)));
        remaining.remove_prefix(std::min(semicolon + 1, remaining.size()));
        while (!remaining.empty() && isSpaceC(remaining.front())) remaining.remove_prefix(1);
    }
}

void DivideStringIntoWords(const CString& text, CStringArray& out) {
    out.RemoveAll();
    CString trimmed(text);
    trimmed.TrimRight();
    std::string_view remaining = trimmed.view();
    std::string_view word;
    while (veltutil::detail::ExtractWord(remaining, word)) out.Add(CString(word));
}
