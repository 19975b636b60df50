#include <gtest/gtest.h>

#include "../support/allocation_counter.h"
#include "framework_test_support.h"
#include "veltutil/framework/event_source.h"
#include "veltutil/framework/gui_fe_event_sink.h"
#include "veltutil/framework/registered_events.h"
#include "veltutil/properties/variant.h"

// The simulator raises the pause query on every time step; answering it, with a yield on every
// 52nd, must not touch the heap.
TEST(GuiFEEventSink, PauseQueryPathYieldsEvery52ndAndAllocatesNothing) {
    velttest::ScriptedFrontEnd frontEnd;
    frontEnd.yields.reserve(16);
    CGuiFE_EventSink sink("GuiFE", &frontEnd);
    CEventSource simulator("Simulator", "");
    for (long id : {EVENT_PAUSE_QUERY, EVENT_ANALYSIS_BEGIN, EVENT_ANALYSIS_END}) {
        simulator.RegisterEventHook(id, &sink, nullptr);
    }
    OrvVariant in(0L);
    OrvVariant out;
    CEventSource::EventData data{EVENT_PAUSE_QUERY, &in, &out, nullptr};

    velttest::AllocationCount allocations;
    long failures = 0;
    for (int i = 0; i < 51; ++i) failures += simulator.BroadCastEvent(&data, 0, nullptr, 0) != S_OK;
    EXPECT_TRUE(frontEnd.yields.empty());
    for (int i = 51; i < 520; ++i) failures += simulator.BroadCastEvent(&data, 0, nullptr, 0) != S_OK;
    EXPECT_EQ(allocations(), 0);
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(frontEnd.yields, std::vector<long>(10, 0));  // every 52nd, at level 0

    OrvVariant* hookData = nullptr;
    while (simulator.UnregisterEventHook(&sink, &hookData) == S_OK) {
    }
}

TEST(GuiFEEventSink, AnswersAnalysisEventsAndLeavesOthersToTheDefaultHandler) {
    velttest::ScriptedFrontEnd frontEnd;
    CGuiFE_EventSink sink("GuiFE", &frontEnd);
    CEventSource simulator("Simulator", "");
    OrvVariant out;
    CEventSource::EventData noInput{EVENT_PAUSE_QUERY, nullptr, &out, nullptr};
    EXPECT_EQ(sink.HandleEventIndirect(&simulator, &noInput), E_NOINTERFACE);
    EXPECT_EQ(sink.HandleEvent(2001, &simulator, OrvVariant(), out, nullptr), E_NOINTERFACE);
    EXPECT_EQ(sink.HandleEvent(EVENT_ANALYSIS_BEGIN, &simulator, OrvVariant(1L), out, nullptr), S_OK);
    EXPECT_TRUE(frontEnd.yields.empty());
}
