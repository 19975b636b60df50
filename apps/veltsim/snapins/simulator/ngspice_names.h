#pragma once

// The one place that knows how ngspice names what it computes, and how those names map onto
// the suite's own names.
//
// ngspice writes a hierarchy from the outside in with dots and a branch current with
// "#branch", as the suite's own form does ("x1.x2.mid", "vdd#branch"). A device inside a
// sub-circuit, though, it renames with the device's type letter in front of the instance path
// ("v.x1.vsense#branch", "q.x1.q1#base", "@r.x1.x2.r1[i]"), which the node-name conversions,
// taken as they are, would turn into nonsense ("I(vsense:x1:v)"). So names are bridged here
// first, and only then shown through the node-name classes, in the suite's SPICE form.

#include <string>
#include <string_view>

#include <veltutil/veltutil.h>

namespace veltsim {

// One vector of an ngspice plot under its three names.
struct SignalName {
    std::string ngspice;   // as ngspice reports it
    CString velt;          // the suite's form, lower case: the key commands are matched with
    CSpiceNodeName spice;  // what people see, with its type and group
};

// ngspice's name -> the suite's form, lower case.
//   "x1.x2.mid" -> "x1.x2.mid"        "v.x1.vsense#branch" -> "x1.vsense#branch"
//   "q.x1.q1#base" -> "x1.q1#base"    "@r.x1.x2.r1[i]" -> "@x1.x2.r1[i]"
CString VeltFromNgspice(std::string_view name);

// The suite's form -> the suite's SPICE form for people, with type and group.
//   "x1.x2.mid" -> V(mid:x2:x1), voltage     "x1.vsense#branch" -> I(vsense:x1), current
//   "x1.q1#base" -> V(q1:x1#base), voltage   "@x1.x2.r1[i]" -> @r1:x2:x1[i], current
//   "time" -> time, time                     "frequency" -> frequency, frequency
CSpiceNodeName SpiceFromVelt(const CString& velt);

SignalName BridgeNgspiceName(std::string_view name);

// A device parameter in the suite's form -> the name ngspice saves it under.
//   "@m1[id]" -> "@m1[id]"       "@x1.x2.r1[i]" -> "@r.x1.x2.r1[i]"
std::string NgspiceDeviceParameter(const CString& velt);

// A signal name as a person may type it, in any of the three forms, V(...) and I(...) included,
// any case -> the suite's form, lower case.
//   "V(mid:x2:x1)", "mid:x2:x1", "X1.X2.MID" -> "x1.x2.mid"
//   "I(vsense:x1)", "I(x1.vsense)", "v.x1.vsense#branch" -> "x1.vsense#branch"
//   "q1:x1#base", "q.x1.q1#base" -> "x1.q1#base"; "@r1:x2:x1[i]" -> "@x1.x2.r1[i]"
CString VeltFromTyped(std::string_view typed);

}  // namespace veltsim
