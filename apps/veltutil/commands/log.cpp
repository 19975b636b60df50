// veltutil log: shows lines as the command log window saves them.
#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "command.h"
#include "veltutil/logs/cmd_log.h"
#include "veltutil/logs/cmd_log_dlg.h"

namespace veltcli {
namespace {

const char* const kUsage =
    "usage: veltutil log [FILE]\n"
    "\n"
    "Reads log lines from FILE (standard input when FILE is missing or \"-\"); the leading tabs\n"
    "of a line give its nesting depth (a line nests at most one level below the line before).\n"
    "Fills the tree log of a headless command log window with them and prints the window's\n"
    "content as its Save button writes it: depth first, each nesting level shown as \"|   \",\n"
    "tabs inside a line expanded as the log expands them (each piece padded by its length\n"
    "modulo 4).\n"
    "The log holds each line up to its first NUL byte: a line with one is said on stderr and\n"
    "the exit status is 1.\n";

// Splits the text into lines, accepting "\n" and "\r\n" line ends; a last line end ends the
// last line rather than starting an empty one.
std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

int run(const Args& args) {
    if (args.size() > 1) {
        std::fputs(kUsage, stderr);
        return kExitUsage;
    }
    const std::string path = args.empty() ? std::string("-") : args[0];
    std::string input;
    if (!ReadInput("log", path, input)) return kExitFailed;

    CCmdLog log("log", nullptr);
    if (log.Initialize(nullptr) != 0) {
        Complain("log", "cannot create the log window");
        return kExitFailed;
    }
    std::vector<HTREEITEM> parents;  // parents[d] is the last line written at depth d
    std::size_t lineNumber = 0, firstCut = 0, cutLines = 0;
    for (std::string_view line : splitLines(input)) {
        ++lineNumber;
        std::size_t depth = line.find_first_not_of('\t');
        if (depth == std::string_view::npos) depth = line.size();
        // The log takes C strings: a NUL ends the line for it, and the rest cannot be kept.
        const std::string text(line.substr(depth));
        if (text.find('\0') != std::string::npos && cutLines++ == 0) firstCut = lineNumber;
        depth = std::min(depth, parents.size());
        HTREEITEM parent = depth == 0 ? TVI_ROOT : parents[depth - 1];
        HTREEITEM item = nullptr;
        log.AddText(parent, 0, text.c_str(), &item, 0);
        parents.resize(depth);
        parents.push_back(item);
    }
    WriteOutput(log.GetDialog()->FormatLines().view());
    if (cutLines) {
        Complain("log", "%s: line %zu holds a NUL byte (%zu %s in all); the log keeps such lines up to their first NUL",
                 InputName(path).c_str(), firstCut, cutLines, cutLines == 1 ? "line" : "lines");
    }
    return FinishOutput("log", cutLines ? kExitFailed : kExitOk);
}

const CommandRegistration registration({"log", "show lines as the command log window saves them", kUsage, run});

}  // namespace
}  // namespace veltcli
