#include "deck.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>

#include "file_path.h"
#include "text_util.h"

namespace veltsim {

namespace {

std::string lowerFirstWord(const std::string& line) {
    std::vector<std::string> words = Words(line);
    return words.empty() ? std::string() : ToLower(words.front());
}

std::string withoutLeadingBlanks(const std::string& line) {
    std::size_t first = line.find_first_not_of(" \t");
    return first == std::string::npos ? std::string() : line.substr(first);
}

bool isAnalysisCard(const std::string& word) {
    static const char* const kCards[] = {".op", ".tran", ".ac", ".dc", ".noise", ".tf", ".disto", ".pz", ".sens"};
    return std::find(std::begin(kCards), std::end(kCards), word) != std::end(kCards);
}

// The cards after the title, each with its continuation lines ("+ ...") joined on.
std::vector<std::string> logicalCards(const std::vector<std::string>& lines) {
    std::vector<std::string> cards;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string line = withoutLeadingBlanks(lines[i]);
        if (line.rfind('+', 0) == 0 && !cards.empty()) {
            cards.back() += ' ';
            cards.back() += Trimmed(line.substr(1));
        } else {
            cards.push_back(line);
        }
    }
    return cards;
}

// Where the path of an .include or .lib card stands in its line, quotes included.
struct IncludePath {
    std::size_t start = 0;
    std::size_t after = 0;
    std::string path;
};

std::optional<IncludePath> includePath(const std::string& line) {
    const std::string word = lowerFirstWord(line);
    const bool include = word == ".include" || word == ".inc";
    // ".lib NAME" alone starts a section of a library file; ".lib FILE NAME" reads one.
    if (!include && !(word == ".lib" && Words(line).size() > 2)) return std::nullopt;
    const std::size_t keyword = line.find_first_not_of(" \t");
    const std::size_t start = line.find_first_not_of(" \t", keyword + word.size());
    if (start == std::string::npos) return std::nullopt;
    const bool quoted = line[start] == '"' || line[start] == '\'';
    const std::size_t end = quoted ? line.find(line[start], start + 1) : line.find_first_of(" \t", start);
    const std::size_t pathStart = start + (quoted ? 1 : 0);
    IncludePath found{start, end == std::string::npos ? line.size() : end + (quoted ? 1 : 0),
                      line.substr(pathStart, (end == std::string::npos ? line.size() : end) - pathStart)};
    if (found.path.empty()) return std::nullopt;
    return found;
}

// Relative to the deck's folder; an absolute path, or one that ngspice expands (~), as it is.
bool fromDeckFolder(const std::string& path) { return path.front() != '/' && path.front() != '~'; }

std::filesystem::path folderOf(const Deck& deck) {
    std::error_code error;
    return std::filesystem::absolute(deck.path, error).parent_path();
}

}  // namespace

std::vector<std::string> LinesForNgspice(const Deck& deck) {
    const std::filesystem::path folder = folderOf(deck);
    std::vector<std::string> lines = deck.lines;
    // The first line is the title, whatever it says.
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::optional<IncludePath> include = includePath(lines[i]);
        if (!include || !fromDeckFolder(include->path)) continue;
        lines[i] = lines[i].substr(0, include->start) + '"' + (folder / include->path).lexically_normal().string() + '"' +
                   lines[i].substr(include->after);
    }
    return lines;
}

std::vector<std::string> UnreadableIncludes(const Deck& deck) {
    const std::filesystem::path folder = folderOf(deck);
    std::vector<std::string> problems;
    for (std::size_t i = 1; i < deck.lines.size(); ++i) {
        const std::optional<IncludePath> include = includePath(deck.lines[i]);
        if (!include || !fromDeckFolder(include->path)) continue;
        const std::string path = (folder / include->path).lexically_normal().string();
        const std::string reason = UnreadableReason(path);
        if (!reason.empty()) problems.push_back("cannot read include: " + path + ": " + reason);
    }
    return problems;
}

bool ReadDeck(const std::string& path, Deck& deck, std::string& error) {
    const std::string prefix = "cannot read deck: " + path + ": ";
    const std::string reason = UnreadableReason(path);
    std::ifstream file(path);
    if (!reason.empty() || !file) {
        error = prefix + (reason.empty() ? "cannot be opened" : reason);
        return false;
    }
    Deck read;
    read.path = path;
    for (std::string line; std::getline(file, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        read.lines.push_back(line);
    }
    if (read.lines.empty()) {
        error = prefix + "empty";
        return false;
    }
    read.title = read.lines.front();
    // The first line is the title whatever it says, as in every SPICE deck.
    for (const std::string& card : logicalCards(read.lines)) {
        const std::string word = lowerFirstWord(card);
        if (isAnalysisCard(word)) read.analyses.push_back(card);
        if (word == ".meas" || word == ".measure") read.measures.push_back(card);
        if (word == ".save") {
            const std::vector<std::string> words = Words(card);
            read.saves.insert(read.saves.end(), words.begin() + 1, words.end());
        }
        const std::string lower = ToLower(card);
        if ((word == ".save" && lower.find('@') != std::string::npos) ||
            (word.rfind(".option", 0) == 0 && lower.find("savecurrents") != std::string::npos)) {
            read.savesDeviceParameters = true;
        }
    }
    deck = std::move(read);
    return true;
}

bool SplitMeasure(const std::string& statement, std::string& analysis, std::string& name) {
    std::vector<std::string> words = Words(statement);
    if (words.size() < 3) return false;
    analysis = ToLower(words[1]);
    name = ToLower(words[2]);
    return true;
}

}  // namespace veltsim
