#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <stdexcept>
#include <thread>
#include <vector>

#include "tests/support/scripted_services.h"
#include "tests/support/message_pump.h"
#include "veltutil/platform/host/loop/message_queue.h"
#include "veltutil/platform/host/windows/message_box.h"
#include "veltutil/platform/host/windows/wnd.h"

namespace {

class RecordingWnd : public CWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_CREATE) received.push_back({m_hWnd, message, wParam, lParam, 0, {}});  // only what was posted
        if (message == WM_USER && onUser) onUser();
        return CWnd::WindowProc(message, wParam, lParam);
    }
    std::vector<MSG> received;
    std::function<void()> onUser;
};

}  // namespace

TEST(MessageQueue, PeekLeavesOrTakesMessagesInOrderAndFilters) {
    velttest::DrainQueue();
    RecordingWnd a, b;
    ASSERT_TRUE(a.Create("a", 0, CRect(), nullptr));
    ASSERT_TRUE(b.Create("b", 0, CRect(), nullptr));
    a.PostMessage(WM_USER + 1, 11);
    b.PostMessage(WM_USER + 2, 22);
    a.PostMessage(WM_USER + 3, 33);

    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, WM_USER + 1u);
    ASSERT_TRUE(PeekMessage(&msg, b.m_hWnd, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 22u);
    ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_USER + 3, WM_USER + 3, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, a.m_hWnd);
    ASSERT_EQ(GetMessage(&msg, nullptr, 0, 0), 1);
    EXPECT_EQ(msg.wParam, 11u);
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE));
}

TEST(MessageQueue, DispatchReachesLivingWindowsOnly) {
    velttest::DrainQueue();
    RecordingWnd wnd;
    ASSERT_TRUE(wnd.Create("w", 0, CRect(), nullptr));
    HWND hwnd = wnd.m_hWnd;
    ASSERT_TRUE(PostMessage(hwnd, WM_USER, 7, 8));
    MSG msg;
    ASSERT_EQ(GetMessage(&msg, nullptr, 0, 0), 1);
    DispatchMessage(&msg);
    ASSERT_EQ(wnd.received.size(), 1u);

    wnd.PostMessage(WM_USER);
    wnd.DestroyWindow();
    EXPECT_FALSE(PostMessage(hwnd, WM_USER, 0, 0));
    ASSERT_EQ(GetMessage(&msg, nullptr, 0, 0), 1);
    EXPECT_EQ(DispatchMessage(&msg), 0);
    EXPECT_EQ(CWnd::FromHandle(hwnd), nullptr);
}

TEST(MessageQueue, AHandlersExceptionIsReportedAndTheLoopGoesOn) {
    velttest::DrainQueue();
    struct Row {
        const char* what;
        std::function<void()> raise;
        const char* reported;
    };
    const Row rows[] = {
        {"standard", [] { throw std::runtime_error("disk full"); }, "disk full"},
        {"text", [] { throw CString("bad section marker"); }, "bad section marker"},
        {"other", [] { throw 7; }, "An unexpected error occurred while a window handled a message."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ScriptedMessageBoxes boxes;
        RecordingWnd wnd;
        ASSERT_TRUE(wnd.Create("w", 0, CRect(), nullptr));
        wnd.onUser = row.raise;
        wnd.PostMessage(WM_USER);
        wnd.PostMessage(WM_USER + 1);
        EXPECT_NO_THROW(velttest::PumpPosted());
        EXPECT_EQ(wnd.received.size(), 2u);  // the next message still arrives
        EXPECT_NO_THROW(wnd.SendMessage(WM_USER));
        ASSERT_EQ(boxes.Requests().size(), 2u);
        EXPECT_EQ(boxes.Requests()[0].text, row.reported);
        EXPECT_EQ(boxes.Requests()[0].type & MB_ICONMASK, MB_ICONEXCLAMATION);
    }
}

TEST(MessageQueue, TranslateTurnsTypingKeysIntoTheNextCharacterRead) {
    velttest::DrainQueue();
    PostThreadMessage(GetCurrentThreadId(), WM_USER, 0, 0);  // a character jumps ahead of it
    struct Case {
        UINT message;
        WPARAM key;
        WPARAM character;  // 0: no character comes of it
    };
    for (Case c : {Case{WM_KEYDOWN, VK_RETURN, '\r'}, Case{WM_KEYDOWN, 'Q', 'q'}, Case{WM_KEYDOWN, VK_F1, 0},
                   Case{WM_KEYUP, 'Q', 0}}) {
        MSG key{};
        key.message = c.message;
        key.wParam = c.key;
        EXPECT_EQ(TranslateMessage(&key), c.character != 0);
        MSG msg;
        ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, c.character ? PM_REMOVE : PM_NOREMOVE));
        EXPECT_EQ(msg.message, c.character ? WM_CHAR : WM_USER);
        EXPECT_EQ(msg.wParam, c.character);
    }
    velttest::DrainQueue();
}

TEST(MessageQueue, WaitSleepsUntilTimeOutOrWakesForAnotherThreadsPost) {
    velttest::DrainQueue();
    auto begin = std::chrono::steady_clock::now();
    EXPECT_EQ(MsgWaitForMultipleObjectsEx(0, nullptr, 20, QS_ALLINPUT, 0), WAIT_TIMEOUT);
    EXPECT_GE(std::chrono::steady_clock::now() - begin, std::chrono::milliseconds(19));

    DWORD self = GetCurrentThreadId();
    std::thread poster([self] {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        PostThreadMessage(self, WM_USER, 0, 0);
    });
    EXPECT_EQ(MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, 0), WAIT_OBJECT_0);
    poster.join();
    EXPECT_TRUE(PeekMessage(nullptr, nullptr, 0, 0, PM_REMOVE));

    HANDLE handle = nullptr;
    EXPECT_EQ(MsgWaitForMultipleObjectsEx(1, &handle, 0, QS_ALLINPUT, 0), WAIT_FAILED);
    EXPECT_FALSE(PostThreadMessage(0xFFFFFF, WM_USER, 0, 0));
}
