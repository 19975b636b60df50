#include "control_block.h"

#include "text_util.h"

namespace veltsim {

namespace {

std::string firstWord(const std::string& line) {
    const std::vector<std::string> words = Words(line);
    return words.empty() ? std::string() : ToLower(words.front());
}

// Hands every line to `inside` or `outside`; the markers belong to neither (ngspice has no use
// for a stray ".endc" either).
template <typename Inside, typename Outside>
void splitLines(const std::vector<std::string>& lines, Inside inside, Outside outside) {
    bool inBlock = false;
    // The first line is the title, whatever it says.
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string word = i == 0 ? std::string() : firstWord(lines[i]);
        if (!inBlock && word == ".control") {
            inBlock = true;
        } else if (word == ".endc") {
            inBlock = false;
        } else if (inBlock) {
            inside(lines[i]);
        } else {
            outside(lines[i]);
        }
    }
}

}  // namespace

std::vector<std::string> ControlBlock(const std::vector<std::string>& lines) {
    std::vector<std::string> block;
    splitLines(lines, [&](const std::string& line) { if (!Trimmed(line).empty()) block.push_back(line); }, [](const std::string&) {});
    return block;
}

std::vector<std::string> WithoutControlBlock(const std::vector<std::string>& lines) {
    std::vector<std::string> circuit;
    splitLines(lines, [](const std::string&) {}, [&](const std::string& line) { circuit.push_back(line); });
    return circuit;
}

}  // namespace veltsim
