// veltutil spice: converts node names between the suite's form and the SPICE form.
#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>

#include "command.h"
#include "veltutil/spice/node_name_conversion.h"

namespace {

const char* const kTypeNames[] = {"NONE",           "TIME",           "FREQUENCY",      "VOLTAGE",
                                  "CURRENT",        "ONOISE_DENSITY", "ONOISE_TOTAL",   "INOISE_DENSITY",
                                  "INOISE_TOTAL",   "ONOISE",         "INOISE",         "POLE",
                                  "ZERO",           "SPARAM"};

std::string TypeName(NODE_TYPE type) {
    if (type >= 0 && type < static_cast<int>(std::size(kTypeNames))) return kTypeNames[type];
    return std::to_string(static_cast<int>(type));
}

// Group bits by name, highest first ("SUBMODULE|INTERNAL").
std::string GroupName(int group) {
    if (group == GROUP_ALL) return "ALL";
    if (group == 0) return "NONE";
    static const struct {
        int bit;
        const char* name;
    } kBits[] = {{GROUP_FILTER, "FILTER"},       {GROUP_IPLOT, "IPLOT"},     {GROUP_SELECTED, "SELECTED"},
                 {GROUP_SUBMODULE, "SUBMODULE"}, {GROUP_SUBCKT, "SUBCKT"},   {GROUP_OPEN_PIN, "OPEN_PIN"},
                 {GROUP_INTERNAL, "INTERNAL"}};
    std::string text;
    for (const auto& b : kBits) {
        if (!(group & b.bit)) continue;
        if (!text.empty()) text += '|';
        text += b.name;
    }
    return text;
}

// The longest name the converter gives; it refuses to give a longer one.
constexpr std::size_t kLongestConverted = 1023;

// Writes the converted name, its type and groups as one line. False when the converter refused
// the name, which is then said on stderr (`where` names it: "line 3", "argument 2").
//
// A refused name comes back unchanged with type and group NONE. So does a name that converts to
// itself, but not one longer than the limit: that is how a refusal is told. A name within a few
// characters of the limit that a conversion would lengthen past it ("I(...)" gaining "#branch")
// comes back the same way as a name that converts to itself, and is not told.
bool convertOne(std::string_view name, bool toSpice, const std::string& where) {
    NODE_TYPE type = NODE_NONE;
    SpiceNodeGroup group{};
    const CString converted = toSpice ? ConvToSpiceID(CString(name), &type, &group)
                                      : ConvFromSpiceID(CString(name), &type, &group);
    std::string line(converted.view());
    line += '\t' + TypeName(type) + '\t' + GroupName(group) + '\n';
    veltcli::WriteOutput(line);
    const bool refused = name.size() > kLongestConverted && converted.view() == name && type == NODE_NONE && group == 0;
    if (refused) {
        veltcli::Complain("spice", "%s: a name of %zu characters is refused (its converted form would be longer "
                          "than %zu); it is written back unchanged", where.c_str(), name.size(), kLongestConverted);
    }
    return !refused;
}

// Names are handled as bytes with their length: a NUL byte in a line of standard input is kept
// in the name and in the output.
int run(const veltcli::Args& args) {
    using namespace veltcli;
    if (args.empty() || (args[0] != "to-spice" && args[0] != "from-spice")) {
        Complain("spice", "expected to-spice or from-spice (see veltutil spice --help)");
        return kExitUsage;
    }
    const bool toSpice = args[0] == "to-spice";
    bool allConverted = true;
    if (args.size() > 1) {
        for (std::size_t i = 1; i < args.size(); ++i)
            allConverted &= convertOne(args[i], toSpice, "argument " + std::to_string(i));
        return FinishOutput("spice", allConverted ? kExitOk : kExitFailed);
    }
    std::string input;
    if (!ReadInput("spice", "-", input)) return kExitFailed;
    // One name a line; every line gives one output line, so the output pairs up with the input.
    std::string_view rest = input;
    for (std::size_t number = 1; !rest.empty(); ++number) {
        const std::size_t end = std::min(rest.find('\n'), rest.size());
        std::string_view line = rest.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        allConverted &= convertOne(line, toSpice, "line " + std::to_string(number));
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    return FinishOutput("spice", allConverted ? kExitOk : kExitFailed);
}

const veltcli::CommandRegistration registration({
    "spice",
    "convert node names between the suite's form and the SPICE form",
    "usage: veltutil spice to-spice [NAME...]\n"
    "       veltutil spice from-spice [NAME...]\n"
    "\n"
    "Converts each NAME (or each line of standard input when no NAME is given) and writes one\n"
    "line per name: the converted name, its node type and its groups, separated by tabs.\n"
    "  to-spice    x1.x2.mid -> mid:x2:x1, vdd#branch -> I(vdd), V(x1.out) -> V(out:x1)\n"
    "  from-spice  mid:x2:x1 -> x1.x2.mid, I(vdd) -> vdd#branch, V(out:x1) -> V(x1.out)\n"
    "Types: V(...) and plain node names VOLTAGE, I(...) and #branch CURRENT, \"all\" forms,\n"
    "device parameters (@...) and other probe functions NONE.\n"
    "Groups: SUBMODULE (:x...), SUBCKT (other ':'), INTERNAL (#suffix), OPEN_PIN (_OPEN_),\n"
    "FILTER (all.GROUP...), ALL (all), NONE.\n"
    "A converted name longer than 1023 characters is refused: the name is written back unchanged\n"
    "with type and group NONE, said on stderr, and the exit status is 1. NUL bytes in a line\n"
    "are kept.\n",
    run,
});

}  // namespace
