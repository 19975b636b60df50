#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "veltutil/spice/spice_node_name_list.h"

namespace {
struct Record {
    std::string name;
    NODE_TYPE type;
    int group;
    bool operator==(const Record&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Record& r) {
    return os << r.name << '/' << r.type << "/0x" << std::hex << r.group << std::dec;
}

std::vector<Record> Records(const CSpiceNodeNameList& list) {
    std::vector<Record> records;
    for (const CSpiceNodeName* r : list) records.push_back({r->GetNode().str(), r->GetNodeType(), r->GetFullNodeGroup()});
    return records;
}

CSpiceNodeNameList Make(const char* text, NODE_TYPE type = NODE_VOLTAGE, int bSelect = 1) {
    CSpiceNodeNameList list;
    list.fromSpaceDelimittedTokens(text, bSelect, 0, type);
    return list;
}
}  // namespace

TEST(CSpiceNodeNameList, SplitsAtBlanksAndMarksNewRecords) {
    CSpiceNodeNameList list = Make("x");
    list.fromSpaceDelimittedTokens("  a  mid:x1\t ", 0, 1, NODE_CURRENT);
    EXPECT_EQ(Records(list), (std::vector<Record>{{"a", NODE_CURRENT, 0x300}, {"mid:x1", NODE_CURRENT, 0x308}}));
    list.fromSpaceDelimittedTokens("a\tb a", 0, 0, NODE_VOLTAGE);  // only blanks separate; duplicates stay
    EXPECT_EQ(Records(list), (std::vector<Record>{{"a\tb", NODE_VOLTAGE, 0}, {"a", NODE_VOLTAGE, 0}}));
    list.fromSpaceDelimittedTokens(" \t ", 1, 0, NODE_VOLTAGE);
    EXPECT_TRUE(Records(list).empty());

    fromString("p q:x1", list, NODE_CURRENT, 0x004, 0);
    fromString("r", list, NODE_NONE, 0, 0);
    EXPECT_EQ(Records(list), (std::vector<Record>{
                                 {"p", NODE_CURRENT, 0x004}, {"q:x1", NODE_CURRENT, 0x004}, {"r", NODE_NONE, 0}}));
    fromString("s", list, NODE_NONE, 0x100, 1);
    EXPECT_EQ(Records(list), (std::vector<Record>{{"s", NODE_NONE, 0x100}}));
}

TEST(CSpiceNodeNameList, AddingAKnownNameOnlyChangesItsSelection) {
    CSpiceNodeNameList list = Make("a b");
    list.addFromToken(" a ", 0, 1, NODE_CURRENT);
    list.addFromSpaceDelimittedTokens("c  b", 0, 1, NODE_CURRENT);
    list.addFromToken("  ", 1, 1, NODE_CURRENT);
    EXPECT_EQ(Records(list), (std::vector<Record>{
                                 {"a", NODE_VOLTAGE, 0}, {"b", NODE_VOLTAGE, 0}, {"c", NODE_CURRENT, 0x300}}));
    list.addFromToken("b", 1, 0, NODE_NONE);
    EXPECT_EQ(Records(list)[1], (Record{"b", NODE_VOLTAGE, 0x100}));
}

TEST(CSpiceNodeNameList, AddFromListSkipsKnownNamesAndResetsMarks) {
    CSpiceNodeNameList source;
    source.fromSpaceDelimittedTokens("a mid:x1 a", 0, 1, NODE_CURRENT);
    fromString("all", source, NODE_NONE, GROUP_ALL, 0);

    CSpiceNodeNameList empty;
    empty.addFromCSpiceNodeNameList(source, 1, 0);  // an empty list takes everything
    EXPECT_EQ(Records(empty), (std::vector<Record>{{"a", NODE_CURRENT, 0x100},
                                                   {"mid:x1", NODE_CURRENT, 0x108},
                                                   {"a", NODE_CURRENT, 0x100},
                                                   {"all", NODE_NONE, GROUP_ALL}}));

    CSpiceNodeNameList some = Make("a", NODE_VOLTAGE, 0);
    some.addFromCSpiceNodeNameList(source, 0, 0);
    EXPECT_EQ(Records(some), (std::vector<Record>{
                                 {"a", NODE_VOLTAGE, 0}, {"mid:x1", NODE_CURRENT, 0x008}, {"all", NODE_NONE, GROUP_ALL}}));
    some.addFromCSpiceNodeNameList(some, 1, 1);
    EXPECT_EQ(Records(some).size(), 3u);
}

TEST(CSpiceNodeNameList, TextFormListsMatchingNames) {
    const char* const empty = "<none>";
    CSpiceNodeNameList list;
    EXPECT_EQ(list.toSpaceDelimittedTokens(0x100, empty, 0), empty);
    EXPECT_EQ(list.toSpaceDelimittedTokens(0x100, nullptr, 0), "");
    EXPECT_EQ(list.toSpaceDelimittedTokens(0x100, empty, 1), "all ");

    list = Make("vout @r1[i]");
    EXPECT_EQ(list.toSpaceDelimittedTokens(0x100, empty, 0), "vout @r1[i] ");
    EXPECT_EQ(list.toSpaceDelimittedTokens(0x100, empty, 1), "all @r1[i] ");
    list.SelectAll(0);
    EXPECT_EQ(list.toSpaceDelimittedTokens(0x100, empty, 0), "");  // records, but none matched
    list.IPlotAll(1);
    EXPECT_EQ(list.toSpaceDelimittedTokens(GROUP_IPLOT, empty, 0), "vout @r1[i] ");
    list.IPlotAll(0);
    EXPECT_EQ(list.toSpaceDelimittedTokens(GROUP_IPLOT, empty, 0), "");
    EXPECT_EQ(list.toSpaceDelimittedTokens(GROUP_SELECTED, empty, 0), "vout @r1[i] ");
}

TEST(CSpiceNodeNameList, FiltersByGroupAndType) {
    CSpiceNodeNameList list = Make("a mid:x1 col:q1");
    fromString("i1 i2:x1", list, NODE_CURRENT, 0, 0);

    CSpiceNodeNameList out = Make("stale");
    list.GetStrings(GROUP_SUBMODULE, out);
    EXPECT_EQ(Records(out), (std::vector<Record>{{"mid:x1", NODE_VOLTAGE, 0x108}, {"i2:x1", NODE_CURRENT, 0x008}}));
    list.GetStrings(NODE_CURRENT, GROUP_ALL, out);
    EXPECT_EQ(Records(out), (std::vector<Record>{{"i2:x1", NODE_CURRENT, 0x008}}));  // i1 has no group bit

    CSpiceNodeNameList byType = list;
    byType.EraseAllOfNodeType(NODE_VOLTAGE, 0);
    EXPECT_EQ(Records(byType).size(), 3u);
    byType.EraseAllOfNodeType(NODE_VOLTAGE, 1);
    EXPECT_TRUE(Records(byType).empty());
    EXPECT_EQ(Records(list).size(), 5u);  // the copy was deep

    list.EraseAllOfNodeGroup(GROUP_SUBMODULE | GROUP_SUBCKT, 1);
    EXPECT_EQ(Records(list), (std::vector<Record>{{"a", NODE_VOLTAGE, 0x100}, {"i1", NODE_CURRENT, 0}}));
    list.EraseAllOfNodeGroup(GROUP_SELECTED, 0);
    EXPECT_EQ(Records(list), (std::vector<Record>{{"a", NODE_VOLTAGE, 0x100}}));

    list.GetStrings(GROUP_SELECTED, list);  // into itself
    EXPECT_EQ(Records(list), (std::vector<Record>{{"a", NODE_VOLTAGE, 0x100}}));
}

TEST(CSpiceNodeNameList, FindCountsEveryNode) {
    CSpiceNodeNameList list = Make("a b c");
    EXPECT_EQ(list.Find("c"), 2);
    EXPECT_EQ(list.Find("d"), -1);
    EXPECT_EQ(list.Find(nullptr), -1);
    {
        auto walk = list.begin();
        list.remove(walk.node());  // marked only while the walk runs
        EXPECT_EQ(list.Find("a"), -1);
        EXPECT_EQ(list.Find("c"), 2);
        list.addFromToken("a", 0, 0, NODE_NONE);  // still found, so nothing is added
        EXPECT_EQ(list.Find("a"), -1);
    }
    EXPECT_EQ(list.Find("c"), 1);
    EXPECT_EQ(Records(list).size(), 2u);
}

TEST(CSpiceNodeNameList, PrintAppendsNamesAndAnEmptyLine) {
    const std::string path = testing::TempDir() + "spice_node_list_print.txt";
    std::remove(path.c_str());
    Make("a b").print(path.c_str());
    CSpiceNodeNameList().print(path.c_str());
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    EXPECT_EQ(text.str(), "a\nb\n\n\n");
    Make("a").print("/nonexistent-dir/x.txt");  // skipped without a word
    std::remove(path.c_str());
}
