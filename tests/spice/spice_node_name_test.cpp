#include <gtest/gtest.h>

#include "veltutil/spice/spice_node_name.h"

TEST(CSpiceNodeName, ConstructorAddsTheNameGroupsOnlyWhenAsked) {
    EXPECT_EQ(CSpiceNodeName("mid:x1", NODE_VOLTAGE, 0).GetFullNodeGroup(), 0x008);
    EXPECT_EQ(CSpiceNodeName("mid:x1", NODE_VOLTAGE, 0x200).GetFullNodeGroup(), 0x208);
    EXPECT_EQ(CSpiceNodeName("mid:x1", NODE_VOLTAGE, 0x004).GetFullNodeGroup(), 0x004);  // taken as given
    EXPECT_EQ(CSpiceNodeName("all", NODE_NONE, 0x100).GetFullNodeGroup(), 0x100);
    EXPECT_EQ(CSpiceNodeName("ALL", NODE_NONE, 0x100).GetFullNodeGroup(), -1);  // only "all" is exempt
}

TEST(CSpiceNodeName, SelectionMarks) {
    CSpiceNodeName n("vout", NODE_VOLTAGE, 0);
    EXPECT_EQ(n.IPlot(1).GetFullNodeGroup(), 0x300);
    EXPECT_EQ(n.IPlot(0).GetFullNodeGroup(), 0x100);  // still selected
    EXPECT_EQ(n.Select(0).GetFullNodeGroup(), 0);
    EXPECT_EQ(n.SelectIPlot(1).GetFullNodeGroup(), 0x300);
    n.SetNodeGroup(GROUP_SUBCKT);
    n.AddNodeGroup(GROUP_INTERNAL);
    n.RemoveNodeGroup(GROUP_SUBCKT);
    EXPECT_EQ(n.GetFullNodeGroup(), GROUP_INTERNAL);
}
