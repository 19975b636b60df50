#include <gtest/gtest.h>

#include <string>

#include "ngspice_names.h"

namespace {

struct Bridged {
    const char* ngspice;
    const char* velt;
    const char* spice;
    NODE_TYPE type;
    int group;
};

}  // namespace

// Every kind of name ngspice reports, as the suite keeps it and as people see it.
TEST(NgspiceNames, BridgeToTheSuitesNames) {
    const Bridged rows[] = {
        {"out", "out", "V(out)", NODE_VOLTAGE, 0},
        {"x1.x2.mid", "x1.x2.mid", "V(mid:x2:x1)", NODE_VOLTAGE, GROUP_SUBMODULE},
        {"vdd#branch", "vdd#branch", "I(vdd)", NODE_CURRENT, 0},
        {"v.x1.vsense#branch", "x1.vsense#branch", "I(vsense:x1)", NODE_CURRENT, GROUP_SUBMODULE},
        {"v.x1.x2.vsense#branch", "x1.x2.vsense#branch", "I(vsense:x2:x1)", NODE_CURRENT, GROUP_SUBMODULE},
        {"q1#base", "q1#base", "V(q1#base)", NODE_VOLTAGE, GROUP_INTERNAL},
        {"q.x1.q1#base", "x1.q1#base", "V(q1:x1#base)", NODE_VOLTAGE, GROUP_INTERNAL | GROUP_SUBMODULE},
        {"@r.x1.x2.r1[i]", "@x1.x2.r1[i]", "@r1:x2:x1[i]", NODE_CURRENT, GROUP_SUBMODULE},
        {"@q.x1.q1[ic]", "@x1.q1[ic]", "@q1:x1[ic]", NODE_CURRENT, GROUP_SUBMODULE},
        {"@rl[i]", "@rl[i]", "@rl[i]", NODE_CURRENT, 0},
        {"@c.x1.c1[p]", "@x1.c1[p]", "@c1:x1[p]", NODE_NONE, GROUP_SUBMODULE},
        // A node named like a device still is a node: only '#' and '@' names carry type letters.
        {"x.xout", "x.xout", "V(xout:x)", NODE_VOLTAGE, GROUP_SUBMODULE},
        // A one-letter instance whose node starts with another letter keeps its path.
        {"x.mid#branch", "x.mid#branch", "I(mid:x)", NODE_CURRENT, GROUP_SUBMODULE},
        {"time", "time", "time", NODE_TIME, 0},
        {"frequency", "frequency", "frequency", NODE_FREQUENCY, 0},
    };
    for (const Bridged& row : rows) {
        SCOPED_TRACE(row.ngspice);
        const veltsim::SignalName name = veltsim::BridgeNgspiceName(row.ngspice);
        EXPECT_EQ(name.velt, row.velt);
        EXPECT_EQ(name.spice.GetNode(), row.spice);
        EXPECT_EQ(name.spice.GetNodeType(), row.type);
        EXPECT_EQ(name.spice.GetFullNodeGroup(), row.group);
    }
}

// A person may type a signal in the suite's SPICE form (as shown above), the suite's own form
// or ngspice's, with or without V()/I(), in any case: all reach the same signal.
TEST(NgspiceNames, TypedFormsReachTheSameSignal) {
    const struct {
        const char* typed;
        const char* velt;
    } rows[] = {
        {"V(out)", "out"},
        {"v( OUT )", "out"},
        {"V(mid:x2:x1)", "x1.x2.mid"},
        {"mid:x2:x1", "x1.x2.mid"},
        {"X1.X2.MID", "x1.x2.mid"},
        {"I(vsense:x1)", "x1.vsense#branch"},
        {"I(x1.vsense)", "x1.vsense#branch"},
        {"x1.vsense#branch", "x1.vsense#branch"},
        {"v.x1.vsense#branch", "x1.vsense#branch"},
        {"I(vdd)", "vdd#branch"},
        {"q1:x1#base", "x1.q1#base"},
        {"q.x1.q1#base", "x1.q1#base"},
        {"@r1:x2:x1[i]", "@x1.x2.r1[i]"},
        {"@r.x1.x2.r1[i]", "@x1.x2.r1[i]"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        EXPECT_EQ(veltsim::VeltFromTyped(row.typed), row.velt);
    }
}
