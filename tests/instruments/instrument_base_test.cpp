#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/instruments/instrument_app.h"
#include "veltutil/platform/host/files/mem_file.h"

using velttest::TestDoc;

namespace {

// Exposes what a derived instrument reaches.
class OpenMeter : public velttest::TestInstrument {
public:
    OpenMeter(TestDoc& doc, const char* refID) : TestInstrument(doc, refID, false) {}
    using CInstrumentBase::GetPinColors;
    using CInstrumentBase::GetPinLabels;
    using CInstrumentBase::GetSubcktName;
    using CInstrumentBase::Serialize;
    using CInstrumentBase::SerializeDataSection;
    using CInstrumentBase::set_simulator_pause;
    using CInstrumentBase::set_simulator_start;
    using CInstrumentBase::set_simulator_stop;
    std::int32_t& Version() { return m_nDataVersion; }
    double& X() { return m_dPosX; }
    double& Y() { return m_dPosY; }
    std::int32_t& SimFlag() { return m_nSimFlag; }
};

}  // namespace

// The common block moves the writer's version into the reader's loaded version; a section
// marker is read ignoring case, and a wrong one is consumed and reported.
TEST(InstrumentBase, ANewInstrumentStoresA24ByteCommonBlockAndSectionsAfterIt) {
    TestDoc doc;
    OpenMeter writer(doc, "XMM1");
    OpenMeter reader(doc, "XMM2");
    EXPECT_EQ(reader.IsTopLevelTreeInstance(), 1);
    EXPECT_EQ(reader.X(), -1000.0);
    EXPECT_EQ(reader.Y(), -1000.0);
    EXPECT_EQ(reader.Version(), 0x40000000);
    EXPECT_EQ(reader.LoadedVersion(), 0x40000000);
    EXPECT_EQ(CInstrumentBase::Size(CString("abc")), 4);
    EXPECT_EQ(CInstrumentBase::Size(true), 4);

    writer.Version() = 7;
    writer.X() = 0.25;
    writer.Y() = -0.5;
    reader.Version() = 9;
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
    EXPECT_EQ(reader.LoadedVersion(), 7);
    EXPECT_EQ(reader.Version(), 9);
    EXPECT_EQ(reader.X(), 0.25);
    EXPECT_EQ(reader.Y(), -0.5);
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
    CString s = "XSC1";
    CInstrumentDocBase::ConvertCmdRefIDString(s, "1234", 5);
    EXPECT_EQ(s, "XSC1_[]_11234");
}

// Pin colours and labels come from pairs of lines "pin\nvalue", pins compared on their part
// before the probe separator "_0V_".
TEST(InstrumentBase, PinColoursAndLabelsAreReadUnderTheReferenceString) {
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
    meter.SimFlag() = 5;
    meter.set_simulator_start();
    EXPECT_EQ(meter.SimFlag(), 0);
    meter.set_simulator_start();  // running already
    meter.SimFlag() = 5;
    meter.set_simulator_pause();
    EXPECT_EQ(meter.SimFlag(), 0);
    meter.SimFlag() = 5;
    meter.set_simulator_pause();  // paused already: the flag stays
    EXPECT_EQ(meter.SimFlag(), 5);
    meter.set_simulator_stop();
    EXPECT_EQ(referencesWhileSetting, (std::vector<int>{references + 1, references, references}));

    app.agency.onSet = [] { throw std::runtime_error("agency failed"); };
    meter.set_simulator_start();
    EXPECT_EQ(meter.GetRefCount(), references);
    meter.set_simulator_pause();
    EXPECT_EQ(meter.SimFlag(), 0);
    meter.set_simulator_stop();
    EXPECT_EQ(app.agency.stateSets, (std::vector<long>{2, 1, 0, 2, 1, 0}));
}
