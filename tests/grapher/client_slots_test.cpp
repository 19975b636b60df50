// The module's table and the client classes (exported with their tables of virtual operations,
// which modules of the suite override and call) are binary contracts: every operation must keep
// its slot. A client's destructor takes two places in this ABI (complete and deleting), so its
// operation in slot s of the design sits at s + 1.
#include <gtest/gtest.h>

#include "plotter/recording.h"
#include "veltutil/grapher/grapher.h"
#include "veltutil/grapher/grapher_interface.h"

TEST(GrapherSlots, OperationsKeepTheirPlaces) {
    using G = CGrapherGraph;
    using S = CStdGrapherGraph;
    const struct {
        const char* name;
        int slot, expected;
    } rows[] = {
        {"module Init", SlotOf(&CGrapher::Init), 0},
        {"module CreateGraph", SlotOf(&CGrapher::CreateGraph), 11},
        {"module SaveBodeData", SlotOf(&CGrapher::SaveBodeData), 37},
        {"module CreateChart", SlotOf(&CGrapher::CreateChart), 75},
        {"module AutoRange", SlotOf(&CGrapher::AutoRange), 96},
        {"graph GetGrapher", SlotOf(&G::GetGrapher) - 1, 1},
        {"graph AddData from the trace list", SlotOf(static_cast<long (G::*)(int, int)>(&G::AddData)) - 1, 36},
        {"graph MoveCrosshairOneStep", SlotOf(&G::MoveCrosshairOneStep) - 1, 77},
        {"standard graph SetNthGraphData", SlotOf(&S::SetNthGraphData) - 1, 38},
        {"standard graph SendCrosshairMovedMsg", SlotOf(&S::SendCrosshairMovedMsg) - 1, 63},
        {"table SetNumRows", SlotOf(&CGrapherChart::SetNumRows) - 1, 22},
        {"standard table SetItemDouble", SlotOf(&CStdGrapherChart::SetItemDouble) - 1, 24},
        {"page SaveBodeData", SlotOf(&CGrapherPage::SaveBodeData) - 1, 20},
        {"standard page OpenStdChart", SlotOf(&CStdGrapherPage::OpenStdChart) - 1, 24},
    };
    for (const auto& row : rows) EXPECT_EQ(row.slot, row.expected) << row.name;
}
