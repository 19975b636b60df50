#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/app_front_end.h"
#include "handler_window.h"
#include "veltutil/framework/registered_events.h"
#include "veltutil/framework/snap_in_container.h"
#include "veltutil/platform/library/resource_strings.h"
#include "veltutil/properties/variant.h"

using velttest::AppFrontEnd;
using velttest::TestSnapIn;

namespace {

// The application's front end, counting the yields that reach it.
class CountingFrontEnd : public AppFrontEnd {
public:
    long YieldTime(long level) override {
        ++yields;
        return AppFrontEnd::YieldTime(level);
    }
    int yields = 0;
};

}  // namespace

// Start-up, a simulation that keeps the interface alive, and the stop, as the application
// drives them.
TEST(FrontEndEndToEnd, StartSimulateAndStopInOrder) {
    velttest::DrainQueue();
    std::vector<std::string> trace;
    CWindowsMessageProcessing processing;
    CountingFrontEnd frontEnd;
    frontEnd.processing = &processing;
    TestSnapIn simulator("Simulator", CInstrumentInterface::TypeSimulator, &trace);
    TestSnapIn agency("Agency", CInstrumentInterface::TypeInstrumentAgency, &trace);
    TestSnapIn manager("Instruments", CInstrumentInterface::TypeInstrumentManager, &trace);
    const int frontEndReferences = frontEnd.GetRefCount();
    const int simulatorReferences = simulator.GetRefCount();
    const int sourceReferences = simulator.source->GetRefCount();

    // Start-up.
    {
        CSnapInContainer container;
        container.Create(&frontEnd);
        for (TestSnapIn* snapIn : {&simulator, &agency, &manager}) container.AddSnapin(snapIn);
        frontEnd.Initialize(&container);
        for (TestSnapIn* snapIn : {&simulator, &agency, &manager}) EXPECT_EQ(snapIn->Initialize(&frontEnd), S_OK);
        ASSERT_EQ(frontEnd.GetNthSnapIn(-1), &simulator);
        EXPECT_EQ(frontEnd.GetNthSnapIn(-2), &agency);
        CEventSource& simulatorEvents = *simulator.source;

        // The simulation: a thousand pause queries, with a person clicking meanwhile.
        velttest::HandlerWindow person;
        std::vector<CString> closeAnswers;
        std::vector<int> yieldLevels;
        person.onMessage = [&] {
            yieldLevels.push_back(processing.GetYieldLevel());
            closeAnswers.push_back(container.CanCloseApp());
        };
        OrvVariant in(0L);
        OrvVariant out;
        CEventSource::EventData query{EVENT_PAUSE_QUERY, &in, &out, nullptr};
        int posted = 0;
        for (int step = 0; step < 1000; ++step) {
            if (step % 100 == 0) posted += person.PostMessage(WM_USER) ? 1 : 0;
            ASSERT_EQ(simulatorEvents.BroadCastEvent(&query, 0, nullptr, 0), S_OK);
        }
        EXPECT_EQ(frontEnd.yields, 1000 / 52);
        EXPECT_EQ(person.handled, posted);  // all dispatched inside the run
        for (int level : yieldLevels) EXPECT_GE(level, 1);
        const CString reason = GetResourceString(7023, nullptr);
        ASSERT_FALSE(reason.IsEmpty());
        for (const CString& answer : closeAnswers) EXPECT_EQ(answer, reason);  // refused while yielding
        EXPECT_EQ(container.CanCloseApp(), "");  // and allowed once the run is over

        // Stopping.
        container.Clear_Snapins_and_GuIF();
        EXPECT_EQ(simulatorEvents.GetCount(EVENT_PAUSE_QUERY), 0);
        EXPECT_EQ(simulatorEvents.GetCount(EVENT_ANALYSIS_END), 0);
        EXPECT_EQ(trace, (std::vector<std::string>{"uninitialize Simulator", "uninitialize Agency",
                                                   "uninitialize Instruments"}));
        EXPECT_EQ(container.GetNumItems(), 0);
        EXPECT_FALSE(frontEnd.GetNthItem(ComItem::ItemCmdLog, -1));
        EXPECT_EQ(frontEnd.GetRefCount(), frontEndReferences);
    }
    EXPECT_EQ(frontEnd.GetRefCount(), frontEndReferences);
    EXPECT_EQ(simulator.GetRefCount(), simulatorReferences);
    EXPECT_EQ(simulator.source->GetRefCount(), sourceReferences);
    velttest::DrainQueue();
}
