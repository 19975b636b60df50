// veltsim: simulates SPICE decks with ngspice through the veltutil framework, with a command
// line that stays live while a simulation runs.

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "session.h"
#ifdef VELTSIM_DESKTOP
#include "desktop.h"
#endif

namespace {

enum Exit { kExitOk = 0, kExitFailed = 1, kExitUsage = 2 };

constexpr const char* kUsage =
    "usage: veltsim [--plots DIR] [--script FILE]... [-c 'COMMAND; COMMAND']...\n"
    "       veltsim --gui [--plots DIR] [--script FILE]... [-c 'COMMAND; COMMAND']... [DECK]\n"
    "\n"
    "Simulates SPICE decks with ngspice. Each command goes into the command line's log and on\n"
    "to the snap-in it names; replies print as the log's tree. `help` lists the commands.\n"
    "\n"
    "  --script FILE   runs the commands of FILE, one per line or separated by ';'\n"
    "  -c COMMANDS     runs these commands\n"
    "  --plots DIR     where the plots go (default: $VELT_GRAPHER_OUTPUT, else veltsim-plots);\n"
    "                  open DIR/index.html in a browser\n"
    "  --gui           shows the desktop: the deck, the run's progress, menus for the commands\n"
    "                  and the command line and log window; DECK is loaded first, the commands\n"
    "                  follow, and the windows stay until Quit (needs a display: DISPLAY, or\n"
    "                  QT_QPA_PLATFORM=offscreen; without one, exit status 1)\n"
    "  -h, --help      prints this text\n"
    "\n"
    "Without --script or -c, commands are read from standard input: typed at a terminal, each is\n"
    "answered as it comes, also while a simulation runs; from a pipe or a file, they run as a\n"
    "script. A script's line waits for what the one before started, unless that ended in '&'\n"
    "(run &). Ctrl-C stops a run, keeping the data so far; a second Ctrl-C within a second, or\n"
    "one while nothing runs, quits as quit does. The exit status is 1 when a command or a run\n"
    "failed.\n"
    "\n"
    "ngspice is loaded at run time from libngspice.so.0, or from the path in VELTSIM_NGSPICE.\n";

// False with the reason in `reason` when the file cannot be opened or read (a directory opens
// but does not read).
bool readFile(const char* path, std::string& text, std::string& reason) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        reason = std::strerror(errno);
        return false;
    }
    text.clear();
    char buffer[1 << 16];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, count);
    const bool ok = !std::ferror(file);
    if (!ok) reason = std::strerror(errno);
    std::fclose(file);
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    veltsim::SessionOptions options;
    std::string script;
    std::string deck;
    bool scripted = false;
    bool desktop = false;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (!std::strcmp(arg, "-h") || !std::strcmp(arg, "--help")) {
            std::fputs(kUsage, stdout);
            return kExitOk;
        }
        if (!std::strcmp(arg, "--gui")) {
            desktop = true;
            continue;
        }
        // The desktop's deck: the one argument that is not an option.
        if (desktop && arg[0] != '-' && deck.empty()) {
            deck = arg;
            continue;
        }
        const bool isScript = !std::strcmp(arg, "--script");
        const bool isPlots = !std::strcmp(arg, "--plots");
        if ((!isScript && !isPlots && std::strcmp(arg, "-c") != 0) || i + 1 >= argc) {
            std::fprintf(stderr, "veltsim: unexpected argument '%s'\n\n%s", arg, kUsage);
            return kExitUsage;
        }
        std::string text = argv[++i];
        if (isPlots) {
            options.plots = text;
            continue;
        }
        std::string reason;
        if (isScript && !readFile(argv[i], text, reason)) {
            std::fprintf(stderr, "veltsim: cannot read script %s: %s\n", argv[i], reason.c_str());
            return kExitFailed;
        }
        script += text + "\n";
        scripted = true;
    }
    if (desktop) {
#ifdef VELTSIM_DESKTOP
        options.script = veltsim::ScriptLines(deck.empty() ? script : "load " + deck + "\n" + script);
        return veltsim::gui::RunDesktop(std::move(options), argv[0]);
#else
        std::fputs("veltsim: --gui is not available: this veltsim was built without Qt 6\n", stderr);
        return kExitFailed;
#endif
    }
    options.script = veltsim::ScriptLines(script);
    if (!scripted) options.input = isatty(STDIN_FILENO) ? veltsim::SessionOptions::Input::Typed : veltsim::SessionOptions::Input::Script;
    options.inputFd = STDIN_FILENO;
    options.catchInterrupts = true;
    options.print = [](const std::string& line) {
        std::fputs(line.c_str(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
    };
    veltsim::Session session(std::move(options));
    const int status = session.Execute();
    const std::string index = session.PlotsIndex();
    if (!index.empty()) std::printf("plots: %s\n", index.c_str());
    return status == 0 ? kExitOk : kExitFailed;
}
