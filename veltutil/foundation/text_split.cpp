#include "veltutil/foundation/text_split.h"

#include <cctype>
#include <cstring>
#include <string_view>

namespace veltutil::detail {

bool ExtractWord(const CString& text, CString& word, CString& rest) {
    std::string_view s = text.view();
    std::size_t first = 0;
    while (first < s.size() && std::isspace(static_cast<unsigned char>(s[first]))) ++first;
    if (first == s.size()) {
        word.Empty();
        rest.Empty();
        return false;
    }
    std::size_t blank = s.find(' ', first);
    if (blank == std::string_view::npos) blank = s.size();
    CString remainder(s.substr(blank));
    word = CString(s.substr(first, blank - first));
    rest = std::move(remainder);
    return true;
}

bool ExtractToken(const CString& text, const char* delimiters, CString& token, CString& rest) {
    std::string_view s = text.view();
    std::string_view set = delimiters != nullptr ? delimiters : "";
    std::size_t first = s.find_first_not_of(set);
    if (first == std::string_view::npos) {
        token.Empty();
        rest.Empty();
        return false;
    }
    std::size_t end = s.find_first_of(set, first);
    CString remainder(end == std::string_view::npos ? std::string_view{} : s.substr(end + 1));
    token = CString(s.substr(first, end == std::string_view::npos ? std::string_view::npos : end - first));
    rest = std::move(remainder);
    return true;
}

}  // namespace veltutil::detail

void DivideStringIntoStatements(const CString& text, CStringArray& out) {
    out.RemoveAll();
    CString remaining(text);
    remaining.Trim();
    while (!remaining.IsEmpty()) {
        int semicolon = remaining.Find(';');
        if (semicolon < 0) {
            out.Add(remaining);
            break;
        }
        out.Add(remaining.Left(semicolon));
        remaining = remaining.Mid(semicolon + 1);
        remaining.TrimLeft();
    }
}

void DivideStringIntoWords(const CString& text, CStringArray& out) {
    out.RemoveAll();
    CString remaining(text);
    remaining.TrimRight();
    CString word;
    while (veltutil::detail::ExtractWord(remaining, word, remaining)) out.Add(word);
}
