#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/instruments/instrument_app.h"
#include "tests/support/temp_dir.h"
#include "veltutil/platform/host/drawing/device_caps.h"
#include "veltutil/platform/host/windows/user_input.h"

using velttest::InstrumentApp;
using velttest::TestInstrument;
using velttest::TestMeter;
using velttest::TestScope;

namespace {

// left, top, right, bottom
std::vector<long> rectOf(const TestInstrument* instrument) {
    CRect rect;
    if (instrument && instrument->Window()) instrument->Window()->GetWindowRect(&rect);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

}  // namespace

// A person works with two instruments through the instrument manager's command line window:
// creates them, shows them, sets a pin, opens the scope of a sub-circuit instance, moves the
// windows and closes one by its close box. The document is stored to disk and, in a new
// session, loaded again with every window where it was.
TEST(InstrumentsEndToEnd, TypedCommandsCopiesStorageAndWindowsAcrossSessions) {
    SetScreenSize(1024, 768);
    TempDir dir;
    const std::string path = dir / "circuit.ins";
    {
        InstrumentApp app;
        velttest::InstrumentManager& manager = *app.manager;
        manager.Log()->Show(1);
        for (const char* line : {"new XSC1", "new XMM1", "show XSC1", "setnode XMM1 1 5V", "show XSC1_[]_0517", "show XMM1"}) {
            manager.Type(line);
        }
        manager.ClearLog();
        manager.Type("listing");
        manager.Type("help");
        manager.Type("new XSC1");
        std::string log = manager.LogText();
        EXPECT_EQ(log.substr(0, log.find("help\n")),
                  "listing\n|   XSC1[CEventSink-->Scope]\n|   XMM1[CEventSink-->Meter]\n|   XSC1[CEventSink-->Scope]\n");
        EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 4 + 10 + 2);
        EXPECT_TRUE(log.ends_with("new XSC1\n|   Unable to create instrument: XSC1\n"));

        TestInstrument* scope = app.doc().Find("XSC1");
        TestInstrument* copy = app.doc().Find("XSC1", "517", 0);
        TestInstrument* meter = app.doc().Find("XMM1");
        ASSERT_TRUE(scope && copy && meter);
        EXPECT_EQ(meter->pins[1], "5V");
        EXPECT_EQ(rectOf(scope)[0], 100 + (800 - 180) / 2);  // no position yet: centred on the main window
        EXPECT_TRUE(scope->Window()->IsWindowVisible() && copy->Window()->IsWindowVisible());

        // The person moves two windows and closes the meter's.
        scope->Window()->MoveWindow(644, 388, 180, 120);
        copy->Window()->MoveWindow(200, 124, 180, 120);
        PostClose(*meter->Window());
        velttest::PumpPosted();
        EXPECT_FALSE(meter->Window()->IsWindowVisible());
        EXPECT_EQ(meter->Remembered(), 0);
        EXPECT_EQ(scope->PosX(), -76.0 / 1024);
        EXPECT_EQ(copy->PosY(), -456.0 / 768);

        manager.StoreDocument(path);
    }
    {
        InstrumentApp app;
        app.manager->LoadDocument(path);
        TestInstrument* scope = app.doc().Find("XSC1");
        TestInstrument* copy = app.doc().Find("XSC1", "517", 0);
        TestInstrument* meter = app.doc().Find("XMM1");
        ASSERT_TRUE(scope && copy && meter);
        EXPECT_EQ(copy->IsTopLevelTreeInstance(), 0);
        EXPECT_EQ(meter->pins[1], "5V");
        EXPECT_EQ(rectOf(scope), (std::vector<long>{644, 388, 824, 508}));
        EXPECT_EQ(rectOf(copy), (std::vector<long>{200, 124, 380, 244}));
        EXPECT_TRUE(scope->Window()->IsWindowVisible());
        EXPECT_TRUE(copy->Window()->IsWindowVisible());
        EXPECT_FALSE(meter->Window()->IsWindowVisible());
        int shown = -1;
        app.doc().ExecuteCmd(("getshow XMM1 " + velttest::InstrumentManager::AddressOf(&shown)).c_str());
        EXPECT_EQ(shown, 0);
    }
    EXPECT_EQ(TestInstrument::live, 0);
    SetScreenSize(1280, 1024);
}
