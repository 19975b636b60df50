#include "veltutil/spice/node_name_conversion.h"

#include <cctype>
#include <string>
#include <string_view>

namespace {

// The longest converted name and the longest classified text.
constexpr std::size_t kMaxConverted = 1023;
constexpr std::size_t kMaxClassified = 255;

constexpr std::string_view kBranch = "#branch";

bool IsSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }
char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

std::string_view TrimLeft(std::string_view s) {
    while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
    return s;
}

std::string_view TrimRight(std::string_view s) {
    while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
    return s;
}

std::string_view Trim(std::string_view s) { return TrimRight(TrimLeft(s)); }

// `lowerPrefix` is written in lower case.
bool StartsWithNoCase(std::string_view s, std::string_view lowerPrefix) {
    if (s.size() < lowerPrefix.size()) return false;
    for (std::size_t i = 0; i < lowerPrefix.size(); ++i)
        if (Lower(s[i]) != lowerPrefix[i]) return false;
    return true;
}

bool ContainsNoCase(std::string_view s, std::string_view lowerText) {
    for (std::size_t i = 0; i + lowerText.size() <= s.size(); ++i)
        if (StartsWithNoCase(s.substr(i), lowerText)) return true;
    return false;
}

bool EqualsNoCase(std::string_view s, std::string_view lowerText) {
    return s.size() == lowerText.size() && StartsWithNoCase(s, lowerText);
}

int ClassifyGroup(std::string_view text) {
    text = text.substr(0, kMaxClassified);
    int group = ContainsNoCase(text, "_open_") ? GROUP_OPEN_PIN : 0;
    bool sawSubmodule = false, sawPlainColon = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != ':') continue;
        if (i + 1 < text.size() && Lower(text[i + 1]) == 'x') {
            group |= GROUP_SUBMODULE;
            sawSubmodule = true;
        } else if (!sawPlainColon) {
            sawPlainColon = true;
            if (!sawSubmodule) group |= GROUP_SUBCKT;
        }
    }
    return group;
}

// The group words that may follow "all.": each names one group.
int FilterGroups(std::string_view words) {
    static constexpr struct {
        std::string_view word;
        int group;
    } kWords[] = {{".internal", GROUP_INTERNAL}, {".open_pin", GROUP_OPEN_PIN},
                  {".subckt", GROUP_SUBCKT}, {".submodule", GROUP_SUBMODULE}};
    int group = GROUP_FILTER;
    for (std::size_t i = words.find('.'); i != std::string_view::npos; i = words.find('.', i + 1))
        for (const auto& w : kWords)
            if (StartsWithNoCase(words.substr(i), w.word)) group |= w.group;
    return group;
}

struct Conversion {
    std::string text;
    NODE_TYPE type = NODE_NONE;
    int group = 0;
};

class Converter {
public:
    explicit Converter(bool toSpice)
        : toSpice_(toSpice), inSep_(toSpice ? '.' : ':'), outSep_(toSpice ? ':' : '.') {}

    Conversion Convert(std::string_view name) {
        Conversion result = ConvertUnlimited(name);
        if (result.text.size() > kMaxConverted) return Unchanged(name);
        return result;
    }

private:
    static Conversion Unchanged(std::string_view name) { return {std::string(name)}; }

    Conversion ConvertUnlimited(std::string_view name) {
        std::string_view s = TrimLeft(name);
        // A leading ':' marks a name whose first '.'-terminated field is kept as it stands.
        if (!s.empty() && s.front() == ':') {
            const std::size_t dot = s.find('.');
            if (dot == std::string_view::npos) return Unchanged(s);
            out_.assign(s.substr(0, dot + 1));
            s.remove_prefix(dot + 1);
        }
        if (StartsWithNoCase(s, "all")) {
            const std::string_view rest = TrimLeft(s.substr(3));
            if (rest.empty()) return {out_ + "all", NODE_NONE, GROUP_ALL};
            if (rest.front() == '.') return {out_ + std::string(s), NODE_NONE, FilterGroups(rest)};
        }
        const std::size_t open = s.find('(');
        if (open == std::string_view::npos) {
            const bool branch = ConvertList(s);
            const NODE_TYPE type = branch ? NODE_CURRENT : s.empty() || s.front() == '@' ? NODE_NONE : NODE_VOLTAGE;
            return {std::move(out_), type, group_};
        }
        if (!ConvertProbe(s, open)) return Unchanged(name);
        return {std::move(out_), probeType_, group_};
    }

    // A probe such as V(x1.out): only the text inside the parentheses is a node name. Returns
    // false for nested parentheses, which pass through unconverted.
    bool ConvertProbe(std::string_view part, std::size_t open) {
        const std::string_view head = TrimRight(part.substr(0, open));
        std::string_view inside = TrimLeft(part.substr(open + 1));
        const std::size_t close = inside.rfind(')');
        const std::string_view tail = close == std::string_view::npos ? std::string_view() : inside.substr(close);
        inside = inside.substr(0, close);
        if (inside.find('(') != std::string_view::npos) return false;

        const bool current = EqualsNoCase(head, "i") || StartsWithNoCase(tail, ")#branch");
        probeType_ = current ? NODE_CURRENT : EqualsNoCase(head, "v") ? NODE_VOLTAGE : NODE_NONE;
        // SPICE's current probe I(name) is the suite's name#branch.
        const bool toBranch = !toSpice_ && EqualsNoCase(head, "i") && TrimRight(tail) == ")" &&
                              inside.find_first_of(",#") == std::string_view::npos;
        if (toBranch) {
            ConvertList(inside);
            out_ += kBranch;
            return true;
        }
        out_ += head;
        out_ += '(';
        if (ConvertList(inside)) probeType_ = NODE_CURRENT;
        out_ += tail;
        return true;
    }

    // A name or a pair of names separated by the first ','. Returns true when one is a branch
    // current.
    bool ConvertList(std::string_view part) {
        const std::size_t comma = part.find(',');
        if (comma == std::string_view::npos) return ConvertClassified(part);
        const bool first = ConvertClassified(part.substr(0, comma));
        out_ += ',';
        return ConvertClassified(part.substr(comma + 1)) || first;
    }

    bool ConvertClassified(std::string_view name) {
        const std::size_t start = out_.size();
        const bool branch = ConvertName(name);
        group_ |= ClassifyGroup(toSpice_ ? std::string_view(out_).substr(start) : name);
        return branch;
    }

    // One hierarchical name with an optional '#' suffix. Returns true for a branch current.
    bool ConvertName(std::string_view name) {
        const std::size_t hash = name.find('#');
        if (hash == std::string_view::npos) {
            AppendReversed(name);
            return false;
        }
        const std::string_view suffix = name.substr(hash);
        if (StartsWithNoCase(suffix, kBranch)) {
            out_ += "I(";
            AppendReversed(name.substr(0, hash));
            out_ += ')';
            // Whatever follows "#branch" is kept rather than lost.
            out_ += TrimRight(suffix.substr(kBranch.size()));
            return true;
        }
        group_ |= GROUP_INTERNAL;
        AppendReversed(name.substr(0, hash));
        out_ += TrimRight(suffix);
        return false;
    }

    void AppendReversed(std::string_view path) {
        std::size_t end = path.size();
        for (;;) {
            const std::size_t sep = end == 0 ? std::string_view::npos : path.rfind(inSep_, end - 1);
            const std::size_t begin = sep == std::string_view::npos ? 0 : sep + 1;
            out_ += Trim(path.substr(begin, end - begin));
            if (sep == std::string_view::npos) return;
            out_ += outSep_;
            end = sep;
        }
    }

    const bool toSpice_;
    const char inSep_;
    const char outSep_;
    std::string out_;
    int group_ = 0;
    NODE_TYPE probeType_ = NODE_NONE;
};

CString Convert(const CString& name, bool toSpice, NODE_TYPE* pType, SpiceNodeGroup* pGroup) {
    Conversion result = Converter(toSpice).Convert(name.view());
    if (pType) *pType = result.type;
    if (pGroup) *pGroup = static_cast<SpiceNodeGroup>(result.group);
    return CString(std::move(result.text));
}

}  // namespace

CString ConvToSpiceID(const CString& name, NODE_TYPE* pType, SpiceNodeGroup* pGroup) {
    return Convert(name, true, pType, pGroup);
}

CString ConvFromSpiceID(const CString& name, NODE_TYPE* pType, SpiceNodeGroup* pGroup) {
    return Convert(name, false, pType, pGroup);
}

SpiceNodeGroup GetSpiceNodeGroup(const CString& name) {
    return static_cast<SpiceNodeGroup>(Converter(false).Convert(name.view()).group);
}

NODE_TYPE GetSpiceNodeType(const CString& name) { return Converter(false).Convert(name.view()).type; }

SpiceNodeGroup GetVeltNodeGroup(const CString& name) {
    return static_cast<SpiceNodeGroup>(Converter(true).Convert(name.view()).group);
}

NODE_TYPE GetVeltNodeType(const CString& name) { return Converter(true).Convert(name.view()).type; }
