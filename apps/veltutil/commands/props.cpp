#include <cstdio>
#include <string>

#include "command.h"
#include "veltutil/properties/property_check.h"
#include "veltutil/properties/property_list.h"

namespace {

const char* const usage =
    "usage: veltutil props format [FILE]\n"
    "       veltutil props list [FILE]\n"
    "       veltutil props check [FILE]\n"
    "\n"
    "Reads a property list text from FILE (standard input when FILE is missing or \"-\").\n"
    "  format  prints the indented display form of the list\n"
    "  list    prints the canonical text form (one item a line, as the library writes it)\n"
    "  check   exits 0 when the whole input reads as items; otherwise prints the byte offset\n"
    "          and line at which reading stopped, and why, and exits 1\n";

void print(const CString& text) { std::fwrite(text.GetString(), 1, static_cast<std::size_t>(text.GetLength()), stdout); }

int run(const veltcli::Args& args) {
    if (args.empty() || args.size() > 2) {
        std::fputs(usage, stderr);
        return 2;
    }
    const std::string& action = args[0];
    std::string path = args.size() > 1 ? args[1] : "-";
    if (action != "format" && action != "list" && action != "check") {
        std::fprintf(stderr, "veltutil props: unknown action '%s'\n\n%s", action.c_str(), usage);
        return 2;
    }
    std::string input;
    if (!veltcli::ReadInput(path, input)) {
        std::fprintf(stderr, "veltutil props: cannot read '%s'\n", path.c_str());
        return 2;
    }
    CString text(std::move(input));
    if (action == "format") {
        print(formatPropertyList(CPropertyList(text), 0, 0));
    } else if (action == "list") {
        print(CPropertyList(text).GetList());
    } else {
        CPropertyListCheck result = checkPropertyList(text);
        if (result.problem != CPropertyListCheck::NONE) {
            std::printf("%s: reading stopped at byte %ld (line %ld) after %ld %s: %s\n", path.c_str(), result.offset,
                        result.line, result.items, result.items == 1 ? "item" : "items", result.Describe());
            return 1;
        }
        std::printf("%s: %ld %s, complete\n", path.c_str(), result.items, result.items == 1 ? "item" : "items");
    }
    return 0;
}

veltcli::CommandRegistration registration({"props", "format, list or check a property list text", usage, run});

}  // namespace
