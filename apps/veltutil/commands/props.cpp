// veltutil props: formats, lists or checks a property list text. The text is handled as bytes
// with their length, so a NUL byte stays one byte of a label or value, in the output too.
#include <string>

#include "command.h"
#include "veltutil/properties/property_check.h"
#include "veltutil/properties/property_format.h"
#include "veltutil/properties/property_list.h"

namespace {

using namespace veltcli;

const char* const kUsage =
    "usage: veltutil props format [FILE]\n"
    "       veltutil props list [FILE]\n"
    "       veltutil props check [FILE]\n"
    "\n"
    "Reads a property list text from FILE (standard input when FILE is missing or \"-\").\n"
    "  format  prints the indented display form of the list\n"
    "  list    prints the canonical text form (one item a line, as the library writes it)\n"
    "  check   prints whether the whole input reads as items; when it does not, the byte offset\n"
    "          and line at which reading stopped, and why\n"
    "Where reading stops early, format and list print what was read, say on stderr where and\n"
    "why reading stopped, and exit 1; check exits 1.\n";

// "reading stopped at byte 16 (line 2) after 1 item: unmatched '{': its '}' never comes"
std::string describe(const CPropertyListCheck& check) {
    const char* items = check.items == 1 ? "item" : "items";
    std::string text;
    if (check.problem == CPropertyListCheck::NONE) {
        text = std::to_string(check.items) + " " + items + ", complete";
    } else {
        text = "reading stopped at byte " + std::to_string(check.offset) + " (line " + std::to_string(check.line) +
               ") after " + std::to_string(check.items) + " " + items + ": " + check.Describe();
    }
    return text;
}

bool writePiece(void*, std::string_view piece) { return WriteOutput(piece); }

int run(const Args& args) {
    if (args.empty() || args.size() > 2) {
        std::fputs(kUsage, stderr);
        return kExitUsage;
    }
    const std::string& action = args[0];
    if (action != "format" && action != "list" && action != "check") {
        Complain("props", "unknown action '%s'\n", action.c_str());
        std::fputs(kUsage, stderr);
        return kExitUsage;
    }
    const std::string path = args.size() > 1 ? args[1] : "-";
    std::string input;
    if (!ReadInput("props", path, input)) return kExitFailed;
    const CString text(std::move(input));
    const CPropertyListCheck check = checkPropertyList(text);
    const bool complete = check.problem == CPropertyListCheck::NONE;
    const std::string name = InputName(path);

    if (action == "check") {
        WriteOutput(name + ": " + describe(check) + "\n");
        return FinishOutput("props", complete ? kExitOk : kExitFailed);
    }
    // The display form can be hundreds of times larger than the text, so it is streamed.
    if (action == "format") {
        formatPropertyListText(text, 0, 0, writePiece, nullptr);
    } else {
        WriteOutput(CPropertyList(text).GetList().view());
    }
    if (!complete) Complain("props", "%s: %s", name.c_str(), describe(check).c_str());
    return FinishOutput("props", complete ? kExitOk : kExitFailed);
}

const CommandRegistration registration({"props", "format, list or check a property list text", kUsage, run});

}  // namespace
