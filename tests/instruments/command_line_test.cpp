#include <gtest/gtest.h>

#include <string>

#include "tests/instruments/test_instruments.h"
#include "veltutil/platform/host/files/mem_file.h"

using velttest::TestInstrument;

namespace {

// An application with a scope XSC1 and a meter XMM1.
struct CommandLine : ::testing::Test {
    CommandLine()
        : scope(static_cast<TestInstrument*>(app.doc().CreateInstrument("XSC1", ""))),
          meter(static_cast<TestInstrument*>(app.doc().CreateInstrument("XMM1", ""))) {}
    // The log's lines for the line run from code, or typed into the command line window.
    std::string Run(const std::string& line, bool typed = false) {
        app.manager->ClearLog();
        typed ? app.manager->Type(line.c_str()) : app.doc().ExecuteCmd(line.c_str());
        return app.manager->LogText();
    }
    // How code names its own object in a command line.
    static std::string Address(const void* object) { return std::to_string(reinterpret_cast<long>(object)); }

    velttest::InstrumentApp app;
    TestInstrument *scope, *meter;
};

}  // namespace

// One after the other. Replies that end in a blank (a missing RefID) show without it: the
// log's lines are compared without trailing blanks.
TEST_F(CommandLine, EveryLineIsEchoedWithItsRepliesAsChildren) {
    const std::pair<const char*, const char*> rows[] = {
        {"SHOW XSC1", "SHOW XSC1\n|   Command not understood: SHOW\n"},
        {"", "\n|   Command not understood:\n"},
        {"show", "show\n|   Unable to find instrument:\n"},
        {"  show xsc1   trailing words", "  show xsc1   trailing words\n"},
        {"show\tXSC1", "showXSC1\n|   Command not understood: showXSC1\n"},  // one word; the log expands the tab
        {"hide XSC1_[]_0700 1", "hide XSC1_[]_0700 1\n|   Unable to find instrument: XSC1\n"},  // hide makes no copy
        {"setnode XSC7 1 2", "setnode XSC7 1 2\n|   Unable to set node: XSC7\n"},
        {"new XSC1", "new XSC1\n|   Unable to create instrument: XSC1\n"},
        {"new", "new\n|   Unable to create instrument:\n"},
        {"new XQQ1", "new XQQ1\n|   failed\n"},
        {"netlist XMM1 0", "netlist XMM1 0\n|   XMM1 0 0 0\n"},
        {"netlist XQQ1", "netlist XQQ1\n"},
        {"ClearData XQQ1", "ClearData XQQ1\n"},
        {"show XSC1_[]_0517", "show XSC1_[]_0517\n"},
        {"show XSC1_[]_0517", "show XSC1_[]_0517\n"},
        {"setnode XSC1_[]_0600 1 y", "setnode XSC1_[]_0600 1 y\n"},
        {"new XMM2", "new XMM2\n"},
        {"delete XMM1", "delete XMM1\n"},
        {"listing", "listing\n|   XSC1[CEventSink-->Scope]\n|   XSC1[CEventSink-->Scope]\n|   XSC1[CEventSink-->Scope]\n"
                    "|   XMM2[CEventSink-->Meter]\n"},
    };
    for (const auto& [line, log] : rows) EXPECT_EQ(Run(line), log);
}

// With a count above 0, hide keeps the remembered state and show brings back only that.
// "window shown, remembered" after each line.
TEST_F(CommandLine, ShowAndHideSetTheWindowAndTheRememberedStateOrRestoreIt) {
    for (std::string row : {"show XSC1 1 -> 00", "show XSC1 -> 11", "hide XSC1 1 -> 01", "show XSC1 1 -> 11",
                            "hide XSC1 -> 00", "show XSC1 1 -> 00", "show XSC1 -3 -> 11"}) {
        Run(row.substr(0, row.size() - 6));
        EXPECT_EQ(std::to_string(scope->Window()->IsWindowVisible()) + std::to_string(scope->m_bShown),
                  row.substr(row.size() - 2)) << row;
    }
}

// setnode truncates the pin number and takes "$" for the empty value.
TEST_F(CommandLine, CodePassesAddressesOfItsOwnObjectsAndPinNumbers) {
    meter->pins[2] = "c";
    for (const char* line : {"setnode XMM1 2.9 $", "setnode xmm1 -0.5 5V", "setnode XMM1 0.1e1 x"}) Run(line);
    EXPECT_EQ(meter->pins, (std::vector<CString>{"5V", "x", ""}));
    Run("show XSC1");
    int shown = -1;
    EXPECT_EQ(Run("getshow XSC1 " + Address(&shown)), "getshow XSC1 " + Address(&shown) + "\n");
    EXPECT_EQ(shown, 1);
    CString net = "stale";
    Run("netlist XMM1 " + Address(&net));
    EXPECT_EQ(net, "XMM1 5V x 0");
    int size = -1;
    Run("SerializeDispDataSize XMM1 " + Address(&size));
    EXPECT_EQ(size, 0);  // the base's answer
    scope->samples = {1, 2};
    Run("ClearData XSC1");
    EXPECT_TRUE(scope->samples.empty());

    // Stored through the caller's archive, then loaded into a copy that the load makes.
    scope->label = "stored";
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        Run("Serialize XSC1 " + Address(&ar) + " 0 0");
        Run("Serialize XSC1_[]_08 " + Address(&ar) + " 0 0");  // stores nothing, makes no copy
    }
    scope->label = "since";
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    Run("Serialize XSC1_[]_042 " + Address(&ar) + " 0 0");
    EXPECT_EQ(app.doc().Find("XSC1", "8", 0), nullptr);
    ASSERT_NE(app.doc().Find("XSC1", "42", 0), nullptr);
    EXPECT_EQ(app.doc().Find("XSC1", "42", 0)->label, "stored");

    for (const char* word : {"getshow", "SerializeDispDataSize", "Serialize"}) {
        std::string line = std::string(word) + " XSC1 0";
        EXPECT_EQ(Run(line), line + "\n|   Address required: " + word + "\n");
    }
}

// Lines an instrument runs on behalf of a typed line come from code.
TEST_F(CommandLine, TypedLinesNeverUseAnAddressWhereverTheyWait) {
    Run("show XSC1");
    int shown = -1;
    CString net = "stale";
    for (const std::string& line :
         {"getshow XSC1 " + Address(&shown), "netlist XMM1 " + Address(&net), "SerializeDispDataSize XSC1 " + Address(&shown),
          "Serialize XSC1_[]_09 " + Address(&shown) + " 0 0", std::string("getshow XSC1 -1")}) {
        std::string word = line.substr(0, line.find(' '));
        EXPECT_EQ(Run(line, true), line + "\n|   Address not accepted from the command line: " + word + "\n");
    }
    EXPECT_EQ(app.doc().Find("XSC1", "9", 0), nullptr);
    EXPECT_EQ(Run("netlist XMM1 0", true), "netlist XMM1 0\n|   XMM1 0 0 0\n");
    EXPECT_EQ(Run("getshow XSC1", true), "getshow XSC1\n|   Address required: getshow\n");

    // A line typed while someone holds the snap-in's command lock waits in its queue; it still
    // runs as typed when the lock goes, and a line from code queued beside it still runs as code.
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

    app.doc().onNotice = [&](TestInstrument&, const std::string& notice) {
        if (notice == "remove-begin") app.doc().ExecuteCmd(("getshow XSC1 " + Address(&shown)).c_str());
    };
    app.manager->Type("delete XMM1");
    app.doc().onNotice = nullptr;
    EXPECT_EQ(shown, 1);
}
