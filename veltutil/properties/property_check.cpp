#include "veltutil/properties/property_check.h"

#include <algorithm>
#include <string_view>

#include "veltutil/properties/internal/property_text.h"

namespace {

using veltutil::detail::closeByCounting;
using veltutil::detail::isSpace;
using veltutil::detail::npos;
using veltutil::detail::trim;

// Types whose value is itself list text.
bool holdsList(std::string_view type) {
    return type == "list" || type == "long[]" || type == "bool[]" || type == "double[]" || type == "string[]";
}

// One pass over the text; `depth` counts the list values entered, so nothing recurses and no
// byte is read more than twice.
class Checker {
public:
    explicit Checker(std::string_view text) : text_(text) {}

    CPropertyListCheck run() {
        std::size_t pos = 0;
        for (;;) {
            while (pos < text_.size() && isSpace(text_[pos])) ++pos;
            if (pos == text_.size()) {
                if (depth_ == 0) return done();
                stop(CPropertyListCheck::UNCLOSED_BRACE, topOpen_);
                return result_;
            }
            if (text_[pos] == '}') {
                if (depth_ == 0) {
                    stop(CPropertyListCheck::UNOPENED_BRACE, pos);
                    return result_;
                }
                leaveList();
                ++pos;
                continue;
            }
            if (!readItem(pos)) return result_;
        }
    }

private:
    // Reads the item at `pos` (non-white); false when the check stops there.
    bool readItem(std::size_t& pos) {
        std::size_t colon = text_.find_first_of(":{}", pos);
        if (colon == npos || text_[colon] != ':') {
            if (colon == npos) return missingBraces(pos, colon);
            std::string_view label = text_.substr(pos, colon - pos);
            if (text_[colon] == '}' || hasLineBreak(label)) return stop(CPropertyListCheck::STRAY_TEXT, pos);
            return stop(CPropertyListCheck::MISSING_COLON, pos);
        }
        std::string_view label = trim(text_.substr(pos, colon - pos));
        if (label.empty()) return stop(CPropertyListCheck::MISSING_LABEL, pos);
        if (hasLineBreak(label)) return stop(CPropertyListCheck::STRAY_TEXT, pos);
        std::size_t open = text_.find_first_of("{}", colon + 1);
        if (open == npos || text_[open] == '}') return missingBraces(pos, open);
        if (depth_ == 0) topOpen_ = open;
        if (holdsList(trim(text_.substr(colon + 1, open - colon - 1)))) {
            ++depth_;
            pos = open + 1;
            return true;
        }
        std::size_t close = closeByCounting(text_, open, text_.size());
        if (close == npos) return stop(CPropertyListCheck::UNCLOSED_BRACE, topOpen_);
        if (depth_ == 0) ++result_.items;
        pos = close + 1;
        return true;
    }

    // An item text with no '{' before the next '}' (`at`) or the end of the text (npos).
    bool missingBraces(std::size_t itemStart, std::size_t at) {
        if (depth_ > 0) {
            return at == npos ? stop(CPropertyListCheck::UNCLOSED_BRACE, topOpen_)
                              : stop(CPropertyListCheck::STRAY_TEXT, itemStart);
        }
        return at == npos ? stop(CPropertyListCheck::STRAY_TEXT, itemStart)
                          : stop(CPropertyListCheck::UNOPENED_BRACE, at);
    }

    void leaveList() {
        if (--depth_ == 0) ++result_.items;
    }

    static bool hasLineBreak(std::string_view label) {
        return trim(label).find_first_of("\r\n") != npos;
    }

    CPropertyListCheck done() {
        result_.offset = static_cast<long>(text_.size());
        result_.line = lineOf(text_.size());
        return result_;
    }

    bool stop(CPropertyListCheck::Problem problem, std::size_t at) {
        result_.problem = problem;
        result_.offset = static_cast<long>(at);
        result_.line = lineOf(at);
        return false;
    }

    long lineOf(std::size_t at) const {
        return 1 + static_cast<long>(std::count(text_.begin(), text_.begin() + static_cast<std::ptrdiff_t>(at), '\n'));
    }

    std::string_view text_;
    std::size_t depth_ = 0;
    std::size_t topOpen_ = 0;
    CPropertyListCheck result_;
};

}  // namespace

const char* CPropertyListCheck::Describe() const {
    switch (problem) {
    case NONE: return "complete";
    case UNCLOSED_BRACE: return "unmatched '{': its '}' never comes";
    case UNOPENED_BRACE: return "unmatched '}': it closes nothing";
    case MISSING_LABEL: return "item without a label";
    case MISSING_COLON: return "item without ':' between its label and '{'";
    case STRAY_TEXT: return "stray text between items";
    }
    return "unknown problem";
}

CPropertyListCheck checkPropertyList(const CString& text) {
    return Checker(text.view()).run();
}
