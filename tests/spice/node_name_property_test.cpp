#include <gtest/gtest.h>

#include "list_dump.h"
#include "veltutil/properties/property_list.h"

namespace {
// Through the exchange format: item -> text -> parsed item.
CPropertyItem ThroughText(const CPropertyItem& item) { return CPropertyItem(item.GetField()); }
}  // namespace

TEST(NodeNameProperties, EveryGroupWordAndTypeSurvivesTheTextForm) {
    EXPECT_EQ(CSpiceNodeName("q1:x1", NODE_CURRENT, 0x100).toPropertyItem().GetField(),
              "NODE:list{GROUP:long{264}\nTYPE:long{4}\nNAME:string{q1:x1}\n}");

    CSpiceNodeNameList list;
    for (int type = NODE_NONE; type <= NODE_SPARAM; ++type) {
        for (int group : {0, -1, static_cast<int>(GROUP_ALL), 0x405, 0x001, 0x002, 0x004, 0x008, 0x100, 0x200}) {
            CSpiceNodeName original, copy;
            original.SetNodeType(static_cast<NODE_TYPE>(type));
            original.SetNodeGroup(group);
            ASSERT_EQ(copy.fromPropertyItem(ThroughText(original.toPropertyItem())), 1);
            EXPECT_EQ(copy.GetNodeType(), type);
            EXPECT_EQ(copy.GetFullNodeGroup(), group);
            fromString("n", list, static_cast<NODE_TYPE>(type), group, 0);
        }
    }
    fromString("a{b}\\c mid:x1", list, NODE_VOLTAGE, 0, 0);  // braces and backslashes in names
    CSpiceNodeNameList copy;
    fromString("stale", copy, NODE_NONE, 0, 0);
    ASSERT_EQ(copy.fromPropertyItem(ThroughText(list.toPropertyItem())), 1);
    EXPECT_EQ(Dump(copy), Dump(list));
}

TEST(NodeNameProperties, ReadingSkipsBadFieldsAndRefusesOtherItems) {
    CSpiceNodeName n("mid:x1", NODE_VOLTAGE, 0);
    EXPECT_EQ(n.fromPropertyItem(CPropertyItem("node:list{NAME:string{x}\n}")), 0);  // label is exact
    EXPECT_EQ(n.fromPropertyItem(CPropertyItem("NODE", CString("x"))), 0);           // not a list
    EXPECT_EQ(n.fromPropertyItem(n.toPropertyItem("PROBE")), 0);
    EXPECT_EQ(n.fromPropertyItem(n.toPropertyItem("PROBE"), "PROBE"), 1);
    EXPECT_EQ(n.fromPropertyItem(CPropertyItem("NODE:list{TYPE:long{20}\nGROUP:string{7}\nNAME:long{5}\n}")), 1);
    EXPECT_EQ(n.GetNodeType(), NODE_NONE);  // out of range
    EXPECT_EQ(n.GetFullNodeGroup(), 0x008);  // wrongly typed fields skipped
    EXPECT_EQ(n.GetNode(), "mid:x1");
    n.fromPropertyItem(CPropertyItem("NODE:list{TYPE:long{-1}\n}"));
    EXPECT_EQ(n.GetNodeType(), NODE_NONE);

    CSpiceNodeNameList list;
    fromString("old", list, NODE_NONE, 0, 0);
    EXPECT_EQ(list.fromPropertyItem(CPropertyItem("NODE_LIST:string{x}")), 0);
    EXPECT_EQ(list.fromPropertyItem(CPropertyItem("NODES:list{}")), 0);
    EXPECT_EQ(Dump(list), "old/0/0");
    // One good field and one bad: the good record is kept, as stored, and the result is 0.
    EXPECT_EQ(list.fromPropertyItem(CPropertyItem(
                  "NODE_LIST:list{NODE:list{NAME:string{a:x1}\nTYPE:long{3}\n}\nPROBE:list{NAME:string{b}\n}\n}")),
              0);
    EXPECT_EQ(Dump(list), "a:x1/3/0");
}
