#include <gtest/gtest.h>

#include <vector>

#include "veltutil/properties/property_list.h"
#include "veltutil/spice/spice_node_name_list.h"

namespace {
// Through the exchange format: item -> text -> parsed item.
CPropertyItem ThroughText(const CPropertyItem& item) { return CPropertyItem(item.GetField()); }

void ExpectSame(const CSpiceNodeName& a, const CSpiceNodeName& b) {
    EXPECT_EQ(a.GetNode(), b.GetNode());
    EXPECT_EQ(a.GetNodeType(), b.GetNodeType());
    EXPECT_EQ(a.GetFullNodeGroup(), b.GetFullNodeGroup());
}

std::vector<int> GroupWords() {
    std::vector<int> words = {0, GROUP_ALL, -1, GROUP_FILTER | GROUP_SUBCKT | GROUP_INTERNAL};
    for (int bit : {GROUP_INTERNAL, GROUP_OPEN_PIN, GROUP_SUBCKT, GROUP_SUBMODULE, GROUP_SELECTED, GROUP_IPLOT,
                    GROUP_FILTER})
        words.push_back(bit);
    return words;
}
}  // namespace

TEST(CSpiceNodeNameProperty, WritesGroupTypeAndNameInOrder) {
    CSpiceNodeName n("q1:x1#base", NODE_CURRENT, 0x100);
    const CPropertyItem item = n.toPropertyItem();
    EXPECT_EQ(item.GetLabel(), "NODE");
    std::vector<CString> fields;
    for (const CPropertyItem* field : item.GetPropertyList()) fields.push_back(field->GetField());
    EXPECT_EQ(fields, (std::vector<CString>{"GROUP:long{265}", "TYPE:long{4}", "NAME:string{q1:x1#base}"}));
    EXPECT_EQ(n.toPropertyItem("PROBE").GetLabel(), "PROBE");
}

TEST(CSpiceNodeNameProperty, EveryGroupWordAndTypeSurvivesTheTextForm) {
    CSpiceNodeNameList list;
    for (int type = NODE_NONE; type <= NODE_SPARAM; ++type) {
        for (int group : GroupWords()) {
            CSpiceNodeName original;
            original.SetNodeType(static_cast<NODE_TYPE>(type));
            original.SetNodeGroup(group);
            CSpiceNodeName copy;
            ASSERT_EQ(copy.fromPropertyItem(ThroughText(original.toPropertyItem())), 1);
            ExpectSame(copy, original);
            fromString("n", list, static_cast<NODE_TYPE>(type), group, 0);
        }
    }
    fromString("a{b}\\c mid:x1", list, NODE_VOLTAGE, 0, 0);  // braces and backslashes in names

    CSpiceNodeNameList copy;
    fromString("stale", copy, NODE_NONE, 0, 0);
    ASSERT_EQ(copy.fromPropertyItem(ThroughText(list.toPropertyItem())), 1);
    auto a = list.begin();
    auto b = copy.begin();
    int count = 0;
    for (; a != list.end() && b != copy.end(); ++a, ++b, ++count) ExpectSame(**a, **b);
    EXPECT_EQ(count, 14 * static_cast<int>(GroupWords().size()) + 2);
    EXPECT_TRUE(a == list.end() && b == copy.end());
}

TEST(CSpiceNodeNameProperty, ReadingSkipsBadFieldsAndRefusesOtherItems) {
    const CSpiceNodeName original("mid:x1", NODE_VOLTAGE, 0);
    CSpiceNodeName n = original;
    EXPECT_EQ(n.fromPropertyItem(CPropertyItem("node:list{NAME:string{x}\n}")), 0);  // label is exact
    EXPECT_EQ(n.fromPropertyItem(CPropertyItem("NODE", CString("x"))), 0);           // not a list
    EXPECT_EQ(n.fromPropertyItem(original.toPropertyItem("PROBE")), 0);
    ExpectSame(n, original);
    EXPECT_EQ(n.fromPropertyItem(original.toPropertyItem("PROBE"), "PROBE"), 1);

    EXPECT_EQ(n.fromPropertyItem(CPropertyItem("NODE:list{TYPE:long{20}\nGROUP:string{7}\nNAME:long{5}\nX:long{1}\n}")), 1);
    EXPECT_EQ(n.GetNodeType(), NODE_NONE);
    EXPECT_EQ(n.GetFullNodeGroup(), 0x008);  // the string-typed GROUP was skipped
    EXPECT_EQ(n.GetNode(), "mid:x1");
    n.fromPropertyItem(CPropertyItem("NODE:list{TYPE:long{-1}\n}"));
    EXPECT_EQ(n.GetNodeType(), NODE_NONE);
    n.fromPropertyItem(CPropertyItem("NODE:list{TYPE:long{13}\n}"));
    EXPECT_EQ(n.GetNodeType(), NODE_SPARAM);
}

TEST(CSpiceNodeNameProperty, ListKeepsGoodRecordsAndReportsBadOnes) {
    CSpiceNodeNameList list;
    fromString("old", list, NODE_NONE, 0, 0);
    EXPECT_EQ(list.fromPropertyItem(CPropertyItem("NODE_LIST:string{x}")), 0);
    EXPECT_EQ(list.fromPropertyItem(CPropertyItem("NODES:list{}")), 0);
    EXPECT_EQ(list.Find("old"), 0);

    const CPropertyItem mixed("NODE_LIST:list{NODE:list{NAME:string{a}\nTYPE:long{3}\n}\nPROBE:list{NAME:string{b}\n}\n}");
    EXPECT_EQ(list.fromPropertyItem(mixed), 0);
    EXPECT_EQ(list.Find("old"), -1);
    EXPECT_EQ(list.Find("a"), 0);
    EXPECT_EQ(list.Find("b"), -1);
    EXPECT_EQ(list.begin().node()->value->GetNodeType(), NODE_VOLTAGE);
    EXPECT_EQ(list.begin().node()->value->GetFullNodeGroup(), 0);  // read as stored, not reclassified

    EXPECT_EQ(list.fromPropertyItem(CPropertyItem("SAVE:list{}"), "SAVE"), 1);
    EXPECT_TRUE(list.is_empty());
    EXPECT_EQ(CSpiceNodeNameList().toPropertyItem("SAVE").GetLabel(), "SAVE");
}
