#include "text_util.h"

#include <algorithm>
#include <cctype>

#include <veltutil/veltutil.h>

namespace veltsim {

std::string ToLower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

std::string Trimmed(std::string_view text) {
    auto notSpace = [](unsigned char c) { return !std::isspace(c); };
    auto first = std::find_if(text.begin(), text.end(), notSpace);
    auto last = std::find_if(text.rbegin(), text.rend(), notSpace).base();
    return first < last ? std::string(first, last) : std::string();
}

std::vector<std::string> Words(std::string_view text) {
    CStringArray words;
    DivideStringIntoWords(CString(std::string(text).c_str()), words);
    std::vector<std::string> out;
    for (int i = 0; i < words.GetSize(); ++i) {
        std::string word = words[i].str();
        if (!word.empty()) out.push_back(std::move(word));
    }
    return out;
}

}  // namespace veltsim
