#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "run_channel.h"

using veltsim::ChannelBatch;
using veltsim::RunChannel;

// Everything arrives in the order it was pushed, rows with their values.
TEST(RunChannel, TakesEverythingInOrder) {
    RunChannel channel(4);
    channel.PushPlot({"tran1", "tran", "Transient Analysis", {"out", "time"}});
    const double row[] = {1, 0, 2, 0};
    ASSERT_TRUE(channel.PushRow(row, 4));
    channel.PushText("stdout done");
    channel.PushEnd();
    ChannelBatch batch;
    channel.TakeAll(batch);
    ASSERT_EQ(batch.entries.size(), 4u);
    EXPECT_EQ(batch.entries[0].kind, ChannelBatch::kPlot);
    EXPECT_EQ(batch.plots[0].vectors.size(), 2u);
    EXPECT_EQ(batch.entries[1].kind, ChannelBatch::kRow);
    EXPECT_EQ(batch.values[batch.entries[1].index + 2], 2.0);
    EXPECT_EQ(batch.texts[batch.entries[2].index], "stdout done");
    EXPECT_EQ(batch.entries[3].kind, ChannelBatch::kEnd);
    channel.TakeAll(batch);
    EXPECT_TRUE(batch.entries.empty());
}

// A full channel holds the producer until the consumer takes (a paused run holds ngspice).
TEST(RunChannel, FullChannelHoldsTheProducerUntilTaken) {
    RunChannel channel(2);
    const double row[] = {0, 0};
    std::atomic<int> pushed{0};
    std::thread producer([&] {
        for (int i = 0; i < 3; ++i) {
            channel.PushRow(row, 2);
            ++pushed;
        }
    });
    while (pushed < 2) std::this_thread::yield();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(pushed, 2);
    ChannelBatch batch;
    channel.TakeAll(batch);
    producer.join();
    EXPECT_EQ(pushed, 3);
    EXPECT_EQ(batch.rows, 2u);
}

// Cancelling frees a waiting producer at once and drops rows from then on, so that a stop
// never waits for a consumer; reopening accepts rows again.
TEST(RunChannel, CancelFreesTheProducerAndDropsRows) {
    RunChannel channel(1);
    const double row[] = {0, 0};
    ASSERT_TRUE(channel.PushRow(row, 2));
    bool accepted = true;
    std::thread producer([&] { accepted = channel.PushRow(row, 2); });
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    channel.Cancel();
    producer.join();
    EXPECT_FALSE(accepted);
    EXPECT_FALSE(channel.PushRow(row, 2));
    channel.Reopen();
    EXPECT_TRUE(channel.PushRow(row, 2));
    ChannelBatch batch;
    channel.TakeAll(batch);
    EXPECT_EQ(batch.rows, 1u);
}
