// veltsim: simulates SPICE decks with ngspice through the veltutil framework, with a command
// line that stays live while a simulation runs.

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "session.h"

namespace {

enum Exit { kExitOk = 0, kExitFailed = 1, kExitUsage = 2 };

constexpr const char* kUsage =
    "usage: veltsim [--script FILE]... [-c 'COMMAND; COMMAND']...\n"
    "\n"
    "Simulates SPICE decks with ngspice. Each command goes into the command line's log and on\n"
    "to the snap-in it names; replies print as the log's tree. `help` lists the commands.\n"
    "\n"
    "  --script FILE   runs the commands of FILE, one per line or separated by ';'\n"
    "  -c COMMANDS     runs these commands\n"
    "  -h, --help      prints this text\n"
    "\n"
    "Without --script or -c, commands are read from standard input as they are typed, also\n"
    "while a simulation runs. A command ending in '&' (run &) lets a script go on while what it\n"
    "started is still running. The exit status is 1 when a command or a run failed.\n"
    "\n"
    "ngspice is loaded at run time from libngspice.so.0, or from the path in VELTSIM_NGSPICE.\n";

bool readFile(const char* path, std::string& text) {
    std::ifstream file(path);
    if (!file) return false;
    std::ostringstream buffer;
    buffer << file.rdbuf();
    text = buffer.str();
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    veltsim::SessionOptions options;
    std::string script;
    bool scripted = false;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (!std::strcmp(arg, "-h") || !std::strcmp(arg, "--help")) {
            std::fputs(kUsage, stdout);
            return kExitOk;
        }
        const bool isScript = !std::strcmp(arg, "--script");
        if ((!isScript && std::strcmp(arg, "-c") != 0) || i + 1 >= argc) {
            std::fprintf(stderr, "veltsim: unexpected argument '%s'\n\n%s", arg, kUsage);
            return kExitUsage;
        }
        std::string text = argv[++i];
        if (isScript && !readFile(argv[i], text)) {
            std::fprintf(stderr, "veltsim: cannot read script %s\n", argv[i]);
            return kExitFailed;
        }
        script += text + "\n";
        scripted = true;
    }
    options.script = veltsim::ScriptLines(script);
    options.interactive = !scripted;
    options.inputFd = STDIN_FILENO;
    options.print = [](const std::string& line) {
        std::fputs(line.c_str(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
    };
    veltsim::Session session(std::move(options));
    return session.Execute() == 0 ? kExitOk : kExitFailed;
}
