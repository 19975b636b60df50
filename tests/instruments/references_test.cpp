#include <gtest/gtest.h>

#include <vector>

#include "tests/instruments/instrument_app.h"
#include "veltutil/framework/registered_events.h"

using velttest::TestInstrument;

// Initialize, create, clone, remove and uninitialize give back every reference they take.
// Grapher sources are left out: a counted grapher item raises the count once and never lowers
// it, by design of component items.
TEST(InstrumentReferences, EveryCountIsBackAfterTheDocumentsWholeLife) {
    CWnd mainWindow;
    mainWindow.Create("main", WS_POPUP | WS_VISIBLE, CRect(0, 0, 640, 480), nullptr);
    velttest::DatabaseFrontEnd frontEnd;
    velttest::TestSimulator simulator;
    velttest::TestAgency agency;
    velttest::InstrumentManager manager(&mainWindow);
    const std::vector<CInterfaceBase*> counted{&frontEnd, &simulator, &agency, &manager, &agency.events};
    std::vector<int> before;
    for (CInterfaceBase* object : counted) before.push_back(object->GetRefCount());
    {
        CSnapInContainer container;
        container.Create(&frontEnd);
        for (CInstrumentInterface* snapIn : std::vector<CInstrumentInterface*>{&simulator, &agency, &manager}) {
            container.AddSnapin(snapIn);
        }
        frontEnd.Initialize(&container);
        for (CInstrumentInterface* snapIn : std::vector<CInstrumentInterface*>{&simulator, &agency, &manager}) {
            snapIn->Initialize(&frontEnd);
        }
        velttest::TestDoc& doc = manager.doc;
        for (const char* line : {"new XSC1", "new XMM1", "new XMM2", "show XSC1_[]_0517", "setnode XSC1_[]_0600 0 1",
                                 "delete XMM2", "listing"}) {
            doc.ExecuteCmd(line);
        }
        EXPECT_EQ(agency.events.GetCount(EVENT_SWITCH_SETUP), 4);
        TestInstrument* copy = doc.Find("XSC1", "517", 0);
        ASSERT_NE(copy, nullptr);
        EXPECT_EQ(copy->GetRefCount(), 2);  // its creation and its hook
        container.Clear_Snapins_and_GuIF();
        EXPECT_EQ(TestInstrument::live, 0);
    }
    for (std::size_t i = 0; i < counted.size(); ++i) {
        SCOPED_TRACE(counted[i]->GetName());
        EXPECT_EQ(counted[i]->GetRefCount(), before[i]);
    }
}
