#include "deck.h"

#include <algorithm>
#include <fstream>

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

}  // namespace

bool ReadDeck(const std::string& path, Deck& deck, std::string& error) {
    std::ifstream file(path);
    if (!file) {
        error = "cannot read deck: " + path;
        return false;
    }
    Deck read;
    read.path = path;
    for (std::string line; std::getline(file, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        read.lines.push_back(line);
    }
    if (read.lines.empty()) {
        error = "cannot read deck: " + path + " is empty";
        return false;
    }
    read.title = read.lines.front();
    // The first line is the title whatever it says, as in every SPICE deck.
    for (std::size_t i = 1; i < read.lines.size(); ++i) {
        const std::string card = withoutLeadingBlanks(read.lines[i]);
        const std::string word = lowerFirstWord(card);
        if (isAnalysisCard(word)) read.analyses.push_back(card);
        if (word == ".meas" || word == ".measure") {
            std::string statement = card;
            while (i + 1 < read.lines.size() && withoutLeadingBlanks(read.lines[i + 1]).rfind('+', 0) == 0) {
                statement += ' ';
                statement += Trimmed(withoutLeadingBlanks(read.lines[++i]).substr(1));
            }
            read.measures.push_back(statement);
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
