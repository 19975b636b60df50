#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <map>
#include <vector>

#include "../support/message_pump.h"
#include "veltutil/framework/coroute_win_app.h"
#include "veltutil/framework/windows_message_processing.h"
#include "veltutil/platform/host/windows/frame_wnd.h"
#include "veltutil/platform/host/loop/message_queue.h"

namespace {

using Clock = std::chrono::steady_clock;

long long millisecondsSince(Clock::time_point begin) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - begin).count();
}

// A window that records what it receives and runs a scripted reaction per message.
class ScriptedWnd : public CFrameWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        received.push_back(message);
        if (auto it = reactions.find(message); it != reactions.end()) it->second(wParam);
        return CWnd::WindowProc(message, wParam, lParam);
    }
    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->message == throwInPreTranslate) throw 1;
        return msg->message == takeInPreTranslate;
    }

    int Count(UINT message) const { return static_cast<int>(std::count(received.begin(), received.end(), message)); }

    std::vector<UINT> received;
    std::map<UINT, std::function<void(WPARAM)>> reactions;
    UINT takeInPreTranslate = WM_NULL;
    // Pre-translation runs outside the window procedure, so its exception leaves the loop.
    UINT throwInPreTranslate = WM_NULL;
};

class CountingApp : public CCorouteWinApp {
public:
    BOOL OnIdle(long count) override {
        idleCalls.push_back(count);
        return CCorouteWinApp::OnIdle(count);
    }
    std::vector<long> idleCalls;
};

struct Fixture : ::testing::Test {
    Fixture() {
        velttest::DrainQueue();
        main.Create("main", WS_POPUP | WS_VISIBLE, CRect(), nullptr);
        child.Create("child", WS_CHILD | WS_VISIBLE, CRect(), &main, 1);
        app.m_pMainWnd = &main;
    }
    ~Fixture() override { velttest::DrainQueue(); }

    CountingApp app;
    ScriptedWnd main;
    ScriptedWnd child;
    CWindowsMessageProcessing pump;
};

using WindowsMessageProcessing = Fixture;
using CorouteWinApp = Fixture;

}  // namespace

TEST_F(WindowsMessageProcessing, ShortYieldPumpsWhatWaitsAndFasterModeStopsAfterTheBurst) {
    // Each message posts the next one, so the queue never runs dry on its own.
    main.reactions[WM_USER] = [this](WPARAM) { main.PostMessage(WM_USER); };
    main.PostMessage(WM_USER);
    pump.SetFasterModeEnable(true);
    pump.YieldTime(0);
    EXPECT_EQ(main.Count(WM_USER), 50);

    // Without faster mode a short yield lasts one millisecond (the accounting shows its budget).
    main.reactions.clear();
    velttest::DrainQueue();
    pump.SetFasterModeEnable(false);
    pump.SimTimeBegin();
    child.PostMessage(WM_USER + 1);
    pump.YieldTime(0);
    EXPECT_EQ(pump.SimTimeIdledAmount(), 1u);
    EXPECT_EQ(child.Count(WM_USER + 1), 1);
}

TEST_F(WindowsMessageProcessing, YieldAskedForFromAHandlerLengthensTheRunningOne) {
    int innerLevel = -1;
    main.reactions[WM_USER] = [&](WPARAM) {
        innerLevel = pump.GetYieldLevel();
        pump.YieldTime(100);  // returns at once
    };
    main.PostMessage(WM_USER);
    pump.SimTimeBegin();
    auto begin = Clock::now();
    pump.YieldTime(100);
    // A lower bound: load can only lengthen the yield; a yield that kept its first budget fails.
    EXPECT_GE(millisecondsSince(begin), 195);
    EXPECT_EQ(innerLevel, 1);
    EXPECT_EQ(main.Count(WM_USER), 1);
    pump.SimTimeEnd();
    EXPECT_EQ(pump.SimTimeIdledAmount(), 200u);
    pump.SetFasterModeEnable(true);
    pump.YieldTime(5);
    EXPECT_EQ(pump.SimTimeIdledAmount(), 205u);  // still accounting after SimTimeEnd
    pump.SimTimeBegin();
    EXPECT_EQ(pump.SimTimeIdledAmount(), 0u);
}

TEST_F(WindowsMessageProcessing, QuitEndsTheYieldEarlyAndIsConsumed) {
    main.reactions[WM_USER] = [](WPARAM) { PostQuitMessage(4); };
    main.PostMessage(WM_USER);
    main.PostMessage(WM_USER + 1);
    // Ignoring the quit would spend the whole minute; no load stretches two messages to half.
    auto begin = Clock::now();
    pump.YieldTime(60000);
    EXPECT_LT(millisecondsSince(begin), 30000);
    EXPECT_EQ(main.Count(WM_USER + 1), 1);
    MSG msg;
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE));
}

TEST_F(WindowsMessageProcessing, BothLoopsStillPumpAfterAThrowingPreTranslation) {
    struct Loop { const char* name; std::function<void()> yieldOnce, yieldAgain; std::function<int()> level; };
    const Loop loops[] = {
        {"windows", [this] { pump.YieldTime(50); }, [this] { pump.SetFasterModeEnable(true); pump.YieldTime(0); },
         [this] { return pump.GetYieldLevel(); }},
        // Look for the message, then pump it.
        {"coroutine", [this] { app.YieldTime(3); }, [this] { app.YieldTime(4); }, [this] { return app.GetYieldLevel(); }},
    };
    for (const Loop& loop : loops) {
        SCOPED_TRACE(loop.name);
        main.throwInPreTranslate = WM_USER;
        main.PostMessage(WM_USER);
        EXPECT_THROW(loop.yieldOnce(), int);
        EXPECT_EQ(loop.level(), 0);
        main.throwInPreTranslate = WM_NULL;
        main.PostMessage(WM_USER + 1);
        loop.yieldAgain();
        EXPECT_EQ(main.Count(WM_USER + 1), 1);
        main.received.clear();
    }
}

TEST_F(WindowsMessageProcessing, IdleAndFiltersThreadKickIdleAndPreTranslatedMessages) {
    ScriptedWnd other;  // a second top-level window, so the main window may pre-translate for it
    other.Create("other", WS_POPUP | WS_VISIBLE, CRect(), nullptr);
    ScriptedWnd delayed;
    delayed.Create("delayed", WS_POPUP, CRect(), nullptr);
    delayed.m_nShowDelay = SW_SHOW;
    main.takeInPreTranslate = WM_USER + 2;
    PostThreadMessage(GetCurrentThreadId(), WM_USER, 0, 0);
    child.PostMessage(WM_KICKIDLE);
    other.PostMessage(WM_USER + 2);
    other.PostMessage(WM_USER + 3);
    pump.SetFasterModeEnable(true);
    pump.YieldTime(0);
    EXPECT_EQ(child.Count(WM_KICKIDLE), 0);
    EXPECT_EQ(other.Count(WM_USER + 2), 0);
    EXPECT_EQ(other.Count(WM_USER + 3), 1);
    EXPECT_FALSE(PeekMessage(nullptr, nullptr, 0, 0, PM_NOREMOVE));

    // Idle time updates visible windows and shows frames whose showing was delayed.
    EXPECT_GE(child.Count(WM_IDLEUPDATECMDUI), 1);
    EXPECT_TRUE(delayed.IsWindowVisible());
    EXPECT_GE(delayed.Count(WM_IDLEUPDATECMDUI), 1);
    ASSERT_FALSE(app.idleCalls.empty());
    EXPECT_EQ(app.idleCalls[0], 0);
}

TEST_F(CorouteWinApp, RunProcessesAScriptedSessionWithAReentrantYieldAndEndsOnQuit) {
    std::vector<UINT> order;
    int innerLevel = -1;
    for (UINT m = WM_USER; m <= WM_USER + 4; ++m) main.reactions[m] = [&order, m](WPARAM) { order.push_back(m); };
    main.reactions[WM_USER + 1] = [&](WPARAM) {
        order.push_back(WM_USER + 1);
        app.YieldTime(3);  // look for a message, pump WM_USER + 2, classify it
        EXPECT_EQ(app.GetYieldLevel(), 0);
    };
    main.reactions[WM_USER + 2] = [&](WPARAM) {
        order.push_back(WM_USER + 2);
        innerLevel = app.GetYieldLevel();
    };
    main.reactions[WM_USER + 4] = [&order](WPARAM) {
        order.push_back(WM_USER + 4);
        PostQuitMessage(9);
    };
    for (UINT m = WM_USER; m <= WM_USER + 4; ++m) main.PostMessage(m);

    EXPECT_EQ(app.Run(), 9);
    EXPECT_EQ(order, (std::vector<UINT>{WM_USER, WM_USER + 1, WM_USER + 2, WM_USER + 3, WM_USER + 4}));
    EXPECT_EQ(main.Count(WM_USER + 2), 1);
    EXPECT_EQ(innerLevel, 1);

    // After the quit message the loop stays finished.
    main.PostMessage(WM_USER + 3);
    app.YieldTime(5);
    EXPECT_EQ(main.Count(WM_USER + 3), 1);
}

TEST_F(CorouteWinApp, CountedYieldRunsIdleWhenNothingWaitsAndAQuitInsideItEndsRun) {
    app.YieldTime(4);
    ASSERT_GE(app.idleCalls.size(), 3u);
    EXPECT_EQ(app.idleCalls[1], 1);

    PostQuitMessage(2);
    main.reactions[WM_USER] = [this](WPARAM) { app.YieldTime(10); };  // the quit arrives inside
    main.PostMessage(WM_USER);
    EXPECT_EQ(app.Run(), 2);
    EXPECT_EQ(app.GetYieldLevel(), 0);
}
