#include <chrono>
#include <thread>

#include <QTimer>

#include <gtest/gtest.h>

#include "face_support.h"
#include "veltutil/platform/host/kernel.h"

namespace {

constexpr UINT kNumbered = WM_USER + 1;

// Answers numbered messages and notes whether they came in order.
class CountingWindow : public CWnd {
public:
    WPARAM next = 0;
    bool inOrder = true;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != kNumbered) return CWnd::WindowProc(message, wParam, lParam);
        inOrder = inOrder && wParam == next;
        ++next;
        return 0;
    }
};

TEST(QtFaceLoop, MessagesPostedFromAnotherThreadWakeTheWaitEachInOrder) {
    constexpr WPARAM kCount = 100000;
    CountingWindow window;
    ASSERT_TRUE(window.Create("Counter", WS_CAPTION | WS_VISIBLE, CRect(0, 0, 100, 100), nullptr));
    HWND hwnd = window.GetSafeHwnd();
    std::thread poster([hwnd] {
        for (WPARAM i = 0; i < kCount; ++i) {
            ::PostMessage(hwnd, kNumbered, i, 0);
            // Now and then the UI thread catches up and waits again.
            if (i % 1000 == 0) std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    });
    MSG msg;
    while (window.next < kCount && GetMessage(&msg, nullptr, 0, 0)) DispatchMessage(&msg);
    poster.join();
    EXPECT_EQ(window.next, kCount);
    EXPECT_TRUE(window.inOrder);
}

TEST(QtFaceLoop, TimedWaitsRunQtsEventsAndEndOnTimeOrOnAPost) {
    bool fired = false;
    QTimer::singleShot(5, [&] { fired = true; });
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(MsgWaitForMultipleObjectsEx(0, nullptr, 60, QS_ALLINPUT, 0), WAIT_TIMEOUT);
    auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_TRUE(fired);
    EXPECT_GE(waited, std::chrono::milliseconds(55));

    DWORD uiThread = GetCurrentThreadId();
    std::thread poster([uiThread] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        PostThreadMessage(uiThread, WM_NULL, 0, 0);
    });
    start = std::chrono::steady_clock::now();
    EXPECT_EQ(MsgWaitForMultipleObjectsEx(0, nullptr, 10000, QS_ALLINPUT, 0), WAIT_OBJECT_0);
    // The post itself ends the wait, not the time limit or a later event.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    poster.join();
    velttest::PumpPosted();
}

TEST(QtFaceLoop, ALoopThatOnlyPeeksKeepsTheScreenAlive) {
    bool fired = false;
    QTimer::singleShot(0, [&] { fired = true; });
    MSG msg;
    for (int turn = 0; turn < 1000 && !fired; ++turn) {
        PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_TRUE(fired);
}

}  // namespace
