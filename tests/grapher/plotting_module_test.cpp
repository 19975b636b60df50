#include <gtest/gtest.h>

#include "plotter/recording.h"
#include "veltutil/grapher/grapher_interface.h"

// The module's table is a binary contract: every operation must keep its slot.
TEST(PlottingModuleInterface, OperationsKeepTheirSlots) {
    EXPECT_EQ(SlotOf(&CGrapher::Init), 0);
    EXPECT_EQ(SlotOf(&CGrapher::CreatePageExt), 2);
    EXPECT_EQ(SlotOf(&CGrapher::SetPageWndPos), 10);
    EXPECT_EQ(SlotOf(&CGrapher::CreateGraph), 11);
    EXPECT_EQ(SlotOf(&CGrapher::SetShowSelTraceMarks), 34);
    EXPECT_EQ(SlotOf(&CGrapher::SaveBodeData), 37);
    EXPECT_EQ(SlotOf(&CGrapher::SendCrosshairMovedMsg), 45);
    EXPECT_EQ(SlotOf(&CGrapher::AttachCallbackEvents), 48);
    EXPECT_EQ(SlotOf(&CGrapher::GetTraceLabel), 74);
    EXPECT_EQ(SlotOf(&CGrapher::CreateChart), 75);
    EXPECT_EQ(SlotOf(&CGrapher::UpdateChartDisplay), 91);
    EXPECT_EQ(SlotOf(&CGrapher::AutoRange), 96);
}
