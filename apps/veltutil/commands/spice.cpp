// veltutil spice: converts node names between the suite's form and the SPICE form.
#include <cstdio>
#include <string>

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

void ConvertOne(const std::string& name, bool toSpice) {
    NODE_TYPE type = NODE_NONE;
    SpiceNodeGroup group{};
    const CString converted = toSpice ? ConvToSpiceID(name, &type, &group) : ConvFromSpiceID(name, &type, &group);
    std::printf("%s\t%s\t%s\n", converted.GetString(), TypeName(type).c_str(), GroupName(group).c_str());
}

int run(const veltcli::Args& args) {
    if (args.empty() || (args[0] != "to-spice" && args[0] != "from-spice")) {
        std::fprintf(stderr, "veltutil spice: expected to-spice or from-spice (see veltutil spice --help)\n");
        return 2;
    }
    const bool toSpice = args[0] == "to-spice";
    if (args.size() > 1) {
        for (std::size_t i = 1; i < args.size(); ++i) ConvertOne(args[i], toSpice);
        return 0;
    }
    std::string input;
    if (!veltcli::ReadInput("", input)) {
        std::fprintf(stderr, "veltutil spice: cannot read standard input\n");
        return 1;
    }
    // One name a line; every line gives one output line, so the output pairs up with the input.
    std::size_t start = 0;
    while (start < input.size()) {
        std::size_t end = input.find('\n', start);
        if (end == std::string::npos) end = input.size();
        std::string line = input.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        ConvertOne(line, toSpice);
        start = end + 1;
    }
    return 0;
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
    "FILTER (all.GROUP...), ALL (all), NONE.\n",
    run,
});

}  // namespace
