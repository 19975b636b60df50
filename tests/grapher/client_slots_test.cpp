// The client classes are exported with their tables of virtual operations, which modules of the
// suite override and call: every operation must keep its place. The destructor takes two places
// in this ABI (complete and deleting), so the operation in slot s of the design sits at s + 1.
#include <gtest/gtest.h>

#include "plotter/recording.h"
#include "veltutil/grapher/grapher.h"

namespace {

template <class Class, class Signature>
int Slot(Signature Class::*member) {
    return SlotOf(member) - 1;
}

}  // namespace

TEST(GrapherClientSlots, OperationsKeepTheirPlaces) {
    struct Row {
        const char* name;
        int slot, expected;
    };
    using G = CGrapherGraph;
    using S = CStdGrapherGraph;
    const Row rows[] = {
        {"graph GetGrapher", Slot(&G::GetGrapher), 1},
        {"graph SetAxisLabel by node type at position",
         Slot(static_cast<long (G::*)(AxisPosition, NODE_TYPE, const char*)>(&G::SetAxisLabel)), 12},
        {"graph SetAxisAttr scale at position",
         Slot(static_cast<long (G::*)(AxisPosition, int, int, int, ScaleType)>(&G::SetAxisAttr)), 22},
        {"graph AddData from the trace list", Slot(static_cast<long (G::*)(int, int)>(&G::AddData)), 36},
        {"graph UpdateToFit", Slot(&G::UpdateToFit), 53},
        {"graph MoveCrosshairOneStep", Slot(&G::MoveCrosshairOneStep), 77},
        {"standard graph SetStdXAxisLabel by name",
         Slot(static_cast<long (S::*)(AxisPosition, const char*)>(&S::SetStdXAxisLabel)), 10},
        {"standard graph SetNthGraphData", Slot(&S::SetNthGraphData), 38},
        {"standard graph SendCrosshairMovedMsg", Slot(&S::SendCrosshairMovedMsg), 63},
        {"table SetCurrentFont", Slot(&CGrapherChart::SetCurrentFont), 2},
        {"table SetNumRows", Slot(&CGrapherChart::SetNumRows), 22},
        {"standard table SetRowItemValue", Slot(&CStdGrapherChart::SetRowItemValue), 14},
        {"standard table SetItemDouble", Slot(&CStdGrapherChart::SetItemDouble), 24},
        {"page Create standard table",
         Slot(static_cast<long (CGrapherPage::*)(unsigned long, CStdGrapherChart&, GrapherDiagramType)>(&CGrapherPage::Create)),
         11},
        {"page Create graph", Slot(static_cast<long (CGrapherPage::*)(unsigned long, CGrapherGraph&)>(&CGrapherPage::Create)), 14},
        {"page SaveBodeData", Slot(&CGrapherPage::SaveBodeData), 20},
        {"standard page OpenStdChart", Slot(&CStdGrapherPage::OpenStdChart), 24},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.slot, row.expected);
    }
}
