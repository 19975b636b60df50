#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "run_channel.h"

using veltsim::ChannelBatch;
using veltsim::RunChannel;

// A full channel holds the producer until the consumer takes (a paused run holds ngspice).
// Cancelling frees a waiting producer at once and drops rows from then on, so that a stop
// never waits for a consumer; reopening accepts rows again.
TEST(RunChannel, FullChannelHoldsTheProducerUntilTakenOrCancelled) {
    RunChannel channel(2);
    const double row[] = {0, 0};
    std::atomic<int> pushed{0};
    std::atomic<bool> accepted{true};
    std::thread producer([&] {
        for (int i = 0; i < 5 && accepted; ++i) {
            accepted = channel.PushRow(row, 2);
            if (accepted) ++pushed;
        }
    });
    ChannelBatch batch;
    for (int held : {2, 4}) {
        while (pushed < held) std::this_thread::yield();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EXPECT_EQ(pushed, held);
        if (held == 2) channel.TakeAll(batch);
    }
    EXPECT_EQ(batch.rows, 2u);
    channel.Cancel();  // frees the fifth row's wait
    producer.join();
    EXPECT_FALSE(accepted);
    EXPECT_FALSE(channel.PushRow(row, 2));
    channel.Reopen();  // without the rows held at the stop
    channel.TakeAll(batch);
    EXPECT_EQ(batch.rows, 0u);
    EXPECT_TRUE(channel.PushRow(row, 2));
}
