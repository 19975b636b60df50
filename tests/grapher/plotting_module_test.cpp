#include <gtest/gtest.h>

#include "plotter/recording_module.h"
#include "veltutil/grapher/grapher_interface.h"

// The module's table is a binary contract: every operation must keep its slot.
TEST(PlottingModuleInterface, OperationsKeepTheirSlots) {
    EXPECT_EQ(SlotOf(&CGrapher::Init), 0);
    EXPECT_EQ(SlotOf(&CGrapher::CreatePage), 1);
    EXPECT_EQ(SlotOf(&CGrapher::CreatePageExt), 2);
    EXPECT_EQ(SlotOf(&CGrapher::ClearAllPages), 5);
    EXPECT_EQ(SlotOf(&CGrapher::DeletePage), 6);
    EXPECT_EQ(SlotOf(&CGrapher::SetPageWndPos), 10);
    EXPECT_EQ(SlotOf(&CGrapher::CreateGraph), 11);
    EXPECT_EQ(SlotOf(&CGrapher::CloseGraph), 12);
    EXPECT_EQ(SlotOf(&CGrapher::AddData), 16);
    EXPECT_EQ(SlotOf(&CGrapher::SetGridEnabled), 24);
    EXPECT_EQ(SlotOf(&CGrapher::ShowGrid), 25);
    EXPECT_EQ(SlotOf(&CGrapher::SetShowSelTraceMarks), 34);
    EXPECT_EQ(SlotOf(&CGrapher::SaveScopeData), 35);
    EXPECT_EQ(SlotOf(&CGrapher::SaveBodeData), 37);
    EXPECT_EQ(SlotOf(&CGrapher::ShowOneCrosshair), 38);
    EXPECT_EQ(SlotOf(&CGrapher::SendCrosshairMovedMsg), 45);
    EXPECT_EQ(SlotOf(&CGrapher::AttachRightClickGrapherMsg), 46);
    EXPECT_EQ(SlotOf(&CGrapher::AttachCallbackEvents), 48);
    EXPECT_EQ(SlotOf(&CGrapher::SetAxisLabelAt), 49);
    EXPECT_EQ(SlotOf(&CGrapher::SetAxisRange), 60);
    EXPECT_EQ(SlotOf(&CGrapher::SetTracePen), 67);
    EXPECT_EQ(SlotOf(&CGrapher::GetTraceLabel), 74);
    EXPECT_EQ(SlotOf(&CGrapher::CreateChart), 75);
    EXPECT_EQ(SlotOf(&CGrapher::AddColumn), 83);
    EXPECT_EQ(SlotOf(&CGrapher::UpdateChartDisplay), 91);
    EXPECT_EQ(SlotOf(&CGrapher::LockShowStatus), 92);
    EXPECT_EQ(SlotOf(&CGrapher::Show), 94);
    EXPECT_EQ(SlotOf(&CGrapher::IsShown), 95);
    EXPECT_EQ(SlotOf(&CGrapher::AutoRange), 96);
}

TEST(RecordingPlotter, RecordsCallsWithArgumentsAndAnswersAsScripted) {
    RecordingModule module;
    ASSERT_TRUE(module.Loaded());
    PlotterRecording& recording = module.Recording();
    CGrapher* root = module.Root();
    ASSERT_NE(root, nullptr);
    ASSERT_EQ(recording.calls.size(), 1u);
    EXPECT_EQ(recording.calls[0].operation, "GrapherCreate");
    EXPECT_EQ(recording.calls[0].arguments, std::vector<std::string>{"0"});

    CGraphPage* page = nullptr;
    EXPECT_EQ(root->CreatePage(4, &page), 0);
    ASSERT_NE(page, nullptr);
    CGraph* graph = nullptr;
    EXPECT_EQ(root->CreateGraph(page, 1, &graph), 0);
    EXPECT_NE(graph, nullptr);
    EXPECT_EQ(root->SetAxisRange(graph, AXIS_POSITION_3, 4.99995, 1e-9), 0);
    EXPECT_EQ(root->SetPageTabName(page, nullptr), 0);

    recording.results[75] = 7;  // a failed create leaves the caller's handle alone
    CChart* chart = nullptr;
    EXPECT_EQ(root->CreateChart(page, 2, &chart), 7);
    EXPECT_EQ(chart, nullptr);

    std::vector<RecordedCall> ranges = recording.CallsOf(60);
    ASSERT_EQ(ranges.size(), 1u);
    EXPECT_EQ(ranges[0].operation, "SetAxisRange");
    EXPECT_EQ(ranges[0].arguments[1], "3");
    EXPECT_EQ(ranges[0].arguments[2], "4.9999500000000001");
    EXPECT_EQ(ranges[0].arguments[3], "1.0000000000000001e-09");
    EXPECT_EQ(recording.CallsOf(7)[0].arguments[1], "null");
    EXPECT_EQ(recording.CallsOf(75)[0].arguments[2], "null");

    int shown = -1;
    root->Show(5);
    root->IsShown(&shown);
    EXPECT_EQ(shown, 1);
}
