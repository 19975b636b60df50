#include <algorithm>
#include <cstdio>
#include <cstring>

#include "command.h"

namespace veltcli {

namespace {
std::vector<Command>& registry() {
    static std::vector<Command> commands;
    return commands;
}

const char* const kExitTable =
    "exit status: 0 done; 1 an input could not be read, or only in part, or the output could not\n"
    "be written (the reason is on stderr); 2 a wrong command line\n";

void printHelp(std::FILE* out) {
    std::fprintf(out, "usage: veltutil COMMAND [ARGS...]\n       veltutil --version\n\ncommands:\n");
    std::vector<Command> sorted = Commands();
    std::sort(sorted.begin(), sorted.end(),
              [](const Command& a, const Command& b) { return std::strcmp(a.name, b.name) < 0; });
    for (const Command& command : sorted) std::fprintf(out, "  %-10s %s\n", command.name, command.summary);
    std::fprintf(out,
                 "\n`veltutil COMMAND --help` (or -h) describes one command, wherever it stands before a\n"
                 "`--`, which ends the options: `veltutil spice to-spice -- -x` converts the name \"-x\".\n\n%s",
                 kExitTable);
}

const Command* find(const std::string& name) {
    for (const Command& command : Commands())
        if (name == command.name) return &command;
    return nullptr;
}

bool isHelp(const std::string& word) { return word == "--help" || word == "-h"; }

// The words after the command name: help wins anywhere before "--"; any other word that starts
// with '-' before it (but "-" alone, standard input) is an option no command has.
int dispatch(const Command& command, const Args& words) {
    const auto optionsEnd = std::find(words.begin(), words.end(), "--");
    if (std::any_of(words.begin(), optionsEnd, isHelp)) {
        std::fputs(command.usage, stdout);
        return FinishOutput(command.name, kExitOk);
    }
    Args operands;
    for (auto word = words.begin(); word != words.end(); ++word) {
        if (word == optionsEnd) continue;
        if (word < optionsEnd && word->size() > 1 && word->front() == '-') {
            Complain(command.name, "unknown option '%s'\n", word->c_str());
            std::fputs(command.usage, stderr);
            return kExitUsage;
        }
        operands.push_back(*word);
    }
    return command.run(operands);
}
}  // namespace

CommandRegistration::CommandRegistration(const Command& command) { registry().push_back(command); }

const std::vector<Command>& Commands() { return registry(); }

}  // namespace veltcli

int main(int argc, char** argv) {
    using namespace veltcli;
    const Args words(argv + 1, argv + argc);
    if (words.empty()) {
        printHelp(stderr);
        return kExitUsage;
    }
    if (isHelp(words[0]) || words[0] == "help") {
        printHelp(stdout);
        return FinishOutput(nullptr, kExitOk);
    }
    if (words[0] == "--version") {
        std::printf("veltutil %s\n", VELTUTIL_VERSION);
        return FinishOutput(nullptr, kExitOk);
    }
    if (const Command* command = find(words[0])) return dispatch(*command, Args(words.begin() + 1, words.end()));
    Complain(nullptr, "unknown command '%s'\n", words[0].c_str());
    printHelp(stderr);
    return kExitUsage;
}
