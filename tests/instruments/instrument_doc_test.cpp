#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/instruments/instrument_app.h"
#include "veltutil/framework/registered_events.h"

using velttest::InstrumentApp;
using velttest::TestDoc;
using velttest::TestInstrument;

namespace {

// "RefID/instance" of every node of the list, "-" for a node without an instrument.
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

// A counted item that still names the command log when the document lets go of it keeps the
// log alive. Grapher sources are left out: a counted grapher item never lowers the count.
TEST(InstrumentDoc, InitializeWiresTheDocumentInAndItsWholeLifeGivesEveryReferenceBack) {
    InstrumentApp app(false);
    const std::vector<CInterfaceBase*> counted{&app.frontEnd, &app.simulator, &app.agency, app.manager.get(),
                                               &app.agency.events};
    std::vector<int> before;
    for (CInterfaceBase* object : counted) before.push_back(object->GetRefCount());
    app.Start();
    TestDoc& doc = app.doc();
    ComItem kept = doc.GetCmdLog();
    ASSERT_NE(kept.GetCmdLog(), nullptr);
    EXPECT_STREQ(kept.GetCmdLog()->GetName(), "Instruments Log");
    CString caption;
    app.manager->Log()->GetDialog()->GetWindowText(caption);
    EXPECT_EQ(caption, "Instruments Command Line");
    EXPECT_EQ(app.container.GetNumItems(), 3);  // the front end's two logs and this one
    EXPECT_EQ(&doc.GetEventSource(), &app.agency.events);
    EXPECT_EQ(&doc.GetInstrumentGrapher(), &app.agency.grapher);
    EXPECT_EQ(&doc.GetMainGrapher(), &app.simulator.grapher);
    EXPECT_EQ(doc.GetInstrAgency(), &app.agency);

    for (const char* line : {"new XSC1", "new XMM1", "show XSC1_[]_0517", "setnode XSC1_[]_0600 0 1", "delete XMM1"}) {
        doc.ExecuteCmd(line);
    }
    EXPECT_EQ(app.agency.events.GetCount(EVENT_SWITCH_SETUP), 3);
    ASSERT_NE(doc.Find("XSC1", "517", 0), nullptr);
    EXPECT_EQ(doc.Find("XSC1", "517", 0)->GetRefCount(), 2);  // its creation and its hook

    app.container.Clear_Snapins_and_GuIF();
    EXPECT_EQ(app.container.GetNumItems(), 0);
    EXPECT_EQ(app.agency.events.GetCount(EVENT_SWITCH_SETUP), 0);
    EXPECT_FALSE(doc.GetCmdLog());
    EXPECT_EQ(doc.GetNumEventSink(), 0);
    EXPECT_EQ(TestInstrument::live, 0);
    EXPECT_EQ(kept.GetCmdLog()->GetRefCount(), 2);  // its creation and the kept item
    kept.SetValue();
    for (std::size_t i = 0; i < counted.size(); ++i) EXPECT_EQ(counted[i]->GetRefCount(), before[i]) << i;
}

// Initialize answers 1 without a front end or an agency grapher, and once initialized. A
// document never initialized has nothing to give back and no log to write to.
TEST(InstrumentDoc, InitializeAnswers1WithoutWhatItNeedsAndUninitializeOnlyUndoesIt) {
    InstrumentApp app;
    TestDoc doc;
    EXPECT_EQ(doc.Initialize(nullptr), S_FALSE);
    doc.CreateInstrument("XMM1", "");
    doc.ExecuteCmd("show XQQ1");
    EXPECT_EQ(doc.Uninitialize(), S_OK);
    EXPECT_EQ(names(doc), std::vector<std::string>{"XMM1/"});
    app.agency.offerGrapher = false;
    EXPECT_EQ(doc.Initialize(&app.frontEnd), S_FALSE);
    EXPECT_NE(doc.GetCmdLog().GetCmdLog(), nullptr);  // made all the same
    app.agency.offerGrapher = true;
    EXPECT_EQ(doc.Initialize(&app.frontEnd), S_FALSE);
    TestDoc other;
    EXPECT_EQ(other.Initialize(&app.frontEnd), S_OK);
}

// A copy is loaded from the template's stored state: its data, and its window where the
// template's stands. Lookups ignore the case of RefIDs.
TEST(InstrumentDoc, ClonesCopyTheTopLevelStateOnceAndDeleteRemovesThemAll) {
    InstrumentApp app;
    TestDoc& doc = app.doc();
    doc.CreateInstrument("XMM1", "");
    TestInstrument* scope = static_cast<TestInstrument*>(doc.CreateInstrument("XSC1", ""));
    scope->samples = {1.5, -2.5};
    scope->label = "out";
    scope->Show(1, 0);
    scope->Window()->MoveWindow(644, 388, 180, 120);

    auto* copy = static_cast<TestInstrument*>(doc.CloneInstrument("XSC1", "517"));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->samples, scope->samples);
    EXPECT_EQ(copy->label, "out");
    EXPECT_EQ(copy->IsTopLevelTreeInstance(), 0);
    EXPECT_EQ(copy->GetShown(), 1);
    CRect placed;
    copy->Window()->GetWindowRect(&placed);
    EXPECT_EQ(placed, CRect(644, 388, 824, 508));
    EXPECT_EQ(copy->Window()->refreshes, 1);
    EXPECT_EQ(doc.CloneInstrument("xsc1", "517"), copy);
    EXPECT_EQ(doc.CloneInstrument("XSC9", "517"), nullptr);
    EXPECT_EQ(doc.Find("xsc1", "77", 0), nullptr);
    EXPECT_EQ(doc.Find("xsc1", "77", 1), scope);
    EXPECT_EQ(doc.Find("XSC1", "", 1)->GetTreeInstanceID(), "77");  // an empty ID leaves it

    scope->marker = "SCOPE-V2";  // the template writes a section its copies do not read
    try {
        doc.CloneInstrument("XSC1", "9");
        ADD_FAILURE() << "no exception";
    } catch (const CString& message) {
        EXPECT_EQ(message, "Error: wrong beginning of instrumnet data: [SCOPE] ( ar >> [SCOPE-V2])");
    }
    EXPECT_EQ(doc.trace.back(), "remove-end XSC1/9");
    EXPECT_EQ(names(doc), (std::vector<std::string>{"XMM1/", "XSC1/77", "XSC1/517"}));
    doc.RemoveAllClonedInstruments("xsc1");
    EXPECT_EQ(names(doc), std::vector<std::string>{"XMM1/"});
    EXPECT_EQ(TestInstrument::live, 1);
}

// Notices may walk and change the list. A top-level scope takes its copies along by deleting
// its own RefID: it is removed once, and freed only when its outer removal has ended. During
// Uninitialize, XMM1 takes XSC2 along, which the outer walk then skips. A copy whose OnInsert
// deletes its RefID is no copy.
TEST(InstrumentDoc, NoticesMayRemoveInstrumentsTheirOwnIncluded) {
    InstrumentApp app;
    TestDoc& doc = app.doc();
    for (const char* refID : {"XMM1", "XSC1", "XMM2", "XSC2", "XSC3"}) doc.CreateInstrument(refID, "");
    doc.CloneInstrument("XSC1", "5");
    doc.CloneInstrument("XSC2", "5");
    std::string listed;
    doc.onNotice = [&](TestInstrument& instrument, const std::string& notice) {
        std::string name = instrument.GetName();
        if (notice == "insert" && instrument.GetTreeInstanceID() == "7") doc.ExecuteCmd(("delete " + name).c_str());
        if (notice != "remove-begin" || !instrument.IsTopLevelTreeInstance()) return;
        if (name.starts_with("XSC")) doc.ExecuteCmd(("delete " + name).c_str());
        if (name != "XMM1") return;
        doc.ExecuteCmd("delete XSC2");
        app.manager->ClearLog();
        doc.ExecuteCmd("listing");
        listed = app.manager->LogText();
    };
    app.manager->ClearLog();
    doc.ExecuteCmd("show XSC3_[]_07");
    // The copy's notice, then the notices of the scope and of the copy, each deleting XSC3.
    EXPECT_EQ(app.manager->LogText(),
              "show XSC3_[]_07\n|   Unable to find instrument: XSC3\ndelete XSC3\ndelete XSC3\ndelete XSC3\n");
    doc.trace.clear();
    doc.ExecuteCmd("delete XSC1");
    EXPECT_EQ(doc.trace, (std::vector<std::string>{"remove-begin XSC1/", "remove-begin XSC1/5", "remove-end XSC1/5",
                                                   "remove-end XSC1/"}));
    EXPECT_EQ(TestInstrument::live, 4);

    doc.trace.clear();
    EXPECT_EQ(doc.Uninitialize(), S_OK);
    EXPECT_EQ(doc.trace, (std::vector<std::string>{"remove-begin XMM1/", "remove-begin XSC2/", "remove-begin XSC2/5",
                                                   "remove-end XSC2/5", "remove-end XSC2/", "remove-end XMM1/",
                                                   "remove-begin XMM2/", "remove-end XMM2/"}));
    EXPECT_EQ(listed, "listing\n|   XMM1[CEventSink-->Meter]\n|   XMM2[CEventSink-->Meter]\n");
    EXPECT_EQ(TestInstrument::live, 0);
    EXPECT_EQ(doc.GetNumEventSink(), 0);
}

TEST(InstrumentDoc, AssignmentKeepsTheTargetsInstrumentsAndCopiesShareTheLog) {
    InstrumentApp app;
    app.doc().CreateInstrument("XSC1", "");
    const int frontEndReferences = app.frontEnd.GetRefCount();
    {
        TestDoc other;
        other.CreateInstrument("XMM7", "");
        static_cast<CInstrumentDocBase&>(other) = app.doc();
        EXPECT_EQ(names(other), std::vector<std::string>{"XMM7/"});
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
