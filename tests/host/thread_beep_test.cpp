#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <utility>
#include <vector>

#include "veltutil/platform/host/loop/beep.h"
#include "veltutil/platform/host/loop/thread.h"

TEST(Beep, WaitsForTheDurationWithoutADeviceAndGoesThroughTheService) {
    auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(Beep(440, 30));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(30));

    std::vector<std::pair<DWORD, DWORD>> tones;
    BeepService previous = SetBeepService([&tones](DWORD f, DWORD d) { tones.emplace_back(f, d); });
    Beep(1000, 200);
    Beep(50, 1);
    SetBeepService(std::move(previous));
    EXPECT_EQ(tones, (std::vector<std::pair<DWORD, DWORD>>{{1000, 200}, {50, 1}}));
}

namespace {

struct Gate { std::mutex mutex; std::atomic<int> runs{0}; };

DWORD waitAtGate(void* parameter) {
    auto* gate = static_cast<Gate*>(parameter);
    std::lock_guard lock(gate->mutex);
    ++gate->runs;
    return 0;
}

}  // namespace

TEST(Threads, RunWithTheirParameterAndCanBeWaitedFor) {
    Gate gate;
    std::unique_lock hold(gate.mutex);
    HANDLE thread = CreateThread(&waitAtGate, &gate);
    ASSERT_NE(thread, nullptr);
    EXPECT_EQ(WaitForSingleObject(thread, 10), WAIT_TIMEOUT);
    hold.unlock();
    EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(gate.runs, 1);
    EXPECT_TRUE(CloseHandle(thread));

    EXPECT_EQ(WaitForSingleObject(nullptr, 0), WAIT_FAILED);
    EXPECT_FALSE(CloseHandle(nullptr));
}
