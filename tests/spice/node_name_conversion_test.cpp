#include <gtest/gtest.h>

#include <string>

#include "veltutil/spice/node_name_conversion.h"

namespace {
constexpr int kSub = GROUP_SUBMODULE, kCkt = GROUP_SUBCKT, kInt = GROUP_INTERNAL;

struct Converted {
    std::string text;
    NODE_TYPE type;
    int group;
    bool operator==(const Converted&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Converted& c) {
    return os << '"' << c.text << "\" type " << c.type << " group 0x" << std::hex << c.group << std::dec;
}

Converted Convert(bool toSpice, const std::string& name) {
    NODE_TYPE type = NODE_SPARAM;
    SpiceNodeGroup group = GROUP_IPLOT;
    const CString text = toSpice ? ConvToSpiceID(name, &type, &group) : ConvFromSpiceID(name, &type, &group);
    // The classifiers must agree with the converters.
    EXPECT_EQ(toSpice ? GetVeltNodeGroup(name) : GetSpiceNodeGroup(name), group);
    EXPECT_EQ(toSpice ? GetVeltNodeType(name) : GetSpiceNodeType(name), type);
    return {text.str(), type, group};
}
}  // namespace

TEST(SpiceNodeConversion, NamesAndProbesRoundTripWithTheSameTypeAndGroup) {
    const struct {
        const char* velt;
        const char* spice;
        NODE_TYPE type;
        int group;
    } rows[] = {
        {"vout", "vout", NODE_VOLTAGE, 0},
        {"x1.x2.mid", "mid:x2:x1", NODE_VOLTAGE, kSub},
        {"q1.col", "col:q1", NODE_VOLTAGE, kCkt},
        {"x1.q1#base", "q1:x1#base", NODE_VOLTAGE, kSub | kInt},
        {"x3.In_Open_7", "In_Open_7:x3", NODE_VOLTAGE, GROUP_OPEN_PIN | kSub},
        {"x1.q1.b", "b:q1:x1", NODE_VOLTAGE, kCkt | kSub},  // ":q1" comes first
        {"x1.b,q1.c", "b:x1,c:q1", NODE_VOLTAGE, kSub | kCkt},  // each half classified alone
        {"@r1[i]", "@r1[i]", NODE_NONE, 0},
        {"V(x1.out)", "V(out:x1)", NODE_VOLTAGE, kSub},
        {"vdb(x2.out)", "vdb(out:x2)", NODE_NONE, kSub},
        {"vdd#branch", "I(vdd)", NODE_CURRENT, 0},
        {"all.subckt.internal", "all.subckt.internal", NODE_NONE, 0x405},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.velt);
        EXPECT_EQ(Convert(true, row.velt), (Converted{row.spice, row.type, row.group}));
        EXPECT_EQ(Convert(false, row.spice), (Converted{row.velt, row.type, row.group}));
    }
}

TEST(SpiceNodeConversion, OneWayForms) {
    const struct {
        bool toSpice;
        const char* in;
        Converted out;
    } rows[] = {
        {true, "  x1 . mid ", {"mid:x1", NODE_VOLTAGE, kSub}},
        {true, "a.b,c.d,e.f", {"b:a,f:d,e:c", NODE_VOLTAGE, kCkt}},  // only the first ',' splits
        {true, "  :abc", {":abc", NODE_NONE, 0}},  // a leading ':' without '.' is kept whole
        {false, " ALL\t", {"all", NODE_NONE, GROUP_ALL}},
        {true, ":p.all", {":p.all", NODE_NONE, GROUP_ALL}},
        {false, "ALL .Open_Pin.submodule.other", {"ALL .Open_Pin.submodule.other", NODE_NONE, 0x40A}},
        {true, "allnodes.x1", {"x1:allnodes", NODE_VOLTAGE, kCkt}},  // not a group word
        {true, "I(x1.vdd)", {"I(vdd:x1)", NODE_CURRENT, kSub}},
        {false, "i( vdd )", {"vdd#branch", NODE_CURRENT, 0}},
        {true, "vdd#branch2", {"I(vdd)2", NODE_CURRENT, 0}},  // nothing after the marker is lost
        {true, " V(I(x1.a))", {" V(I(x1.a))", NODE_NONE, 0}},  // nested parentheses pass through
        {true, "V(x1.out", {"V(out:x1", NODE_VOLTAGE, kSub}},
        {false, "", {"", NODE_NONE, 0}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.in);
        EXPECT_EQ(Convert(row.toSpice, row.in), row.out);
    }
}

TEST(SpiceNodeConversion, OverlongNamesAreRefusedAndClassifiedOnTheirStart) {
    const std::string n1020(1020, 'n');
    EXPECT_EQ(Convert(true, "x1." + n1020).text, n1020 + ":x1");
    for (std::size_t length : {1024u, 100000u}) {
        const std::string name = "x1." + std::string(length - 3, 'n');
        EXPECT_EQ(Convert(true, name), (Converted{name, NODE_NONE, 0}));
        EXPECT_EQ(Convert(false, name), (Converted{name, NODE_NONE, 0}));
    }
    // The limit is on the result: a current probe grows by four characters into the branch form.
    EXPECT_EQ(Convert(false, "I(" + std::string(1016, 'b') + ")").text, std::string(1016, 'b') + "#branch");
    const std::string tooLong = "I(" + std::string(1017, 'b') + ")";
    EXPECT_EQ(Convert(false, tooLong).text, tooLong);

    EXPECT_EQ(GetSpiceNodeGroup((std::string(253, 'n') + ":x1").c_str()), kSub);
    EXPECT_EQ(GetSpiceNodeGroup((std::string(255, 'n') + ":x1").c_str()), 0);
    EXPECT_EQ(GetSpiceNodeGroup((std::string(600, 'n') + "#int").c_str()), kInt);
}
