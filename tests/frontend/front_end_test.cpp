#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/app_front_end.h"
#include "handler_window.h"
#include "veltutil/framework/gui_fe_event_sink.h"
#include "veltutil/framework/snap_in_container.h"
#include "veltutil/logs/cmd_log.h"
#include "veltutil/logs/cmd_log_dlg.h"
#include "veltutil/platform/library/settings.h"
#include "veltutil/properties/variant.h"

using velttest::AppFrontEnd;
using velttest::TestSnapIn;

namespace {

struct FrontEndTest : ::testing::Test {
    FrontEndTest() {
        container.Create(&frontEnd);
        container.AddSnapin(&manager);
        container.AddSnapin(&simulator);
        container.AddSnapin(&utilities);
        container.AddSnapin(&agency);
        frontEnd.Initialize(&container);
    }
    // As the application stops: the snap-ins go only after the container has dropped them.
    ~FrontEndTest() override { container.Clear_Snapins_and_GuIF(); }

    AppFrontEnd frontEnd;
    CSnapInContainer container;
    TestSnapIn manager{"manager", CInstrumentInterface::TypeInstrumentManager};
    TestSnapIn simulator{"sim", CInstrumentInterface::TypeSimulator};
    TestSnapIn utilities{"ComUtilities", CInstrumentInterface::TypeNone};
    TestSnapIn agency{"agency", CInstrumentInterface::TypeInstrumentAgency};
};

CString captionOf(const ComItem& item) {
    auto* log = dynamic_cast<CCmdLog*>(item.GetCmdLog());
    return log != nullptr && log->GetDialog() != nullptr ? log->GetDialog()->GetWindowText() : CString("?");
}

}  // namespace

TEST_F(FrontEndTest, FindsSnapInsByPositionTypeAndName) {
    EXPECT_EQ(frontEnd.GetNthSnapIn(-3), nullptr);
    EXPECT_EQ(frontEnd.GetNthSnapIn(2), &utilities);
    EXPECT_EQ(frontEnd.GetNumItems(ComItem::ItemSnapIn), 4);
    EXPECT_EQ(frontEnd.GetNumItems(static_cast<ComItem::ItemType>(CInstrumentInterface::TypeInstrumentManager)), 1);
    EXPECT_EQ(frontEnd.GetSnapIn(CInstrumentInterface::TypeInstrumentManager, ComItem::NameByItem, "manager"), &manager);
    EXPECT_EQ(frontEnd.GetSnapIn(CInstrumentInterface::TypeSimulator, ComItem::NameByItem, "manager"), nullptr);
    EXPECT_EQ(frontEnd.FindComUtilSnapIn(), &utilities);
    frontEnd.SetStatusText(3, "Transient analysis");
    EXPECT_EQ(GetSettings()->GetStatusBar().GetTextInfo(), "Transient analysis");

    EXPECT_EQ(frontEnd.GetNthItem(ComItem::ItemEventSource, 0).GetEventSource(), container.GetEventSource());
    EXPECT_FALSE(frontEnd.GetNthItem(ComItem::ItemEventSource, 1));
    EXPECT_FALSE(frontEnd.GetNthItem(ComItem::ItemGuiFE, 0));

    AppFrontEnd alone;
    EXPECT_EQ(alone.Register(ComItem(&manager, false)), S_FALSE);  // no container yet
}

TEST_F(FrontEndTest, StandardLogsLiveFromInitializeToUninitialize) {
    ComItem debug = frontEnd.GetNthItem(ComItem::ItemCmdLog, -2);
    ComItem error = frontEnd.GetNthItem(ComItem::ItemCmdLog, -1);
    EXPECT_STREQ(debug.GetName(), "Schematic Debug Log");
    EXPECT_EQ(captionOf(debug), "Velt Debug Log");
    EXPECT_FALSE(frontEnd.GetNthItem(ComItem::ItemCmdLog, 0));
    EXPECT_EQ(container.GetNumItems(), 2);
    EXPECT_EQ(container.GetNthItem(0).GetCmdLog(), error.GetCmdLog());

    CSnapInContainer other;
    frontEnd.Initialize(&other);  // a second container changes nothing
    EXPECT_EQ(frontEnd.GetSnapInContainer(), &container);
    debug = ComItem();
    error = ComItem();

    frontEnd.Uninitialize();
    EXPECT_EQ(container.GetNumItems(), 0);
    EXPECT_FALSE(frontEnd.GetNthItem(ComItem::ItemCmdLog, -1));

    // A command log made on request belongs to the caller.
    ComItem log = frontEnd.NewComItem("extra", ComItem::ItemCmdLog, 0);
    ASSERT_NE(log.GetCmdLog(), nullptr);
    CTreeLog* owned = log.GetCmdLog();
    log = ComItem();
    delete owned;
    EXPECT_FALSE(frontEnd.NewComItem("x", ComItem::ItemEventSink, 0));
}

// A yield pumps only through a message processing object, never nested, and what a handler
// throws stops at the yield, which leaves the application free to close and yield again.
TEST_F(FrontEndTest, YieldsOnlyThroughAMessageProcessingObjectNeverNestedAndSurvivesAThrow) {
    velttest::DrainQueue();
    EXPECT_EQ(frontEnd.YieldTime(0), S_FALSE);
    CWindowsMessageProcessing processing;
    processing.SetFasterModeEnable(true);
    frontEnd.processing = &processing;

    velttest::HandlerWindow window;
    window.onPreTranslate = [] { throw 7; };
    window.PostMessage(WM_USER);
    EXPECT_EQ(frontEnd.YieldTime(0), S_FALSE);
    EXPECT_EQ(container.CanCloseApp(), "");

    window.onPreTranslate = nullptr;
    long nested = -1;
    window.onMessage = [&] { nested = frontEnd.YieldTime(0); };
    window.PostMessage(WM_USER);
    EXPECT_EQ(frontEnd.YieldTime(0), S_OK);
    EXPECT_EQ(window.handled, 1);
    EXPECT_EQ(nested, S_FALSE);

    frontEnd.SimTimeBegin();
    frontEnd.SimTimeEnd();
    EXPECT_EQ(frontEnd.SimTimeIdledAmount(), processing.SimTimeIdledAmount());
    frontEnd.processing = nullptr;
    EXPECT_EQ(frontEnd.SimTimeIdledAmount(), 0u);
}

TEST_F(FrontEndTest, NumberedPropertiesFollowTheirTables) {
    OrvVariant text("abc");
    OrvVariant number(3L);
    OrvVariant query;
    query.SetArray(OrvVariant("first"), OrvVariant(4L), OrvVariant("second"));
    OrvVariant wrongShape;
    wrongShape.SetArray(OrvVariant(4L), OrvVariant(4L), OrvVariant("second"));
    // Reads: what each id answers, and the string it leaves ("-" for an untouched value).
    const struct {
        long id;
        const OrvVariant* in;
        long result;
        const char* value;
    } reads[] = {{10009, &number, S_FALSE, "-"}, {10006, &number, S_FALSE, ""}, {10008, &text, S_OK, "abc"},
                 {10010, &text, S_OK, ""},       {10007, &text, S_FALSE, "-"},  {10019, &text, S_FALSE, "-"},
                 {10018, &query, S_FALSE, ""} /* the host had no answer */,     {10018, &wrongShape, S_FALSE, ""}};
    for (const auto& read : reads) {
        OrvVariant value(9L);
        EXPECT_EQ(frontEnd.GetProperty(read.id, value, read.in, nullptr), read.result) << read.id;
        EXPECT_EQ(value.GetString() ? std::string(*value.GetString()) : "-", read.value) << read.id;
    }
    frontEnd.answer = "answered";
    OrvVariant value;
    EXPECT_EQ(frontEnd.GetProperty(10018, value, &query, nullptr), S_OK);
    EXPECT_EQ(*value.GetString(), "answered");
    EXPECT_EQ(frontEnd.queries, (std::vector<std::string>{"first|4|second", "first|4|second"}));

    OrvVariant minusOne(-1L);
    EXPECT_EQ(frontEnd.SetProperty(10019, text, &minusOne, nullptr), S_FALSE);
    EXPECT_TRUE(frontEnd.commands.empty());
    EXPECT_EQ(frontEnd.SetProperty(10019, text, &number, nullptr), S_OK);
    EXPECT_EQ(frontEnd.SetProperty(10019, text, nullptr, nullptr), S_OK);
    frontEnd.commandAnswer = 0;
    EXPECT_EQ(frontEnd.SetProperty(10019, text, &number, nullptr), S_FALSE);
    EXPECT_EQ(frontEnd.SetProperty(10019, number, &number, nullptr), S_FALSE);
    EXPECT_EQ(frontEnd.commands, (std::vector<std::string>{"3 abc", "0 abc", "3 abc"}));
    EXPECT_EQ(frontEnd.SetProperty(10010, text, &text, nullptr), S_OK);
    EXPECT_EQ(frontEnd.SetProperty(10010, text, &number, nullptr), S_FALSE);
    EXPECT_EQ(frontEnd.SetProperty(10055, text, &text, nullptr), S_FALSE);
}
