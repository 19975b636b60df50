#include <gtest/gtest.h>

#include "veltutil/spice/spice_node_name.h"

TEST(CSpiceNodeName, ConstructorAddsTheNameGroupsOnlyWhenAsked) {
    EXPECT_EQ(CSpiceNodeName("mid:x1", NODE_VOLTAGE, 0).GetFullNodeGroup(), 0x008);
    EXPECT_EQ(CSpiceNodeName("mid:x1", NODE_VOLTAGE, 0x100).GetFullNodeGroup(), 0x108);
    EXPECT_EQ(CSpiceNodeName("mid:x1", NODE_VOLTAGE, 0x200).GetFullNodeGroup(), 0x208);
    EXPECT_EQ(CSpiceNodeName("mid:x1", NODE_VOLTAGE, 0x004).GetFullNodeGroup(), 0x004);  // taken as given
    EXPECT_EQ(CSpiceNodeName("all", NODE_NONE, 0x100).GetFullNodeGroup(), 0x100);
    EXPECT_EQ(CSpiceNodeName("ALL", NODE_NONE, 0x100).GetFullNodeGroup(), static_cast<int>(0xFFFFFFFF));
    EXPECT_EQ(CSpiceNodeName("all", NODE_NONE, 0).GetFullNodeGroup(), GROUP_ALL);

    const CSpiceNodeName n("q1:x1#base", NODE_CURRENT, 0);
    EXPECT_EQ(n.GetNode(), "q1:x1#base");
    EXPECT_EQ(n.GetNodeType(), NODE_CURRENT);
    const CSpiceNodeName empty;
    EXPECT_EQ(empty.GetFullNodeGroup(), 0);
    EXPECT_EQ(empty.GetNodeType(), NODE_NONE);
    EXPECT_EQ(empty.GetNode(), "");
}

TEST(CSpiceNodeName, SelectionMarks) {
    CSpiceNodeName n("vout", NODE_VOLTAGE, 0);
    EXPECT_EQ(n.IPlot(1).GetFullNodeGroup(), 0x300);
    EXPECT_EQ(n.IsSelected(), 1);
    EXPECT_EQ(n.IPlot(0).GetFullNodeGroup(), 0x100);  // still selected
    EXPECT_EQ(n.IsIPlot(), 0);
    EXPECT_EQ(n.Select(0).GetFullNodeGroup(), 0);
    EXPECT_EQ(n.SelectIPlot(1).GetFullNodeGroup(), 0x300);
    EXPECT_EQ(n.SelectIPlot(0).GetFullNodeGroup(), 0);

    n.SetNodeGroup(GROUP_SUBCKT);
    n.AddNodeGroup(GROUP_INTERNAL);
    n.Select(1);
    n.RemoveNodeGroup(GROUP_SUBCKT);
    EXPECT_EQ(n.GetFullNodeGroup(), 0x101);
    n.SetNodeGroup(-1);
    EXPECT_EQ(n.IsIPlot(), 1);
}
