#include <gtest/gtest.h>

#include "veltutil/framework/event_sink.h"
#include "veltutil/framework/event_source.h"
#include "veltutil/framework/interface_base.h"
#include "veltutil/framework/registered_events.h"

TEST(InterfaceBase, FullNameComposesNameKindAndDescription) {
    CEventSink osc("Osc", "Front");
    CEventSource source("S", static_cast<const char*>(nullptr));
    CInterfaceBase bare("Bare", "", "ignored without a kind");
    CInterfaceBase unnamed(nullptr, nullptr, nullptr);

    EXPECT_STREQ(osc.GetFullName(), "Osc[CEventSink-->Front]");
    EXPECT_STREQ(source.GetFullName(), "S[CEventSource]");
    EXPECT_STREQ(bare.GetFullName(), "Bare");
    EXPECT_STREQ(unnamed.GetName(), "NAME-NOT-GIVEN!!!!");
    EXPECT_STREQ(unnamed.GetFullName(), "NAME-NOT-GIVEN!!!!");
    EXPECT_EQ(osc.GetRefCount(), 1);

    CEventSink inFrontEnd("Child", static_cast<CGuiFE*>(nullptr));
    EXPECT_STREQ(inFrontEnd.GetFullName(), "Child[CGuiFE]");
}

TEST(InterfaceBase, CopyIsANewComponentWithItsOwnCount) {
    CInterfaceBase original("A", "K", "D");
    original.IncRefCount();
    CInterfaceBase copy(original);
    EXPECT_EQ(copy.GetRefCount(), 1);
    EXPECT_STREQ(copy.GetFullName(), "A[K-->D]");
}

TEST(RegisteredEvents, RangeAndTexts) {
    EXPECT_EQ(isRegisteredEvent(-1), 0);
    EXPECT_EQ(isRegisteredEvent(16009), 0);
    EXPECT_EQ(isRegisteredEvent(0), 1);
    EXPECT_EQ(isRegisteredEvent(16008), 1);
    EXPECT_STREQ(EventToString(-1), "Unregistered Event");
    EXPECT_STREQ(EventToString(16009), "Unregistered Event");
    EXPECT_STREQ(EventToString(16008), "Unknown Registered Event");

    EXPECT_STREQ(EventToString(0), "(General) Do nothing");
    EXPECT_STREQ(EventToString(2004), "(CNC) A wire has been attached/detached from a component");
    EXPECT_STREQ(EventToString(4007), "(Simulator) Do we wish to pause now?");
    EXPECT_STREQ(EventToString(6005), "(Instrument Agency) Stop On Switch Analysis");

    // Group boundaries pick the right fallback.
    EXPECT_STREQ(EventToString(3), "(General) Unknown Registered Event");
    EXPECT_STREQ(EventToString(2000), "(General) Unknown Registered Event");
    EXPECT_STREQ(EventToString(4001), "(CNC) Unknown Registered Event");
    EXPECT_STREQ(EventToString(6002), "(Simulator) Unknown Registered Event");
    EXPECT_STREQ(EventToString(6006), "(Instrument Agency) Unknown Registered Event");
    EXPECT_STREQ(EventToString(8004), "(Instrument Manager) Unknown Registered Event");
    EXPECT_STREQ(EventToString(12005), "(Instrument) Unknown Registered Event");
    EXPECT_STREQ(EventToString(12006), "(Schematic) Unknown Registered Event");
    EXPECT_STREQ(EventToString(14007), "(Grapher) Unknown Registered Event");
    EXPECT_STREQ(EventToString(16007), "(Grapher) Unknown Registered Event");
}
