#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/instruments/instrument_app.h"
#include "veltutil/platform/host/files/mem_file.h"

using velttest::TestDoc;
using velttest::TestMeter;
using velttest::TestScope;

namespace {

// Exposes the protected helpers a derived instrument uses.
class OpenMeter : public TestMeter {
public:
    using TestMeter::TestMeter;
    using CInstrumentBase::GetPinColors;
    using CInstrumentBase::GetPinLabels;
    using CInstrumentBase::GetSubcktName;
    using CInstrumentBase::Serialize;
    using CInstrumentBase::SerializeDataSection;
    using CInstrumentBase::set_simulator_pause;
    using CInstrumentBase::set_simulator_start;
    using CInstrumentBase::set_simulator_stop;
    void SetVersion(std::int32_t version) { m_nDataVersion = version; }
    std::int32_t Version() const { return m_nDataVersion; }
    int SimFlag() const { return m_nSimFlag; }
    void SetSimFlag(int flag) { m_nSimFlag = flag; }
};

// Stores with `write`, then loads the bytes with `read`.
template <class Write, class Read>
void roundTrip(Write write, Read read) {
    CMemFile stored;
    {
        CArchive ar(&stored, CArchive::store);
        write(ar);
    }
    stored.SeekToBegin();
    CArchive ar(&stored, CArchive::load);
    read(ar);
}

}  // namespace

TEST(InstrumentBase, StartsHiddenTopLevelUnplacedAtTheBaseVersion) {
    TestDoc doc;
    OpenMeter meter(doc, "XMM1");
    EXPECT_STREQ(meter.GetName(), "XMM1");
    EXPECT_EQ(meter.GetShown(), 0);
    EXPECT_EQ(meter.IsTopLevelTreeInstance(), 1);
    EXPECT_EQ(meter.GetTreeInstanceID(), "");
    EXPECT_EQ(meter.PosX(), -1000.0);
    EXPECT_EQ(meter.PosY(), -1000.0);
    EXPECT_EQ(meter.Version(), 0x40000000);
    EXPECT_EQ(meter.LoadedVersion(), 0x40000000);
    EXPECT_EQ(&meter.GetDoc(), &doc);
}

TEST(InstrumentBase, SizesCountDisplayDataAsTheStoredFormatHasThem) {
    EXPECT_EQ(CInstrumentBase::Size(CString("abc")), 4);
    EXPECT_EQ(CInstrumentBase::Size(true), 4);
    EXPECT_EQ(CInstrumentBase::Size(1L), 4);
    EXPECT_EQ(CInstrumentBase::Size(static_cast<unsigned short>(1)), 2);
    EXPECT_EQ(CInstrumentBase::Size(static_cast<unsigned char>(1)), 1);
    EXPECT_EQ(CInstrumentBase::Size(1.0), 8);
}

TEST(InstrumentBase, CommonBlockIs24BytesAndMovesTheWritersVersionIntoTheReadersLoadedVersion) {
    TestDoc doc;
    OpenMeter writer(doc, "XMM1");
    writer.SetVersion(7);
    writer.Show(1, 0);  // no window: nothing remembered
    OpenMeter reader(doc, "XMM2");
    reader.SetVersion(9);
    CMemFile stored;
    {
        CArchive ar(&stored, CArchive::store);
        writer.Serialize(ar);
    }
    ASSERT_EQ(stored.GetLength(), 24u);
    stored.SeekToBegin();
    CArchive ar(&stored, CArchive::load);
    reader.Serialize(ar);
    EXPECT_EQ(reader.LoadedVersion(), 7);
    EXPECT_EQ(reader.Version(), 9);
    EXPECT_EQ(reader.PosX(), -1000.0);
}

TEST(InstrumentBase, AWrongSectionMarkerThrowsTheMessageAfterConsumingIt) {
    TestDoc doc;
    OpenMeter meter(doc, "XMM1");
    roundTrip(
        [&](CArchive& ar) {
            meter.SerializeDataSection(ar, "SCOPE");
            meter.SerializeDataSection(ar, "meter");
            ar << 5;
        },
        [&](CArchive& ar) {
            try {
                meter.SerializeDataSection(ar, "METER");
                ADD_FAILURE() << "no exception";
            } catch (const CString& message) {
                EXPECT_EQ(message, "Error: wrong beginning of instrumnet data: [METER] ( ar >> [SCOPE])");
            }
            meter.SerializeDataSection(ar, "METER");  // markers compare ignoring case
            int next = 0;
            ar >> next;
            EXPECT_EQ(next, 5);
        });
}

TEST(CommandReferenceString, SplitsBackIntoRefIdTopLevelAndNonZeroInstance) {
    struct Row {
        const char* text;
        const char* refID;
        const char* instance;
        int top;
    };
    const Row rows[] = {
        {"XSC1_[]_0517", "XSC1", "517", 0},    {"XSC1_[]_11234", "XSC1", "1234", 1}, {"XSC1_[]_0abc", "XSC1", "", 0},
        {"XSC1_[]_00", "XSC1", "", 0},         {"XSC1_[]_1", "XSC1", "", 1},         {"XSC1_[]_", "XSC1", "", 1},
        {"XSC1_[]_x7", "XSC1", "7", 1},        {"XSC1", "XSC1", "", 1},              {"_[]_05", "", "5", 0},
        {"a_[]_0_[]_07", "a", "", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        CString s = row.text;
        CString instance = "stale";
        int top = -1;
        CInstrumentDocBase::ReverseCmdRefIDString(s, instance, top);
        EXPECT_EQ(s, row.refID);
        EXPECT_EQ(instance, row.instance);
        EXPECT_EQ(top, row.top);
    }

    CString s = "XSC1";
    CInstrumentDocBase::ConvertCmdRefIDString(s, "1234", 5);
    EXPECT_EQ(s, "XSC1_[]_11234");
    CString instance;
    int top = 0;
    CInstrumentDocBase::ReverseCmdRefIDString(s, instance, top);
    EXPECT_EQ(s + "/" + instance + "/" + CString(char('0' + top)), "XSC1/1234/1");
}

TEST(InstrumentBase, ShowWithRestoreUsesTheRememberedStateWithoutChangingIt) {
    velttest::InstrumentApp app;
    TestDoc& doc = app.doc();
    auto* scope = static_cast<velttest::TestInstrument*>(doc.CreateInstrument("XSC1", ""));
    ASSERT_NE(scope->Window(), nullptr);

    scope->Show(1, 1);  // remembered hidden: stays hidden
    EXPECT_FALSE(scope->Window()->IsWindowVisible());
    scope->Show(1, 0);
    EXPECT_TRUE(scope->Window()->IsWindowVisible());
    EXPECT_EQ(scope->Remembered(), 1);
    scope->Show(0, 1);  // hidden, still remembered as shown
    EXPECT_EQ(scope->GetShown(), 0);
    EXPECT_EQ(scope->Remembered(), 1);
    scope->Show(1, 1);
    EXPECT_EQ(scope->GetShown(), 1);
    scope->Show(0, 0);
    EXPECT_EQ(scope->Remembered(), 0);

    scope->refresh_instrument_dialog(3);
    EXPECT_EQ(scope->Window()->refreshes, 1);
}

TEST(InstrumentBase, PinColoursAndLabelsComeFromPairsOfLinesMatchedBeforeTheProbeSeparator) {
    velttest::InstrumentApp app;
    app.frontEnd.texts[10012] = "A_0V_2\n255\nB\n7\nB\n9\n";
    app.frontEnd.texts[10011] = "_0V_A\nfirst\nA\nsecond\nC\n\nB\nlast";
    OpenMeter meter(app.doc(), "XMM1");
    meter.SetTreeInstanceID("42");
    meter.SetIsTopLevelTreeInstance(0);

    CString pins[] = {"A", "B_0V_x", "C"};
    int wanted[] = {1, 1, 1};
    long colors[] = {-1, -1, -1};
    meter.GetPinColors(pins, wanted, colors, 3);
    EXPECT_EQ(std::vector<long>(colors, colors + 3), (std::vector<long>{255, 7, -1}));
    EXPECT_EQ(app.frontEnd.gets.back(), "10012 XMM1_[]_042");

    wanted[0] = 0;
    long onlyB[] = {-1, -1, -1};
    meter.GetPinColors(pins, wanted, onlyB, 3);
    EXPECT_EQ(std::vector<long>(onlyB, onlyB + 3), (std::vector<long>{-1, 7, -1}));

    // "_0V_A" keeps its separator (it stands at position 0); the empty value ends the pairs.
    wanted[0] = 1;
    CString labels[] = {"?", "?", "?"};
    meter.GetPinLabels(pins, wanted, labels, 3);
    EXPECT_EQ(labels[0], "second");
    EXPECT_EQ(labels[1], "?");
    EXPECT_EQ(labels[2], "?");

    meter.GetPinColors(pins, wanted, nullptr, 3);  // refused, nothing read
    meter.GetPinColors(pins, wanted, colors, 0);
    EXPECT_EQ(app.frontEnd.gets.size(), 3u);
}

TEST(InstrumentBase, DatabaseHelpersPublishUnderTheNameAndReadUnderTheReferenceString) {
    velttest::InstrumentApp app;
    OpenMeter meter(app.doc(), "XMM1");
    meter.pins = {"5V", "", "x"};
    app.frontEnd.texts[10013] = "amp";
    app.frontEnd.texts[10113] = "/work/amp.ckt";

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

    // Without an instance ID the front end is not asked.
    CString circuit = "unchanged";
    EXPECT_EQ(meter.IsBelongToCurrentCircuit(&circuit), 0);
    EXPECT_EQ(circuit, "unchanged");
    meter.SetTreeInstanceID("17");
    EXPECT_EQ(meter.IsBelongToCurrentCircuit(&circuit), 0);  // asked, not answered
    app.frontEnd.texts[10070] = "top";
    EXPECT_EQ(meter.IsBelongToCurrentCircuit(&circuit), 1);
    EXPECT_EQ(circuit, "top");

    // Failures of the netlist and undo sets are swallowed; the first publication's pass.
    app.frontEnd.throwOnSet = true;
    meter.UpdateDatabase_netlist();
    meter.SaveUndoData();
    EXPECT_THROW(meter.UpdateInitialInformation(), std::runtime_error);
}

TEST(InstrumentBase, RunStateIsSetOnlyWhenItDiffersAndAgencyFailuresAreSwallowed) {
    velttest::InstrumentApp app;
    OpenMeter meter(app.doc(), "XMM1");
    const int references = meter.GetRefCount();
    std::vector<int> referencesWhileSetting;
    app.agency.onSet = [&] { referencesWhileSetting.push_back(meter.GetRefCount()); };

    meter.SetSimFlag(5);
    meter.set_simulator_start();
    meter.set_simulator_start();  // running already
    EXPECT_EQ(meter.SimFlag(), 0);
    meter.SetSimFlag(5);
    meter.set_simulator_pause();
    EXPECT_EQ(meter.SimFlag(), 0);
    meter.SetSimFlag(5);
    meter.set_simulator_pause();  // paused already: the flag stays
    EXPECT_EQ(meter.SimFlag(), 5);
    meter.set_simulator_stop();
    EXPECT_EQ(app.agency.stateSets, (std::vector<long>{2, 1, 0}));
    EXPECT_EQ(referencesWhileSetting, (std::vector<int>{references + 1, references, references}));

    app.agency.onSet = [] { throw std::runtime_error("agency failed"); };
    meter.set_simulator_start();
    EXPECT_EQ(meter.GetRefCount(), references);
    meter.SetSimFlag(5);
    meter.set_simulator_pause();
    EXPECT_EQ(meter.SimFlag(), 0);
    meter.set_simulator_stop();  // stopped already: not asked
    EXPECT_EQ(app.agency.stateSets, (std::vector<long>{2, 1, 0, 2, 1}));
}
