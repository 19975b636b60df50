#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/app_front_end.h"
#include "veltutil/framework/gui_fe_event_sink.h"
#include "veltutil/framework/registered_events.h"
#include "veltutil/framework/snap_in_container.h"

using velttest::AppFrontEnd;
using velttest::TestSnapIn;

TEST(SnapInContainer, SimulatorIsTheFirstOfItsTypeAndHooksTheFrontEndSinkOnce) {
    AppFrontEnd frontEnd;
    CSnapInContainer container;
    ASSERT_EQ(container.Create(&frontEnd), 0);

    TestSnapIn manager("manager", CInstrumentInterface::TypeInstrumentManager);
    TestSnapIn first("first", CInstrumentInterface::TypeSimulator);
    TestSnapIn second("second", CInstrumentInterface::TypeSimulator);
    TestSnapIn agency("agency", CInstrumentInterface::TypeInstrumentAgency);
    container.AddSnapin(&manager);
    container.AddSnapin(nullptr);
    container.AddSnapin(&first);
    container.AddSnapin(&second);
    EXPECT_EQ(container.GetInstrumentAgency(), nullptr);

    CEventSource& source = *first.source;
    EXPECT_EQ(container.GetSimulator(), &first);
    EXPECT_EQ(source.GetCount(EVENT_PAUSE_QUERY), 1);
    EXPECT_EQ(source.GetCount(EVENT_ANALYSIS_BEGIN), 1);
    EXPECT_EQ(source.GetCount(EVENT_ANALYSIS_END), 1);
    container.AddSnapin(&agency);
    EXPECT_EQ(container.GetSimulator(), &first);
    EXPECT_EQ(source.GetCount(EVENT_PAUSE_QUERY), 1);  // the second request adds no hooks
    EXPECT_EQ(second.source->GetCount(EVENT_PAUSE_QUERY), 0);
    EXPECT_EQ(container.GetInstrumentAgency(), &agency);
    EXPECT_EQ(container.NumberOfSnapIns(), 5);
    EXPECT_EQ(container.GetNthSnapIn(1), nullptr);

    container.Clear_Snapins_and_GuIF();
    container.Clear_Snapins_and_GuIF();  // a second clear finds nothing left to do
    EXPECT_EQ(source.GetCount(EVENT_PAUSE_QUERY), 0);
    EXPECT_EQ(container.NumberOfSnapIns(), 0);
    // The snap-in objects are the application's to destroy now: never handed out again.
    EXPECT_EQ(container.GetSimulator(), nullptr);
    EXPECT_EQ(container.GetInstrumentAgency(), nullptr);
}

TEST(SnapInContainer, RegistryKeepsDuplicatesAndUnregistersOnePerCall) {
    AppFrontEnd frontEnd;
    CSnapInContainer container;
    container.Create(&frontEnd);
    TestSnapIn snapIn("snap", CInstrumentInterface::TypeInstrumentManager);
    int references = snapIn.GetRefCount();

    ComItem item(&snapIn, false);
    EXPECT_EQ(container.Register(item), S_OK);
    EXPECT_EQ(container.Register(item), S_OK);
    EXPECT_EQ(container.GetNumItems(), 2);
    EXPECT_EQ(snapIn.GetRefCount(), references + 2);  // each entry holds a reference
    EXPECT_FALSE(container.GetNthItem(2));

    EXPECT_EQ(container.Unregister(item), S_OK);
    EXPECT_EQ(container.Unregister(ComItem(&snapIn, false)), S_OK);
    EXPECT_EQ(container.Unregister(item), S_FALSE);
    EXPECT_EQ(container.GetNumItems(), 0);
    EXPECT_EQ(snapIn.GetRefCount(), references);
}

// A copy shares the front end and the snap-ins but not the registry or the event objects, and
// clearing or destroying it leaves them all to the original.
TEST(SnapInContainer, CopiesShareSnapInsButLeaveTheFrontEndRegistryAndSnapInsToTheOriginal) {
    std::vector<std::string> trace;
    AppFrontEnd frontEnd;
    TestSnapIn snapIn("snap", CInstrumentInterface::TypeInstrumentManager, &trace);
    CSnapInContainer container;
    container.Create(&frontEnd);
    container.AddSnapin(&snapIn);
    frontEnd.Initialize(&container);  // creates and registers the two logs
    int references = frontEnd.GetRefCount();
    ASSERT_EQ(container.GetNumItems(), 2);
    {
        CSnapInContainer copy(container);
        CSnapInContainer assigned;
        assigned = container;
        EXPECT_EQ(copy.GetNthSnapIn(0), &snapIn);
        EXPECT_EQ(copy.GetNumItems(), 0);
        EXPECT_NE(copy.GetEventSink(), container.GetEventSink());
        EXPECT_NE(copy.GetEventSource(), container.GetEventSource());
        EXPECT_EQ(frontEnd.GetRefCount(), references + 2);
        copy.Clear_Snapins_and_GuIF();
        EXPECT_EQ(copy.NumberOfSnapIns(), 0);
    }
    EXPECT_TRUE(trace.empty());  // no snap-in uninitialised
    EXPECT_EQ(container.GetNumItems(), 2);
    EXPECT_TRUE(frontEnd.GetNthItem(ComItem::ItemCmdLog, -1));
    EXPECT_EQ(frontEnd.GetRefCount(), references);

    container.Clear_Snapins_and_GuIF();
    EXPECT_EQ(trace, std::vector<std::string>{"uninitialize snap"});
    EXPECT_EQ(container.GetNumItems(), 0);
}
