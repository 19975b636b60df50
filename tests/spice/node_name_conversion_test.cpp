#include <gtest/gtest.h>

#include <string>

#include "veltutil/spice/node_name_conversion.h"

namespace {
struct Converted {
    std::string text;
    NODE_TYPE type;
    int group;
};

Converted ToSpice(const char* name) {
    NODE_TYPE type = NODE_SPARAM;
    SpiceNodeGroup group = GROUP_IPLOT;
    const CString text = ConvToSpiceID(name, &type, &group);
    return {text.str(), type, group};
}

Converted FromSpice(const char* name) {
    NODE_TYPE type = NODE_SPARAM;
    SpiceNodeGroup group = GROUP_IPLOT;
    const CString text = ConvFromSpiceID(name, &type, &group);
    return {text.str(), type, group};
}
}  // namespace

TEST(SpiceNodeConversion, ReversesHierarchyBothWaysWithTheSameGroup) {
    struct {
        const char* velt;
        const char* spice;
        int group;
    } const rows[] = {
        {"vout", "vout", 0},
        {"x1.x2.mid", "mid:x2:x1", GROUP_SUBMODULE},
        {"q1.col", "col:q1", GROUP_SUBCKT},
        {"x1.q1#base", "q1:x1#base", GROUP_SUBMODULE | GROUP_INTERNAL},
        {"in_OPEN_", "in_OPEN_", GROUP_OPEN_PIN},
        {"x3.In_Open_7", "In_Open_7:x3", GROUP_OPEN_PIN | GROUP_SUBMODULE},
        {"x1.q1.b", "b:q1:x1", GROUP_SUBCKT | GROUP_SUBMODULE},  // ":q1" comes first
        {"q1.x1.b", "b:x1:q1", GROUP_SUBMODULE},                 // ":x1" comes before ":q1"
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.velt);
        const Converted to = ToSpice(row.velt), from = FromSpice(row.spice);
        EXPECT_EQ(to.text, row.spice);
        EXPECT_EQ(to.group, row.group);
        EXPECT_EQ(from.text, row.velt);
        EXPECT_EQ(from.group, row.group);
        EXPECT_EQ(to.type, NODE_VOLTAGE);
        EXPECT_EQ(from.type, NODE_VOLTAGE);
    }
}

TEST(SpiceNodeConversion, TrimsBlanksAndKeepsColonPrefixedFields) {
    EXPECT_EQ(ToSpice("  x1.mid").text, "mid:x1");
    EXPECT_EQ(ToSpice("x1 . mid ").text, "mid:x1");
    EXPECT_EQ(ToSpice("x1.q1#base  ").text, "q1:x1#base");
    EXPECT_EQ(ToSpice("a..b").text, "b::a");

    const Converted bare = ToSpice("  :abc");
    EXPECT_EQ(bare.text, ":abc");  // nothing to convert after a leading ':' without '.'
    EXPECT_EQ(bare.group, 0);
    EXPECT_EQ(ToSpice(":sim.x1.mid").text, ":sim.mid:x1");
    EXPECT_EQ(FromSpice(":sim.mid:x1").text, ":sim.x1.mid");
}

TEST(SpiceNodeConversion, AllFormsNameGroupsRatherThanNodes) {
    for (const char* all : {"all", "ALL", " all  ", "All\t"}) {
        SCOPED_TRACE(all);
        const Converted to = ToSpice(all), from = FromSpice(all);
        EXPECT_EQ(to.text, "all");
        EXPECT_EQ(from.text, "all");
        EXPECT_EQ(static_cast<unsigned>(to.group), 0xFFFFFEFFu);
        EXPECT_EQ(to.type, NODE_NONE);
    }
    const Converted filter = ToSpice("all.subckt.internal");
    EXPECT_EQ(filter.text, "all.subckt.internal");
    EXPECT_EQ(filter.group, 0x405);
    EXPECT_EQ(FromSpice("ALL .Open_Pin.submodule.other").group,
              GROUP_FILTER | GROUP_OPEN_PIN | GROUP_SUBMODULE);
    EXPECT_EQ(ToSpice(":p.all").text, ":p.all");
    EXPECT_EQ(ToSpice(":p.all").group, GROUP_ALL);

    const Converted allnodes = ToSpice("allnodes.x1");  // only "all" and "all." are group words
    EXPECT_EQ(allnodes.text, "x1:allnodes");
    EXPECT_EQ(allnodes.group, GROUP_SUBCKT);
}

TEST(SpiceNodeConversion, PairsConvertAndClassifyEachHalf) {
    const Converted pair = ToSpice("x1.b,q1.c");
    EXPECT_EQ(pair.text, "b:x1,c:q1");
    // Classified as one text, ":x1" before ":q1" would hide the sub-circuit.
    EXPECT_EQ(pair.group, GROUP_SUBMODULE | GROUP_SUBCKT);
    EXPECT_EQ(FromSpice("b:x1,c:q1").text, "x1.b,q1.c");
    EXPECT_EQ(ToSpice("a.b,c.d,e.f").text, "b:a,f:d,e:c");  // only the first ',' splits
}

TEST(SpiceNodeConversion, ProbesAndBranchCurrentsRoundTrip) {
    struct {
        const char* velt;
        const char* spice;
        NODE_TYPE type;
        int group;
    } const rows[] = {
        {"V(x1.out)", "V(out:x1)", NODE_VOLTAGE, GROUP_SUBMODULE},
        {"vdd#branch", "I(vdd)", NODE_CURRENT, 0},
        {"x1.vdd#branch", "I(vdd:x1)", NODE_CURRENT, GROUP_SUBMODULE},
        {"V(x1.a,q1.b)", "V(a:x1,b:q1)", NODE_VOLTAGE, GROUP_SUBMODULE | GROUP_SUBCKT},
        {"vdb(x2.out)", "vdb(out:x2)", NODE_NONE, GROUP_SUBMODULE},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.velt);
        const Converted to = ToSpice(row.velt);
        EXPECT_EQ(to.text, row.spice);
        EXPECT_EQ(to.type, row.type);
        EXPECT_EQ(to.group, row.group);
        const Converted back = FromSpice(to.text.c_str());
        EXPECT_EQ(back.text, row.velt);
        EXPECT_EQ(back.type, row.type);
        EXPECT_EQ(back.group, row.group);
        EXPECT_EQ(ToSpice(back.text.c_str()).text, row.spice);
    }
    // I(...) written in the suite's form is already a probe; SPICE's own "#branch" names keep
    // their meaning as well.
    EXPECT_EQ(ToSpice("I(x1.vdd)").text, "I(vdd:x1)");
    EXPECT_EQ(FromSpice("i( vdd )").text, "vdd#branch");
    EXPECT_EQ(FromSpice("vdd#branch").type, NODE_CURRENT);
    EXPECT_EQ(ToSpice("vdd#branch2").text, "I(vdd)2");  // nothing after the marker is lost
    // Nested parentheses are not a node name: passed through whole.
    const Converted nested = ToSpice(" V(I(x1.a))");
    EXPECT_EQ(nested.text, " V(I(x1.a))");
    EXPECT_EQ(nested.type, NODE_NONE);
    EXPECT_EQ(ToSpice("V(x1.out").text, "V(out:x1");
}

TEST(SpiceNodeConversion, ClassifiersReportWhatTheConvertersReport) {
    for (const char* name : {"vout", "mid:x1", "q1:x1#base", "I(vdd)", "V(a:x1)", "@r1[i]", "all", ""}) {
        SCOPED_TRACE(name);
        const Converted from = FromSpice(name), to = ToSpice(name);
        EXPECT_EQ(GetSpiceNodeGroup(name), from.group);
        EXPECT_EQ(GetSpiceNodeType(name), from.type);
        EXPECT_EQ(GetVeltNodeGroup(name), to.group);
        EXPECT_EQ(GetVeltNodeType(name), to.type);
    }
    EXPECT_EQ(GetSpiceNodeType("@r1[i]"), NODE_NONE);
    EXPECT_EQ(GetSpiceNodeType(""), NODE_NONE);
    EXPECT_EQ(GetVeltNodeType("x1.q1#base"), NODE_VOLTAGE);
    EXPECT_EQ(ConvToSpiceID("x1.mid"), "mid:x1");  // outputs are optional
}

TEST(SpiceNodeConversion, OverlongNamesAreRefusedNotOverrun) {
    const std::string at1023 = "x1." + std::string(1020, 'n');
    const Converted fits = ToSpice(at1023.c_str());
    EXPECT_EQ(fits.text, std::string(1020, 'n') + ":x1");

    for (std::size_t length : {std::size_t{1024}, std::size_t{100000}}) {
        const std::string name = "x1." + std::string(length - 3, 'n');
        for (const Converted& c : {ToSpice(name.c_str()), FromSpice(name.c_str())}) {
            EXPECT_EQ(c.text, name);
            EXPECT_EQ(c.type, NODE_NONE);
            EXPECT_EQ(c.group, 0);
        }
    }
    // A current probe grows by four characters into the branch form: the limit is on the result.
    const std::string longest = "I(" + std::string(1016, 'b') + ")", tooLong = "I(" + std::string(1017, 'b') + ")";
    EXPECT_EQ(FromSpice(longest.c_str()).text, std::string(1016, 'b') + "#branch");
    EXPECT_EQ(FromSpice(tooLong.c_str()).text, tooLong);
}

TEST(SpiceNodeConversion, ClassifiesOnlyTheFirst255Characters) {
    const std::string seen = std::string(253, 'n') + ":x1";
    const std::string unseen = std::string(255, 'n') + ":x1";
    EXPECT_EQ(GetSpiceNodeGroup(seen.c_str()), GROUP_SUBMODULE);
    EXPECT_EQ(GetSpiceNodeGroup(unseen.c_str()), 0);
    EXPECT_EQ(GetSpiceNodeGroup((std::string(600, 'n') + "#int").c_str()), GROUP_INTERNAL);
}
