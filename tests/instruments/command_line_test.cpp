#include <gtest/gtest.h>

#include <string>

#include "tests/instruments/instrument_app.h"
#include "veltutil/platform/host/files/mem_file.h"

using velttest::TestInstrument;
using velttest::TestMeter;
using velttest::TestScope;

namespace {

// An application with a scope XSC1 and a meter XMM1, and an empty log.
struct CommandLine : ::testing::Test {
    CommandLine() {
        scope = static_cast<TestScope*>(app.doc().CreateInstrument("XSC1", ""));
        meter = static_cast<TestMeter*>(app.doc().CreateInstrument("XMM1", ""));
    }
    // The log's lines for the command run from code.
    std::string Run(const std::string& line) {
        app.manager->ClearLog();
        app.doc().ExecuteCmd(line.c_str());
        return app.manager->LogText();
    }
    // The log's lines for the command typed into the command line window.
    std::string Typed(const std::string& line) {
        app.manager->ClearLog();
        app.manager->Type(line.c_str());
        return app.manager->LogText();
    }
    static std::string Address(const void* object) { return std::to_string(reinterpret_cast<long>(object)); }

    velttest::InstrumentApp app;
    TestScope* scope = nullptr;
    TestMeter* meter = nullptr;
};

}  // namespace

// Replies that end in a blank (a missing RefID) show without it: the log's lines are compared
// without trailing blanks.
TEST_F(CommandLine, EveryLineIsEchoedWithItsRepliesAsChildren) {
    struct Row {
        const char* line;
        const char* log;
    };
    const Row rows[] = {
        {"SHOW XSC1", "SHOW XSC1\n|   Command not understood: SHOW\n"},
        {"", "\n|   Command not understood:\n"},
        {"show", "show\n|   Unable to find instrument:\n"},
        {"  show xsc1   trailing words", "  show xsc1   trailing words\n"},
        {"hide XSC7_[]_05 1", "hide XSC7_[]_05 1\n|   Unable to find instrument: XSC7\n"},
        {"setnode XSC7 1 2", "setnode XSC7 1 2\n|   Unable to set node: XSC7\n"},
        {"new XSC1", "new XSC1\n|   Unable to create instrument: XSC1\n"},
        {"new", "new\n|   Unable to create instrument:\n"},
        {"new XQQ1", "new XQQ1\n|   failed\n"},
        {"netlist XMM1 0", "netlist XMM1 0\n|   XMM1 0 0 0\n"},
        {"netlist XQQ1", "netlist XQQ1\n"},
        {"ClearData XQQ1", "ClearData XQQ1\n"},
        {"delete XQQ1", "delete XQQ1\n"},
        {"show\tXSC1", "showXSC1\n|   Command not understood: showXSC1\n"},  // one word; the log expands the tab
        {"listing", "listing\n|   XSC1[CEventSink-->Scope]\n|   XMM1[CEventSink-->Meter]\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        EXPECT_EQ(Run(row.line), row.log);
    }
}

TEST_F(CommandLine, HelpNamesTheCommandsForPeopleInNineLines) {
    EXPECT_EQ(Typed("help"),
              "help\n"
              "|   List of available commands:\n"
              "|   ---------------------------\n"
              "|   help                -- display this help screen\n"
              "|   listing             -- display the list of all available instruments\n"
              "|   new <REFID>         -- create a new instrument with this REFID\n"
              "|   delete <REFID>      -- delete the instrument with this REFID\n"
              "|   show <REFID>        -- show the instrument REFID\n"
              "|   hide <REFID>        -- show the instrument REFID\n"
              "|   setnode <REFID> nth value -- set the value of the nth pin of instrument with REFID\n");
}

TEST_F(CommandLine, HideAndShowWithACountKeepTheRememberedState) {
    Run("show XSC1");
    Run("hide XSC1 1");
    EXPECT_EQ(scope->GetShown(), 0);
    Run("show XSC1 1");
    EXPECT_EQ(scope->GetShown(), 1);  // it was shown before the hide
    Run("hide XSC1");
    Run("show XSC1 1");
    EXPECT_EQ(scope->GetShown(), 0);
    Run("show XSC1 -3");
    EXPECT_EQ(scope->GetShown(), 1);
}

TEST_F(CommandLine, SetNodeTruncatesThePinAndTakesDollarForEmpty) {
    meter->pins = {"a", "b", "c"};
    Run("setnode XMM1 2.9 $");
    Run("setnode xmm1 -0.5 5V");
    Run("setnode XMM1 7 x");  // no such pin: the meter ignores it
    EXPECT_EQ(meter->pins, (std::vector<CString>{"5V", "b", ""}));
}

TEST_F(CommandLine, ACopyForASubCircuitInstanceIsMadeOnceByShowOrSetNode) {
    scope->samples = {4.0};
    Run("show XSC1_[]_0517");
    TestInstrument* copy = app.doc().Find("XSC1", "517", 0);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetShown(), 1);
    EXPECT_EQ(static_cast<TestScope*>(copy)->samples, scope->samples);
    Run("show XSC1_[]_0517");
    Run("setnode XSC1_[]_0517 1 x");
    Run("setnode XSC1_[]_0600 1 y");
    Run("hide XSC1_[]_0700");  // hide makes no copy
    EXPECT_EQ(Run("listing"), "listing\n|   XSC1[CEventSink-->Scope]\n|   XMM1[CEventSink-->Meter]\n"
                              "|   XSC1[CEventSink-->Scope]\n|   XSC1[CEventSink-->Scope]\n");
    EXPECT_EQ(copy->pins[1], "x");
}

TEST_F(CommandLine, CodePassesAddressesOfItsOwnObjects) {
    Run("show XSC1");
    int shown = -1;
    EXPECT_EQ(Run("getshow XSC1 " + Address(&shown)), "getshow XSC1 " + Address(&shown) + "\n");
    EXPECT_EQ(shown, 1);
    CString net = "stale";
    Run("netlist XMM1 " + Address(&net));
    EXPECT_EQ(net, "XMM1 0 0 0");
    int size = -1;
    Run("SerializeDispDataSize XMM1 " + Address(&size));
    EXPECT_EQ(size, 8 + 2);
    Run("SerializeDispDataSize XSC1 " + Address(&size));
    EXPECT_EQ(size, 0);  // the base's answer

    // Stored through the caller's archive, then loaded into a copy that the load makes.
    scope->label = "stored";
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        Run("Serialize XSC1 " + Address(&ar) + " 0 0");
    }
    file.SeekToBegin();
    {
        CArchive ar(&file, CArchive::load);
        Run("Serialize XSC1_[]_042 " + Address(&ar) + " 0 0");
    }
    TestInstrument* copy = app.doc().Find("XSC1", "42", 0);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(static_cast<TestScope*>(copy)->label, "stored");

    for (const char* word : {"getshow", "SerializeDispDataSize", "Serialize"}) {
        SCOPED_TRACE(word);
        std::string line = std::string(word) + " XSC1 0";
        EXPECT_EQ(Run(line), line + "\n|   Address required: " + word + "\n");
    }
}

TEST_F(CommandLine, TypedLinesNeverUseAnAddress) {
    Run("show XSC1");
    int shown = -1;
    CString net = "stale";
    for (const std::string& line :
         {"getshow XSC1 " + Address(&shown), "netlist XMM1 " + Address(&net), "SerializeDispDataSize XSC1 " + Address(&shown),
          "Serialize XSC1_[]_09 " + Address(&shown) + " 0 0", std::string("getshow XSC1 -1")}) {
        SCOPED_TRACE(line);
        std::string word = line.substr(0, line.find(' '));
        EXPECT_EQ(Typed(line), line + "\n|   Address not accepted from the command line: " + word + "\n");
    }
    EXPECT_EQ(shown, -1);
    EXPECT_EQ(net, "stale");
    EXPECT_EQ(app.doc().Find("XSC1", "9", 0), nullptr);
    EXPECT_EQ(Typed("netlist XMM1 0"), "netlist XMM1 0\n|   XMM1 0 0 0\n");
    EXPECT_EQ(Typed("getshow XSC1"), "getshow XSC1\n|   Address required: getshow\n");
}

// A line typed while someone holds the snap-in's command lock waits in its queue; it still
// runs as typed when the lock goes, and a line from code queued beside it still runs as code.
TEST_F(CommandLine, TheOriginOfALineTravelsWithItThroughTheSnapInsQueue) {
    int shown = -1;
    long key = 0;
    ASSERT_EQ(app.manager->LockExecuteCmd(key, nullptr), S_OK);
    app.manager->ClearLog();
    app.manager->Type(("getshow XSC1 " + Address(&shown)).c_str());
    EXPECT_EQ(app.manager->LogText(), "");  // waiting
    app.manager->ExecuteCmd(("getshow XMM1 " + Address(&shown)).c_str(), 0, nullptr);
    app.manager->UnlockExecuteCmd(key);
    EXPECT_EQ(app.manager->LogText(),
              "getshow XSC1 " + Address(&shown) + "\n|   Address not accepted from the command line: getshow\n" +
                  "getshow XMM1 " + Address(&shown) + "\n");
    EXPECT_EQ(shown, 0);
}

TEST_F(CommandLine, ErrorsWhileLoadingPassToTheCallerAndTheSnapInAnswersEFail) {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << std::int32_t{1} << std::int32_t{0} << 0.0 << 0.0 << CString("METER");
    }
    file.SeekToBegin();
    {
        CArchive ar(&file, CArchive::load);
        EXPECT_THROW(app.doc().ExecuteCmd(("Serialize XSC1 " + Address(&ar) + " 0 0").c_str()), CString);
    }
    file.SeekToBegin();
    {
        CArchive ar(&file, CArchive::load);
        EXPECT_THROW(app.doc().ExecuteCmd(("Serialize XMM1 " + Address(&ar) + " 0 0").c_str()), CArchiveException);
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    EXPECT_EQ(app.manager->ExecuteCmd(("Serialize XMM1 " + Address(&ar) + " 0 0").c_str(), 0, nullptr), E_FAIL);
}

TEST(CommandLineWithoutLog, CommandsStillAct) {
    velttest::TestDoc doc;
    doc.ExecuteCmd("new XSC1");
    doc.ExecuteCmd("setnode XSC1 0 1V");
    ASSERT_NE(doc.Find("XSC1"), nullptr);
    EXPECT_EQ(doc.Find("XSC1")->pins[0], "1V");
    doc.ExecuteCmd("delete XSC1");
    EXPECT_EQ(doc.Find("XSC1"), nullptr);
    EXPECT_EQ(TestInstrument::live, 0);
}
