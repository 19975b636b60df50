#include "ngspice_names.h"

#include <vector>

#include "text_util.h"

namespace veltsim {

namespace {

bool startsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

// "v.x1.vsense" -> "x1.vsense": ngspice's renaming of a device inside a sub-circuit puts the
// device's type letter, which is also the first letter of its own name, before the path.
std::string withoutTypeLetter(const std::string& device) {
    std::vector<std::string_view> pieces;
    std::string_view rest = device;
    for (std::size_t dot; (dot = rest.find('.')) != std::string_view::npos; rest.remove_prefix(dot + 1)) {
        pieces.push_back(rest.substr(0, dot));
    }
    pieces.push_back(rest);
    const bool renamed = pieces.size() >= 3 && pieces.front().size() == 1 && !pieces.back().empty() &&
                         pieces.back().front() == pieces.front().front();
    return renamed ? device.substr(2) : device;
}

// A device parameter splits into the device and its "[...]" suffix.
void splitParameter(const std::string& name, std::string& device, std::string& parameter) {
    std::size_t bracket = name.find('[');
    device = name.substr(0, bracket);
    parameter = bracket == std::string::npos ? std::string() : name.substr(bracket);
}

// "V(x)" -> "x", "I(x)" -> "x#branch", anything else unchanged.
std::string unwrapProbe(const std::string& name) {
    if (name.size() < 3 || name[1] != '(' || name.back() != ')') return name;
    std::string inside = Trimmed(std::string_view(name).substr(2, name.size() - 3));
    if (name[0] == 'v') return inside;
    if (name[0] == 'i') return inside + "#branch";
    return name;
}

}  // namespace

CString VeltFromNgspice(std::string_view name) {
    std::string text = ToLower(Trimmed(name));
    if (startsWith(text, "@")) {
        std::string device, parameter;
        splitParameter(text.substr(1), device, parameter);
        std::string velt = "@";
        velt += withoutTypeLetter(device);
        velt += parameter;
        return CString(velt.c_str());
    }
    std::size_t hash = text.find('#');
    if (hash == std::string::npos) return CString(text.c_str());
    return CString((withoutTypeLetter(text.substr(0, hash)) + text.substr(hash)).c_str());
}

CSpiceNodeName SpiceFromVelt(const CString& velt) {
    const std::string& name = velt.str();
    if (name == "time") return CSpiceNodeName("time", NODE_TIME, 0);
    if (name == "frequency") return CSpiceNodeName("frequency", NODE_FREQUENCY, 0);
    if (startsWith(name, "@")) {
        std::string device, parameter;
        splitParameter(name.substr(1), device, parameter);
        CString spice = "@" + ConvToSpiceID(CString(device.c_str())) + CString(parameter.c_str());
        // Device currents are the parameters ngspice names [i], [ib], [ic], [id] and so on.
        return CSpiceNodeName(spice, startsWith(parameter, "[i") ? NODE_CURRENT : NODE_NONE, 0);
    }
    NODE_TYPE type = NODE_NONE;
    SpiceNodeGroup group = static_cast<SpiceNodeGroup>(0);
    CString spice = ConvToSpiceID(velt, &type, &group);
    if (type == NODE_CURRENT) return CSpiceNodeName(spice, type, group);
    return CSpiceNodeName("V(" + spice + ")", NODE_VOLTAGE, group);
}

SignalName BridgeNgspiceName(std::string_view name) {
    SignalName signal;
    signal.ngspice = std::string(name);
    signal.velt = VeltFromNgspice(name);
    signal.spice = SpiceFromVelt(signal.velt);
    return signal;
}

std::string NgspiceDeviceParameter(const CString& velt) {
    std::string device, parameter;
    splitParameter(velt.str().substr(1), device, parameter);
    std::string ngspice = "@";
    // Inside a sub-circuit, ngspice puts the device's type letter before the path.
    const std::size_t dot = device.rfind('.');
    if (dot != std::string::npos && dot + 1 < device.size()) {
        ngspice += device[dot + 1];
        ngspice += '.';
    }
    ngspice += device;
    ngspice += parameter;
    return ngspice;
}

CString VeltFromTyped(std::string_view typed) {
    std::string text = ToLower(Trimmed(typed));
    if (text.find(':') == std::string::npos) return VeltFromNgspice(unwrapProbe(text));
    // The suite's SPICE form, inside out with colons.
    if (startsWith(text, "@")) {
        std::string device, parameter;
        splitParameter(text.substr(1), device, parameter);
        return "@" + ConvFromSpiceID(CString(device.c_str())) + CString(parameter.c_str());
    }
    std::string converted = ToLower(ConvFromSpiceID(CString(text.c_str())).str());
    return CString(unwrapProbe(converted).c_str());
}

}  // namespace veltsim
