#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "tests/support/app_front_end.h"
#include "veltutil/platform/host/loop/beep.h"
#include "veltutil/properties/variant.h"

using velttest::AppFrontEnd;

namespace {

using namespace std::chrono_literals;

// Records the tones asked for; each beep takes a couple of milliseconds instead of its 200.
class BeepRecorder {
public:
    BeepRecorder() {
        previous_ = SetBeepService([this](DWORD frequency, DWORD duration) {
            {
                std::lock_guard lock(mutex_);
                beeps_.emplace_back(frequency, duration);
            }
            std::this_thread::sleep_for(2ms);
        });
    }
    ~BeepRecorder() { SetBeepService(std::move(previous_)); }

    std::vector<std::pair<DWORD, DWORD>> Beeps() {
        std::lock_guard lock(mutex_);
        return beeps_;
    }
    // Waits until at least count beeps were asked for; false after a generous time.
    bool WaitFor(std::size_t count) {
        for (int i = 0; i < 2000 && Beeps().size() < count; ++i) std::this_thread::sleep_for(1ms);
        return Beeps().size() >= count;
    }

private:
    std::mutex mutex_;
    std::vector<std::pair<DWORD, DWORD>> beeps_;
    BeepService previous_;
};

}  // namespace

TEST(Tone, OneToneAtATimeThatStopsAfterItsBeepAndNeverOutlivesTheFrontEnd) {
    BeepRecorder recorder;
    std::size_t heard = 0;
    {
        AppFrontEnd frontEnd;
        OrvVariant none;
        EXPECT_EQ(frontEnd.SetProperty(10054, none, nullptr, nullptr), S_FALSE);  // no tone: only the flag
        EXPECT_EQ(frontEnd.SetProperty(10053, OrvVariant("loud"), nullptr, nullptr), S_FALSE);
        std::this_thread::sleep_for(10ms);
        EXPECT_TRUE(recorder.Beeps().empty());

        frontEnd.SetProperty(10053, OrvVariant(440L), nullptr, nullptr);
        ASSERT_TRUE(recorder.WaitFor(2));
        frontEnd.SetProperty(10053, OrvVariant(880L), nullptr, nullptr);  // one tone at a time
        ASSERT_TRUE(recorder.WaitFor(recorder.Beeps().size() + 2));
        for (auto beep : recorder.Beeps()) EXPECT_EQ(beep, std::make_pair(DWORD{440}, DWORD{200}));

        frontEnd.SetProperty(10054, none, nullptr, nullptr);
        std::this_thread::sleep_for(50ms);  // the worker ends after its current beep
        std::size_t stopped = recorder.Beeps().size();
        std::this_thread::sleep_for(20ms);
        EXPECT_EQ(recorder.Beeps().size(), stopped);

        // Right after a stop a new tone starts cleanly, with the new frequency only.
        frontEnd.SetProperty(10053, OrvVariant(880L), nullptr, nullptr);
        ASSERT_TRUE(recorder.WaitFor(stopped + 2));
        EXPECT_EQ(recorder.Beeps().back().first, 880u);
        heard = recorder.Beeps().size();
    }
    // The front end is gone and so is its worker: nothing beeps any more.
    std::size_t afterDestruction = recorder.Beeps().size();
    EXPECT_LE(afterDestruction, heard + 1);
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(recorder.Beeps().size(), afterDestruction);
}
