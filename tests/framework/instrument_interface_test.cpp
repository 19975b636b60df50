#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/scripted_services.h"
#include "../support/recording_snap_in.h"
#include "framework_test_support.h"
#include "veltutil/framework/instrument_interface.h"
#include "veltutil/platform/host/windows/message_box.h"

using velttest::RecordingSnapIn;

namespace {

// A front end whose yield dispatches the next posted message, as a message loop would; with no
// message left it cannot yield.
class PumpingFrontEnd : public velttest::ScriptedFrontEnd {
public:
    PumpingFrontEnd() {
        onYield = [this]() -> long {
            if (posted.empty()) return S_FALSE;
            auto message = std::move(posted.front());
            posted.pop_front();
            message();
            return S_OK;
        };
    }
    std::deque<std::function<void()>> posted;
};

}  // namespace

TEST(InstrumentInterface, LockedSeriesAndCommandsQueuedMeanwhile) {
    RecordingSnapIn snapIn;
    long key = 0;
    ASSERT_EQ(snapIn.LockExecuteCmd(key, "never asked"), S_OK);
    EXPECT_EQ(key, 1);

    EXPECT_EQ(snapIn.ExecuteCmd("first", key, nullptr), S_OK);
    EXPECT_EQ(snapIn.ExecuteCmd("answer-7", 0, nullptr), S_OK);
    EXPECT_EQ(snapIn.ExecuteCmd("answer-9", 0, nullptr), S_OK);
    EXPECT_EQ(snapIn.ExecuteCmd("later", 5, nullptr), S_OK);
    EXPECT_EQ(snapIn.ran, std::vector<std::string>{"first"});

    // The last non-zero answer of the commands run at the final unlock.
    EXPECT_EQ(snapIn.UnlockExecuteCmd(key), 9);
    EXPECT_EQ(snapIn.ran, (std::vector<std::string>{"first", "answer-7", "answer-9"}));
    EXPECT_EQ(snapIn.allowedWhileRunning, (std::vector<int>{0, 0, 0}));

    // Key 5 is never current: its command waits, while key-0 commands run at once, alone.
    EXPECT_EQ(snapIn.ExecuteCmd("now", 0, nullptr), S_OK);
    EXPECT_EQ(snapIn.ran.size(), 4u);
    EXPECT_EQ(snapIn.UnlockExecuteCmd(0), S_FALSE);  // nothing to unlock
}

TEST(InstrumentInterface, WaitersAreGrantedInTurnAndTheQueueRunsAtTheEnd) {
    RecordingSnapIn snapIn;
    PumpingFrontEnd frontEnd;
    snapIn.Initialize(&frontEnd);
    long holder = 0, first = 0, second = 0;
    ASSERT_EQ(snapIn.LockExecuteCmd(holder, nullptr), S_OK);
    snapIn.ExecuteCmd("holder-1", holder, nullptr);

    // Each message runs inside the previous waiter's yield, as re-entrant handlers do.
    frontEnd.posted.push_back([&] {
        ScriptedMessageBoxes boxes;
        boxes.Answer(IDYES);
        ASSERT_EQ(snapIn.LockExecuteCmd(second, "Wait?"), S_OK);
        EXPECT_EQ(snapIn.IsLockExecuteCmd(), 2);
        snapIn.ExecuteCmd("second-1", second, nullptr);
        snapIn.ExecuteCmd("queued-2", 0, nullptr);
        EXPECT_EQ(snapIn.UnlockExecuteCmd(second), S_OK);
    });
    frontEnd.posted.push_back([&] {
        EXPECT_EQ(snapIn.IsLockExecuteCmd(), 3);
        snapIn.ExecuteCmd("holder-2", holder, nullptr);
        snapIn.ExecuteCmd("queued-1", 0, nullptr);
        EXPECT_EQ(snapIn.UnlockExecuteCmd(holder), S_OK);
    });

    ASSERT_EQ(snapIn.LockExecuteCmd(first, nullptr), S_OK);
    EXPECT_EQ(snapIn.IsLockExecuteCmd(), 1);
    snapIn.ExecuteCmd("first-1", first, nullptr);
    EXPECT_EQ(snapIn.UnlockExecuteCmd(first), S_OK);

    EXPECT_EQ(snapIn.ran, (std::vector<std::string>{"holder-1", "holder-2", "second-1", "first-1",
                                                     "queued-1", "queued-2"}));
    EXPECT_EQ(snapIn.IsLockExecuteCmd(), 0);
    EXPECT_EQ(snapIn.IsAllowExecuteCmdNow(), 1);
}

TEST(InstrumentInterface, RefusedWaitersLeaveKeyAndLockAlone) {
    RecordingSnapIn snapIn;
    long holder = 0, waiter = 3;
    snapIn.LockExecuteCmd(holder, nullptr);
    // No front end to wait through.
    EXPECT_EQ(snapIn.LockExecuteCmd(waiter, nullptr), S_FALSE);
    PumpingFrontEnd frontEnd;
    EXPECT_EQ(snapIn.Initialize(nullptr), S_FALSE);
    EXPECT_EQ(snapIn.Initialize(&frontEnd), S_OK);
    {
        ScriptedMessageBoxes boxes;
        boxes.Answer(IDNO);
        EXPECT_EQ(snapIn.LockExecuteCmd(waiter, "Wait for the simulator?"), S_FALSE);
        ASSERT_EQ(boxes.Requests().size(), 1u);
        EXPECT_EQ(boxes.Requests()[0].type & MB_TYPEMASK, MB_YESNO);
        EXPECT_TRUE(frontEnd.yields.empty());
    }
    // A front end whose yield does nothing (a nested yield) would leave the waiter for ever.
    EXPECT_EQ(snapIn.LockExecuteCmd(waiter, nullptr), S_FALSE);
    EXPECT_EQ(frontEnd.yields, std::vector<long>{100});
    EXPECT_EQ(waiter, 3);
    EXPECT_EQ(snapIn.UnlockExecuteCmd(holder), S_OK);
    EXPECT_EQ(snapIn.IsLockExecuteCmd(), 0);
}

TEST(InstrumentInterface, ExceptionsBecomeFailAndTheQueueGoesOn) {
    RecordingSnapIn snapIn;
    long key = 0;
    snapIn.LockExecuteCmd(key, nullptr);
    for (const char* command : {"throw-cstring", "after-1", "throw-int", "throw-std", "after-2"}) {
        snapIn.ExecuteCmd(command, 0, nullptr);
    }
    EXPECT_EQ(snapIn.UnlockExecuteCmd(key), E_FAIL);
    EXPECT_EQ(snapIn.ran.size(), 5u);
    EXPECT_EQ(snapIn.ExecuteCmd("throw-int", 0, nullptr), E_FAIL);
    EXPECT_EQ(snapIn.ExecuteCmd("after-3", 0, nullptr), S_OK);

    EXPECT_EQ(snapIn.ExecuteCmd_Direct("throw-cstring"), E_FAIL);
    EXPECT_EQ(snapIn.ExecuteCmd_Direct("answer-4"), 4);
}

TEST(InstrumentInterface, CommandIssuedFromARunningCommandWaitsItsTurn) {
    RecordingSnapIn snapIn;
    snapIn.during = [&](const std::string& text) {
        if (text == "outer") {
            EXPECT_EQ(snapIn.ExecuteCmd("inner", 0, nullptr), S_OK);
        }
    };
    EXPECT_EQ(snapIn.ExecuteCmd("outer", 0, nullptr), S_OK);
    // Reached by the running walk, after the command that queued it, and run only once.
    EXPECT_EQ(snapIn.ran, (std::vector<std::string>{"outer", "inner"}));
}
