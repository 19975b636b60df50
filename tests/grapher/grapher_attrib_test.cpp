#include <gtest/gtest.h>

#include "veltutil/grapher/grapher_attrib.h"

namespace {

void expectResetState(const CGrapherAttrib& attrib) {
    EXPECT_EQ(attrib.GetTabName(), "");
    for (int p = 0; p < 4; ++p) {
        auto position = static_cast<AxisPosition>(p);
        EXPECT_EQ(attrib.GetAxisScale(position), SCALE_TYPE_RESET);
        EXPECT_EQ(attrib.GetNodeType(position), NODE_NONE);
        EXPECT_FALSE(attrib.GetAxis(position).IsInitialized());
    }
    EXPECT_EQ(attrib.GetDiagramType(), DIAGRAM_SINGLE_VALUE);
    EXPECT_EQ(attrib.GetKeepPageOpen(), 0);
    EXPECT_EQ(attrib.GetGroupAllTraces(), 0);
    EXPECT_EQ(attrib.GetTracePrefix(), "");
    EXPECT_EQ(attrib.GetTracePostfix(), "");
}

}  // namespace

TEST(GrapherAttrib, StartsResetCopiesEveryFieldAndResetsAgain) {
    CGrapherAttrib attrib;
    expectResetState(attrib);

    attrib.GetTabName() = "AC";
    attrib.GetAxisScale(AXIS_POSITION_1) = SCALE_TYPE_2;
    attrib.GetNodeType(AXIS_POSITION_0) = NODE_FREQUENCY;
    attrib.GetAxis(AXIS_POSITION_3).AddPoint(-2.0, 1.0);
    attrib.GetAxis(AXIS_POSITION_3).AddPoint(5.0, 1.0);
    attrib.GetDiagramType() = DIAGRAM_GAIN_PHASE;
    attrib.GetKeepPageOpen() = 1;
    attrib.GetGroupAllTraces() = 1;
    attrib.GetTracePrefix() = "V(";
    attrib.GetTracePostfix() = ")";

    const CGrapherAttrib copy(attrib);
    EXPECT_EQ(copy.GetTabName(), "AC");
    EXPECT_EQ(copy.GetAxisScale(AXIS_POSITION_1), SCALE_TYPE_2);
    EXPECT_EQ(copy.GetAxisScale(AXIS_POSITION_3), SCALE_TYPE_RESET);
    EXPECT_EQ(copy.GetNodeType(AXIS_POSITION_0), NODE_FREQUENCY);
    EXPECT_EQ(copy.GetAxis(AXIS_POSITION_3).GetMin(), -2.0);
    EXPECT_EQ(copy.GetAxis(AXIS_POSITION_3).GetMax(), 5.0);
    EXPECT_EQ(copy.GetDiagramType(), DIAGRAM_GAIN_PHASE);
    EXPECT_EQ(copy.GetTracePrefix(), "V(");
    EXPECT_EQ(copy.GetTracePostfix(), ")");

    attrib.Reset();
    expectResetState(attrib);
    CGrapherAttrib assigned;
    assigned = copy;
    EXPECT_EQ(assigned.GetKeepPageOpen(), 1);
    EXPECT_EQ(assigned.GetGroupAllTraces(), 1);
}

TEST(GrapherAxes, RangeChangedFlagIsABooleanAndPositionsStayInTheSet) {
    CGrapherAxes axes;
    axes.SetRangeChanged(7);
    axes.AddRangeChanged(0);
    EXPECT_EQ(axes.GetRangeChanged(), 1);
    axes.SetRangeChanged(0);
    axes.AddRangeChanged(-1);
    EXPECT_EQ(axes.GetRangeChanged(), 1);
    EXPECT_EQ(&axes.GetAxis(static_cast<AxisPosition>(9)), &axes.GetAxis(AXIS_POSITION_3));
    EXPECT_EQ(&axes.GetScale(static_cast<AxisPosition>(-1)), &axes.GetScale(AXIS_POSITION_0));
}
