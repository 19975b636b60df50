#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include "command.h"

namespace veltcli {

namespace {
std::vector<Command>& registry() {
    static std::vector<Command> commands;
    return commands;
}

void printHelp(std::FILE* out) {
    std::fprintf(out, "usage: veltutil COMMAND [ARGS...]\n\ncommands:\n");
    std::vector<Command> sorted = Commands();
    std::sort(sorted.begin(), sorted.end(),
              [](const Command& a, const Command& b) { return std::strcmp(a.name, b.name) < 0; });
    for (const Command& command : sorted) std::fprintf(out, "  %-10s %s\n", command.name, command.summary);
    std::fprintf(out, "\n`veltutil COMMAND --help` describes one command.\n");
}
}  // namespace

CommandRegistration::CommandRegistration(const Command& command) { registry().push_back(command); }

const std::vector<Command>& Commands() { return registry(); }

bool ReadInput(const std::string& path, std::string& out) {
    if (path.empty() || path == "-") {
        out.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
        return !std::cin.bad();
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    std::ostringstream buffer;
    buffer << file.rdbuf();
    out = std::move(buffer).str();
    return !file.bad();
}

}  // namespace veltcli

int main(int argc, char** argv) {
    using namespace veltcli;
    if (argc < 2 || !std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h") || !std::strcmp(argv[1], "help")) {
        printHelp(argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    for (const Command& command : Commands()) {
        if (std::strcmp(command.name, argv[1]) != 0) continue;
        Args args(argv + 2, argv + argc);
        if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
            std::fputs(command.usage, stdout);
            return 0;
        }
        return command.run(args);
    }
    std::fprintf(stderr, "veltutil: unknown command '%s'\n\n", argv[1]);
    printHelp(stderr);
    return 2;
}
