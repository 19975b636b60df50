// What the simulator keeps of a run and how steps reach it: a record's kept signals, read as they
// came, and the ones it fetches; steps handed over together held like single ones.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <thread>
#include <vector>

#include "analysis_record.h"
#include "run_channel.h"

using veltsim::AnalysisRecord;
using veltsim::PlotStart;

namespace {

// Fetches "signal * 100 + row" for every row the record has, as the engine would, counting calls.
struct FakeEngine {
    AnalysisRecord::Fetched answer = AnalysisRecord::Fetched::kYes;
    long extraRows = 0;  // more or fewer steps than the record has
    int calls = 0;

    AnalysisRecord::Fetch Fetch() {
        return [this](const AnalysisRecord& record, int signal, std::vector<double>& values, bool& complex) {
            ++calls;
            complex = false;
            const long rows = static_cast<long>(record.Rows()) + extraRows;
            for (long row = 0; row < rows; ++row) values.push_back(signal * 100.0 + static_cast<double>(row));
            return answer;
        };
    }
};

// Steps of a real plot of three signals; each value is "signal * 100 + row", imaginary part -1.
void addSteps(AnalysisRecord& record, std::size_t rows) {
    for (std::size_t row = 0; row < rows; ++row) {
        std::vector<double> step;
        for (int signal = 0; signal < 3; ++signal) step.insert(step.end(), {signal * 100.0 + row, -1.0});
        record.AddRow(step.data());
    }
}

const PlotStart kTran{"tran1", "tran", "Transient Analysis", {"time", "in", "out"}};

}  // namespace

// Kept signals read back as they came, over block boundaries; a real plot has no imaginary part
// and a complex one keeps it. A signal not kept is fetched once and reads the same.
TEST(AnalysisRecord, KeptSignalsAsTheyCameOthersFetchedOnce) {
    FakeEngine engine;
    AnalysisRecord record(kTran, engine.Fetch());
    record.Keep({2, 0, 2, -1, 7});
    EXPECT_TRUE(record.Keeps(0));
    EXPECT_FALSE(record.Keeps(1));
    const std::size_t rows = 10000;  // more than one block
    addSteps(record, rows);
    ASSERT_EQ(record.Rows(), rows);
    for (std::size_t row : {std::size_t{0}, std::size_t{4095}, std::size_t{4096}, rows - 1}) {
        SCOPED_TRACE(row);
        EXPECT_EQ(record.Scale(row), static_cast<double>(row));
        EXPECT_EQ(record.Value(row, 2), std::complex<double>(200.0 + row, 0.0));
        EXPECT_EQ(record.Real(row, 1), 100.0 + row);
    }
    EXPECT_EQ(engine.calls, 1);

    PlotStart ac{"ac1", "ac", "AC Analysis", {"frequency", "out"}, true};
    AnalysisRecord complex(ac);
    const double step[] = {10.0, 0.0, 0.5, -0.5};
    complex.AddRow(step);
    EXPECT_EQ(complex.Value(0, 1), std::complex<double>(0.5, -0.5));
}

// A signal that cannot be fetched now (a run goes on) reads NaN, is noted, and is fetched when it
// can be; one the engine no longer has, or has fewer steps of than the record, reads NaN for good.
TEST(AnalysisRecord, SignalThatCannotBeFetchedReadsNaN) {
    FakeEngine engine;
    engine.answer = AnalysisRecord::Fetched::kNotNow;
    AnalysisRecord record(kTran, engine.Fetch());
    record.Keep({0});
    addSteps(record, 3);
    EXPECT_TRUE(std::isnan(record.Real(1, 2)));
    EXPECT_TRUE(record.Missed());
    engine.answer = AnalysisRecord::Fetched::kYes;
    engine.extraRows = 2;  // steps taken after a stop are in the engine only
    EXPECT_EQ(record.Real(1, 2), 201.0);

    for (const long extraRows : {0L, -1L}) {
        FakeEngine gone;
        gone.answer = extraRows == 0 ? AnalysisRecord::Fetched::kNever : AnalysisRecord::Fetched::kYes;
        gone.extraRows = extraRows;
        AnalysisRecord lost(kTran, gone.Fetch());
        lost.Keep({0});
        addSteps(lost, 3);
        EXPECT_TRUE(std::isnan(lost.Real(0, 1)));
        EXPECT_TRUE(std::isnan(lost.Real(2, 1)));
        EXPECT_EQ(gone.calls, 1);
        EXPECT_FALSE(lost.Missed());
    }
}

// Steps handed over together are taken as far as there is room; the rest wait for the consumer.
TEST(RunChannel, StepsPushedTogetherWaitForRoomLikeSingleOnes) {
    veltsim::RunChannel channel(2);
    const double steps[] = {1.0, 2.0, 3.0};  // three steps of one value
    std::atomic<bool> done{false};
    std::thread producer([&] {
        channel.PushRows(steps, 3, 1);
        done = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(done);
    veltsim::ChannelBatch batch;
    channel.TakeAll(batch);
    EXPECT_EQ(batch.values, (std::vector<double>{1.0, 2.0}));
    producer.join();
    channel.TakeAll(batch);
    EXPECT_EQ(batch.values, (std::vector<double>{3.0}));
    ASSERT_EQ(batch.entries.size(), 1u);
    EXPECT_EQ(batch.entries[0].kind, veltsim::ChannelBatch::kRow);
}
