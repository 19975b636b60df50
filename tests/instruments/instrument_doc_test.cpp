#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/instruments/instrument_app.h"
#include "veltutil/framework/registered_events.h"

using velttest::InstrumentApp;
using velttest::TestDoc;
using velttest::TestInstrument;
using velttest::TestScope;

namespace {

std::vector<std::string> names(TestDoc& doc) {
    std::vector<std::string> result;
    for (int n = 0; n < doc.GetNumEventSink(); ++n) {
        CInstrumentBase* instrument = doc.GetEventSink(n);
        result.push_back(instrument ? std::string(instrument->GetName()) + "/" + instrument->GetTreeInstanceID().GetString()
                                    : "-");
    }
    return result;
}

}  // namespace

TEST(InstrumentDoc, InitializeMakesNamesAndRegistersTheLogAndFindsTheAgency) {
    InstrumentApp app;
    TestDoc& doc = app.doc();
    CTreeLog* log = doc.GetCmdLog().GetCmdLog();
    ASSERT_NE(log, nullptr);
    EXPECT_STREQ(log->GetName(), "Instruments Log");
    CString caption;
    app.manager->Log()->GetDialog()->GetWindowText(caption);
    EXPECT_EQ(caption, "Instruments Command Line");
    EXPECT_EQ(app.container.GetNumItems(), 3);  // the front end's two logs and this one
    EXPECT_EQ(&doc.GetEventSource(), &app.agency.events);
    EXPECT_EQ(&doc.GetInstrumentGrapher(), &app.agency.grapher);
    EXPECT_EQ(&doc.GetMainGrapher(), &app.simulator.grapher);
    EXPECT_EQ(doc.GetInstrAgency(), &app.agency);
    EXPECT_EQ(doc.GetInstrMgr(), app.manager.get());
    EXPECT_EQ(doc.Initialize(&app.frontEnd), S_FALSE);  // once only

    doc.CreateInstrument("XSC1", "");
    EXPECT_EQ(app.agency.events.GetCount(EVENT_SWITCH_SETUP), 1);
    EXPECT_EQ(doc.Uninitialize(), S_OK);
    EXPECT_EQ(app.agency.events.GetCount(EVENT_SWITCH_SETUP), 0);
    EXPECT_EQ(app.container.GetNumItems(), 2);
    EXPECT_FALSE(doc.GetCmdLog());
    EXPECT_EQ(doc.GetNumEventSink(), 0);
    EXPECT_EQ(TestInstrument::live, 0);
    EXPECT_EQ(doc.Uninitialize(), S_OK);
}

TEST(InstrumentDoc, WithoutAnAgencyGrapherInitializeAnswers1AndStillCleansUp) {
    velttest::DatabaseFrontEnd frontEnd;
    CSnapInContainer container;
    velttest::TestAgency agency;
    agency.offerGrapher = false;
    container.Create(&frontEnd);
    container.AddSnapin(&agency);
    frontEnd.Initialize(&container);
    const int references = frontEnd.GetRefCount();
    {
        TestDoc doc;
        EXPECT_EQ(doc.Initialize(&frontEnd), S_FALSE);
        EXPECT_NE(doc.GetCmdLog().GetCmdLog(), nullptr);
        doc.CreateInstrument("XMM1", "");
        EXPECT_EQ(doc.Uninitialize(), S_OK);
        EXPECT_EQ(TestInstrument::live, 0);
    }
    EXPECT_EQ(frontEnd.GetRefCount(), references);
    container.Clear_Snapins_and_GuIF();
}

TEST(InstrumentDoc, UninitializeOfADocumentNeverInitializedChangesNothing) {
    TestDoc doc;
    doc.CreateInstrument("XMM1", "");
    EXPECT_EQ(doc.Uninitialize(), S_OK);
    EXPECT_EQ(doc.GetNumEventSink(), 1);
    doc.OutputText("no log: dropped", nullptr);
    doc.RemoveInstrument(doc.GetEventSink(0));  // still removable by hand
    EXPECT_EQ(TestInstrument::live, 0);
}

TEST(InstrumentDoc, FindIgnoresCaseAndTopLevelLookupsTakeTheInstanceId) {
    TestDoc doc;
    doc.CreateInstrument("XSC1", "");
    doc.CreateInstrument("XMM1", "");
    EXPECT_EQ(doc.Find("xsc1", "77", 0), nullptr);  // not top level: the instance IDs must match
    TestInstrument* scope = doc.Find("xsc1", "77", 1);
    ASSERT_NE(scope, nullptr);
    EXPECT_EQ(scope->GetTreeInstanceID(), "77");
    EXPECT_EQ(doc.Find("XSC1", "77", 0), scope);
    EXPECT_EQ(doc.Find("XSC1", "", 1), scope);
    EXPECT_EQ(scope->GetTreeInstanceID(), "77");  // an empty ID leaves it
    EXPECT_EQ(doc.Find("XSC2"), nullptr);
    doc.RemoveAllClonedInstruments("XSC1");
    doc.RemoveAllClonedInstruments("XMM1");
}

TEST(InstrumentDoc, ClonesCopyTheTopLevelStateOnceAndDeleteRemovesThemAll) {
    InstrumentApp app;
    TestDoc& doc = app.doc();
    auto* scope = static_cast<TestScope*>(doc.CreateInstrument("XSC1", ""));
    scope->samples = {1.5, -2.5};
    scope->label = "out";
    scope->Show(1, 0);

    CInstrumentBase* copy = doc.CloneInstrument("XSC1", "517");
    ASSERT_NE(copy, nullptr);
    auto* clone = static_cast<TestScope*>(copy);
    EXPECT_EQ(clone->samples, scope->samples);
    EXPECT_EQ(clone->label, "out");
    EXPECT_EQ(clone->IsTopLevelTreeInstance(), 0);
    EXPECT_EQ(clone->GetTreeInstanceID(), "517");
    EXPECT_EQ(clone->GetShown(), 1);  // its window shows what the template remembered
    EXPECT_EQ(doc.CloneInstrument("xsc1", "517"), copy);
    EXPECT_EQ(doc.CloneInstrument("XSC9", "517"), nullptr);
    EXPECT_EQ(names(doc), (std::vector<std::string>{"XSC1/", "XSC1/517"}));

    doc.CreateInstrument("XMM1", "");
    doc.RemoveAllClonedInstruments("xsc1");
    EXPECT_EQ(names(doc), (std::vector<std::string>{"XMM1/"}));
    EXPECT_EQ(TestInstrument::live, 1);
}

TEST(InstrumentDoc, ACopyWhoseStateCannotBeLoadedIsRemovedAndTheErrorPasses) {
    InstrumentApp app;
    TestDoc& doc = app.doc();
    auto* scope = static_cast<TestScope*>(doc.CreateInstrument("XSC1", ""));
    scope->marker = "SCOPE-V2";  // the template writes a section its copies do not read
    try {
        doc.CloneInstrument("XSC1", "9");
        ADD_FAILURE() << "no exception";
    } catch (const CString& message) {
        EXPECT_EQ(message, "Error: wrong beginning of instrumnet data: [SCOPE] ( ar >> [SCOPE-V2])");
    }
    EXPECT_EQ(names(doc), (std::vector<std::string>{"XSC1/"}));
    EXPECT_EQ(doc.trace.back(), "remove-end XSC1");
    EXPECT_EQ(TestInstrument::live, 1);
}

// Uninitialize removes while its own walk holds the list; an instrument's removal notification
// walks the list again and removes another instrument, which the outer walk must then skip.
TEST(InstrumentDoc, RemovalNotificationsMayWalkAndChangeTheListDuringUninitialize) {
    InstrumentApp app;
    TestDoc& doc = app.doc();
    for (const char* refID : {"XMM1", "XSC1", "XMM2"}) doc.CreateInstrument(refID, "");
    doc.CloneInstrument("XSC1", "5");
    std::vector<CString> logs;
    doc.onRemoveBegin = [&](TestInstrument& instrument) {
        if (std::string(instrument.GetName()) != "XMM1") return;
        doc.ExecuteCmd("delete XSC1");
        doc.ExecuteCmd("listing");
        logs.push_back(app.manager->LogText());
    };
    doc.trace.clear();
    EXPECT_EQ(doc.Uninitialize(), S_OK);

    EXPECT_EQ(doc.trace, (std::vector<std::string>{"remove-begin XMM1", "remove-begin XSC1", "remove-end XSC1",
                                                   "remove-begin XSC1", "remove-end XSC1", "remove-end XMM1",
                                                   "remove-begin XMM2", "remove-end XMM2"}));
    ASSERT_EQ(logs.size(), 1u);
    EXPECT_EQ(logs[0], "delete XSC1\nlisting\n|   XMM1[CEventSink-->Meter]\n|   XMM2[CEventSink-->Meter]\n");
    EXPECT_EQ(TestInstrument::live, 0);
    EXPECT_EQ(doc.GetNumEventSink(), 0);
}

TEST(InstrumentDoc, AssignmentKeepsTheTargetsInstrumentsAndCopiesShareTheLog) {
    InstrumentApp app;
    TestDoc& doc = app.doc();
    doc.CreateInstrument("XSC1", "");
    const int frontEndReferences = app.frontEnd.GetRefCount();
    {
        TestDoc other;
        other.CreateInstrument("XMM7", "");
        static_cast<CInstrumentDocBase&>(other) = doc;
        EXPECT_EQ(names(other), (std::vector<std::string>{"XMM7/"}));
        EXPECT_EQ(other.GetCmdLog().GetCmdLog(), doc.GetCmdLog().GetCmdLog());
        EXPECT_EQ(other.GetGuiFE(), &app.frontEnd);
        other.OutputText("from the copy", nullptr);

        TestDoc copy(other);
        EXPECT_EQ(copy.GetNumEventSink(), 0);
        EXPECT_EQ(copy.GetEventSource().GetCount(EVENT_SWITCH_SETUP), 1);
        EXPECT_EQ(app.frontEnd.GetRefCount(), frontEndReferences + 2);
    }  // the copies let go of the log without destroying it
    EXPECT_EQ(app.frontEnd.GetRefCount(), frontEndReferences);
    EXPECT_EQ(app.manager->LogText(), "from the copy\n");
    EXPECT_EQ(app.container.GetNumItems(), 3);
}
