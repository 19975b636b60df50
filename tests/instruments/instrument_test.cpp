#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/instruments/test_instruments.h"
#include "veltutil/framework/registered_events.h"
#include "veltutil/platform/host/files/mem_file.h"

using velttest::InstrumentApp;
using velttest::TestDoc;
using velttest::TestInstrument;

namespace {

// "RefID/instance" of every node of the list, "-" for a node without an instrument.
std::vector<std::string> names(TestDoc& doc) {
    std::vector<std::string> result;
    for (int n = 0; n < doc.GetNumEventSink(); ++n) {
        CInstrumentBase* i = doc.GetEventSink(n);
        result.push_back(i ? std::string(i->GetName()) + "/" + i->GetTreeInstanceID().GetString() : "-");
    }
    return result;
}

}  // namespace

// The common block moves the writer's version into the reader's loaded version; a section
// marker is read ignoring case, and a wrong one is consumed and reported.
TEST(InstrumentBase, ANewInstrumentStoresA24ByteCommonBlockAndSectionsAfterIt) {
    TestDoc doc;
    TestInstrument writer(doc, "XMM1", false);
    TestInstrument reader(doc, "XMM2", false);
    EXPECT_EQ(reader.m_nDataVersion, 0x40000000);
    EXPECT_EQ(reader.m_nLoadedDataVersion, 0x40000000);
    CString net = "stale";
    EXPECT_EQ(reader.CInstrumentBase::GetNetlist(net), 1);
    EXPECT_EQ(net, "");

    writer.m_nDataVersion = 7;
    writer.m_dPosX = 0.25;
    writer.m_dPosY = -0.5;
    CMemFile stored;
    {
        CArchive ar(&stored, CArchive::store);
        writer.Serialize(ar);
    }
    ASSERT_EQ(stored.GetLength(), 24u);
    {
        CArchive ar(&stored, CArchive::store);
        writer.SerializeDataSection(ar, "SCOPE");
        writer.SerializeDataSection(ar, "meter");
    }
    stored.SeekToBegin();
    CArchive ar(&stored, CArchive::load);
    reader.Serialize(ar);
    EXPECT_EQ(reader.m_nLoadedDataVersion, 7);
    EXPECT_EQ(reader.m_dPosX, 0.25);
    EXPECT_EQ(reader.m_dPosY, -0.5);
    try {
        reader.SerializeDataSection(ar, "METER");
        ADD_FAILURE() << "no exception";
    } catch (const CString& message) {
        EXPECT_EQ(message, "Error: wrong beginning of instrumnet data: [METER] ( ar >> [SCOPE])");
    }
    reader.SerializeDataSection(ar, "METER");
}

// "text -> RefID/instance/top"
TEST(CommandReferenceString, SplitsBackIntoRefIdTopLevelAndNonZeroInstance) {
    for (std::string row : {"XSC1_[]_0517 -> XSC1/517/0", "XSC1_[]_0abc -> XSC1//0", "XSC1_[]_00 -> XSC1//0",
                            "XSC1_[]_ -> XSC1//1", "XSC1_[]_x7 -> XSC1/7/1", "XSC1 -> XSC1//1", "a_[]_0_[]_07 -> a//0"}) {
        CString s = row.substr(0, row.find(' ')).c_str();
        CString instance = "stale";
        int top = -1;
        CInstrumentDocBase::ReverseCmdRefIDString(s, instance, top);
        EXPECT_EQ(row.substr(0, row.find(' ')) + " -> " + s.GetString() + "/" + instance.GetString() + "/" + std::to_string(top), row);
    }
}

// What the base asks of the circuit database and the agency through the front end. Pin colours
// and labels come from pairs of lines "pin\nvalue": each pair goes to the first wanted pin it
// names that has none yet, pins compared on their part before the probe separator "_0V_" when
// that stands after the first character. An empty line ends the pairs.
TEST(InstrumentBase, TalksToTheCircuitDatabaseAndTheAgencyThroughTheFrontEnd) {
    velttest::InstrumentApp app;
    app.frontEnd.texts[10012] = "A_0V_2\n255\nB\n7\nB\n9\n";
    app.frontEnd.texts[10011] = "_0V_A\nfirst\nA\nsecond\n_0V_C\nthird\nC\n\nB\nlast";
    TestInstrument meter(app.doc(), "XMM1", false);
    meter.SetTreeInstanceID("42");
    meter.SetIsTopLevelTreeInstance(0);
    CString pins[] = {"A", "B_0V_x", "B", "_0V_C"};
    int wanted[] = {1, 1, 1, 1};
    std::vector<long> colors(4, -1);
    meter.GetPinColors(pins, wanted, colors.data(), 4);
    EXPECT_EQ(colors, (std::vector<long>{255, 7, 9, -1}));
    EXPECT_EQ(app.frontEnd.gets.back(), "10012 XMM1_[]_042");
    CString labels[] = {"?", "?", "?", "?"};
    meter.GetPinLabels(pins, wanted, labels, 4);
    EXPECT_EQ(labels[0] + labels[1] + labels[2] + labels[3], "second??third");

    wanted[0] = 0;
    std::vector<long> unwanted(4, -1);
    meter.GetPinColors(pins, wanted, unwanted.data(), 4);
    EXPECT_EQ(unwanted, (std::vector<long>{-1, 7, 9, -1}));
    meter.GetPinColors(pins, wanted, nullptr, 4);  // refused, nothing read
    meter.GetPinColors(pins, wanted, colors.data(), 0);
    EXPECT_EQ(app.frontEnd.gets.size(), 3u);

    // Published under the name, read under the reference string of this copy (top level here).
    app.frontEnd.gets.clear();
    meter.SetTreeInstanceID("");
    meter.SetIsTopLevelTreeInstance(1);
    meter.pins = {"5V", "", "x"};
    app.frontEnd.texts = {{10013, "amp"}, {10113, "/work/amp.ckt"}};

    meter.UpdateInitialInformation();
    meter.UpdateDatabase_netlist();
    meter.SaveUndoData();
    EXPECT_EQ(app.frontEnd.sets, (std::vector<std::string>{
                                     "10014 XMM1=Velt.Instruments", "10016 XMM1=-", "10015 XMM1=1.0",
                                     "10017 XMM1=XMM1 5V 0 x", "10017 XMM1=XMM1 5V 0 x", "18009 XMM1=-"}));
    EXPECT_EQ(meter.GetSubcktName(), "amp");
    EXPECT_EQ(meter.GetCurrentCircuitFileName(), "/work/amp.ckt");
    EXPECT_EQ(app.frontEnd.gets, (std::vector<std::string>{"10013 XMM1_[]_1", "10113 -"}));
    EXPECT_EQ(meter.GetPinLabels(), "");  // not answered

    // Without an instance ID the front end is not asked, though it would answer.
    app.frontEnd.texts[10070] = "top";
    CString circuit = "unchanged";
    EXPECT_EQ(meter.IsBelongToCurrentCircuit(&circuit), 0);
    EXPECT_EQ(circuit, "unchanged");
    meter.SetTreeInstanceID("17");
    EXPECT_EQ(meter.IsBelongToCurrentCircuit(&circuit), 1);
    EXPECT_EQ(circuit, "top");
    EXPECT_EQ(app.frontEnd.gets.back(), "10070 XMM1");
    app.frontEnd.texts.erase(10070);
    EXPECT_EQ(meter.IsBelongToCurrentCircuit(nullptr), 0);  // asked, not answered

    // The agency's run state is set only when it differs; its failures are swallowed.
    const int references = meter.GetRefCount();
    std::vector<int> referencesWhileSetting;
    app.agency.onSet = [&] { referencesWhileSetting.push_back(meter.GetRefCount()); };
    // The simulator flag after setting it to 5 and calling `set`.
    auto flagAfter = [&](void (CInstrumentBase::*set)()) {
        meter.m_nSimFlag = 5;
        (meter.*set)();
        return meter.m_nSimFlag;
    };
    EXPECT_EQ(flagAfter(&TestInstrument::set_simulator_start), 0);
    EXPECT_EQ(flagAfter(&TestInstrument::set_simulator_start), 0);  // running already: not set
    EXPECT_EQ(flagAfter(&TestInstrument::set_simulator_pause), 0);
    EXPECT_EQ(flagAfter(&TestInstrument::set_simulator_pause), 5);  // paused already: the flag stays
    meter.set_simulator_stop();
    EXPECT_EQ(referencesWhileSetting, (std::vector<int>{references + 1, references, references}));

    app.agency.onSet = [] { throw CString("agency failed"); };
    meter.set_simulator_start();
    EXPECT_EQ(meter.GetRefCount(), references);
    EXPECT_EQ(flagAfter(&TestInstrument::set_simulator_pause), 0);
    meter.set_simulator_stop();
    EXPECT_EQ(app.agency.stateSets, (std::vector<long>{2, 1, 0, 2, 1, 0}));
}

// A counted item that still names the command log when the document lets go of it keeps the
// log alive. Every other count is back at its start, 1, after the document's life; grapher
// sources are left out (a counted grapher item never lowers the count).
TEST(InstrumentDoc, InitializeWiresTheDocumentInAndItsWholeLifeGivesEveryReferenceBack) {
    InstrumentApp app;
    TestDoc& doc = app.doc();
    ComItem kept = doc.GetCmdLog();
    EXPECT_STREQ(kept.GetCmdLog()->GetName(), "Instruments Log");
    CString caption;
    app.manager->Log()->GetDialog()->GetWindowText(caption);
    EXPECT_EQ(caption, "Instruments Command Line");
    EXPECT_EQ(&doc.GetEventSource(), &app.agency.events);
    EXPECT_EQ(&doc.GetInstrumentGrapher(), &app.agency.grapher);
    EXPECT_EQ(&doc.GetMainGrapher(), &app.simulator.grapher);
    {  // Initialize answers 1 without a front end or an agency grapher, and once initialized.
        TestDoc other;
        EXPECT_EQ(other.Initialize(nullptr), S_FALSE);
        app.agency.offerGrapher = false;
        EXPECT_EQ(other.Initialize(&app.frontEnd), S_FALSE);
        EXPECT_NE(other.GetCmdLog().GetCmdLog(), nullptr);  // made all the same
        app.agency.offerGrapher = true;
        EXPECT_EQ(other.Initialize(&app.frontEnd), S_FALSE);
        other.Uninitialize();
        EXPECT_EQ(other.Initialize(&app.frontEnd), S_OK);
    }
    {  // An assignment keeps the target's instruments; copies share the log without owning it.
       // Uninitialize of a document never initialized changes nothing.
        TestDoc other;
        other.CreateInstrument("XMM7", "");
        other.ExecuteCmd("show XQQ1");  // no log to answer in
        EXPECT_EQ(other.Uninitialize(), S_OK);
        static_cast<CInstrumentDocBase&>(other) = doc;
        TestDoc copy(other);
        EXPECT_EQ(names(other), std::vector<std::string>{"XMM7/"});
        EXPECT_EQ(copy.GetNumEventSink(), 0);
        EXPECT_EQ(copy.GetCmdLog().GetCmdLog(), kept.GetCmdLog());
    }
    EXPECT_EQ(app.container.GetNumItems(), 3);  // the front end's two logs and this one
    ASSERT_NE(app.manager->Log()->GetDialog(), nullptr);

    for (const char* line : {"new XSC1", "new XMM1", "show XSC1_[]_0517", "delete XMM1"}) doc.ExecuteCmd(line);
    EXPECT_EQ(app.agency.events.GetCount(EVENT_SWITCH_SETUP), 2);
    ASSERT_NE(doc.Find("XSC1", "517", 0), nullptr);
    EXPECT_EQ(doc.Find("XSC1", "517", 0)->GetRefCount(), 2);  // its creation and its hook
    EXPECT_EQ(doc.Find("XSC1", "517", 0)->GetOwner().GetUnknown(), app.manager.get());

    app.container.Clear_Snapins_and_GuIF();
    EXPECT_EQ(app.container.GetNumItems(), 0);
    EXPECT_EQ(app.agency.events.GetCount(EVENT_SWITCH_SETUP), 0);
    EXPECT_FALSE(doc.GetCmdLog());
    EXPECT_EQ(doc.GetNumEventSink(), 0);
    EXPECT_EQ(TestInstrument::live, 0);
    EXPECT_EQ(kept.GetCmdLog()->GetRefCount(), 2);  // its creation and the kept item
    EXPECT_EQ(dynamic_cast<CCmdLog*>(kept.GetCmdLog())->GetDialog(), nullptr);
    kept.SetValue();
    for (CInterfaceBase* object : std::vector<CInterfaceBase*>{&app.frontEnd, &app.simulator, &app.agency,
                                                                app.manager.get(), &app.agency.events}) {
        EXPECT_EQ(object->GetRefCount(), 1) << object->GetName();
    }
}

// A copy is loaded from the template's stored state: its data, and its window where the
// template's stands. Lookups ignore the case of RefIDs.
TEST(InstrumentDoc, ClonesCopyTheTopLevelStateOnceAndDeleteRemovesThemAll) {
    InstrumentApp app;
    TestDoc& doc = app.doc();
    doc.CreateInstrument("XMM1", "");
    TestInstrument* scope = static_cast<TestInstrument*>(doc.CreateInstrument("XSC1", ""));
    scope->samples = {1.5, -2.5};
    scope->Show(1, 0);
    scope->Window()->MoveWindow(644, 388, 180, 120);

    auto* copy = static_cast<TestInstrument*>(doc.CloneInstrument("XSC1", "517"));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->samples, scope->samples);
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
    std::vector<std::string> listed;
    doc.onNotice = [&](TestInstrument& instrument, const std::string& notice) {
        std::string name = instrument.GetName();
        if (notice == "insert" && instrument.GetTreeInstanceID() == "7") doc.ExecuteCmd(("delete " + name).c_str());
        if (notice != "remove-begin" || !instrument.IsTopLevelTreeInstance()) return;
        if (name.starts_with("XSC")) doc.ExecuteCmd(("delete " + name).c_str());
        if (name != "XMM1") return;
        doc.ExecuteCmd("delete XSC2");
        listed = names(doc);
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

    doc.trace.clear();
    EXPECT_EQ(doc.Uninitialize(), S_OK);
    EXPECT_EQ(doc.trace, (std::vector<std::string>{"remove-begin XMM1/", "remove-begin XSC2/", "remove-begin XSC2/5",
                                                   "remove-end XSC2/5", "remove-end XSC2/", "remove-end XMM1/",
                                                   "remove-begin XMM2/", "remove-end XMM2/"}));
    EXPECT_EQ(listed, (std::vector<std::string>{"XMM1/", "XMM2/", "-", "-"}));  // taken off, freed later
    EXPECT_EQ(TestInstrument::live, 0);
}
