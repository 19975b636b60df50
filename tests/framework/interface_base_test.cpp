#include <gtest/gtest.h>

#include "veltutil/framework/event_sink.h"
#include "veltutil/framework/registered_events.h"

TEST(InterfaceBase, FullNameComposesNameKindAndDescription) {
    // Sinks and sources with and without a description are named in the unhandled-event log line.
    EXPECT_STREQ(CEventSink("Child", static_cast<CGuiFE*>(nullptr)).GetFullName(), "Child[CGuiFE]");
    EXPECT_STREQ(CInterfaceBase("Bare", "", "unused without a kind").GetFullName(), "Bare");
    EXPECT_STREQ(CInterfaceBase(nullptr, nullptr, nullptr).GetFullName(), "NAME-NOT-GIVEN!!!!");
}

TEST(RegisteredEvents, RangeAndTextsWithTheGroupFallbackAtEveryBoundary) {
    EXPECT_EQ(isRegisteredEvent(-1) + isRegisteredEvent(16009), 0);
    EXPECT_EQ(isRegisteredEvent(0) + isRegisteredEvent(16008), 2);
    EXPECT_STREQ(EventToString(16009), "Unregistered Event");
    EXPECT_STREQ(EventToString(16008), "Unknown Registered Event");
    EXPECT_STREQ(EventToString(4007), "(Simulator) Do we wish to pause now?");
    EXPECT_STREQ(EventToString(2000), "(General) Unknown Registered Event");
    EXPECT_STREQ(EventToString(4001), "(CNC) Unknown Registered Event");
    EXPECT_STREQ(EventToString(6006), "(Instrument Agency) Unknown Registered Event");
    EXPECT_STREQ(EventToString(12006), "(Schematic) Unknown Registered Event");
    EXPECT_STREQ(EventToString(16007), "(Grapher) Unknown Registered Event");
}
