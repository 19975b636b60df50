#include <gtest/gtest.h>

#include <string>

#include "veltutil/grapher/grapher_attrib.h"

namespace {

// Every field of the attributes in one line, so that resets compare whole.
std::string Dump(const CGrapherAttrib& a) {
    std::string text = std::string(a.GetTabName()) + "|";
    for (int p = 0; p < 4; ++p) {
        auto position = static_cast<AxisPosition>(p);
        const CMinMax& axis = a.GetAxis(position);
        text += std::to_string(a.GetAxisScale(position)) + "," + std::to_string(a.GetNodeType(position)) + "," +
                (axis.IsInitialized() ? std::to_string(axis.GetMin()) + ":" + std::to_string(axis.GetMax()) : "-") + "|";
    }
    return text + std::to_string(a.GetDiagramType()) + "|" + std::to_string(a.GetKeepPageOpen()) +
           std::to_string(a.GetGroupAllTraces()) + "|" + std::string(a.GetTracePrefix()) + "|" +
           std::string(a.GetTracePostfix());
}

}  // namespace

TEST(GrapherAttrib, StartsResetAndResetsEveryFieldAgain) {
    const std::string reset = "|4,0,-|4,0,-|4,0,-|4,0,-|0|00||";
    CGrapherAttrib attrib;
    EXPECT_EQ(Dump(attrib), reset);
    attrib.GetTabName() = "AC";
    attrib.GetAxisScale(AXIS_POSITION_1) = SCALE_TYPE_2;
    attrib.GetNodeType(AXIS_POSITION_2) = NODE_CURRENT;
    attrib.GetAxis(AXIS_POSITION_3).AddPoint(-2.0, 1.0);
    attrib.GetDiagramType() = DIAGRAM_GAIN_PHASE;
    attrib.GetKeepPageOpen() = 1;
    attrib.GetGroupAllTraces() = 1;
    attrib.GetTracePrefix() = "(";
    attrib.GetTracePostfix() = ")";
    attrib.Reset();
    EXPECT_EQ(Dump(attrib), reset);
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
