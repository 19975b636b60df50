#pragma once

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <string>
#include <vector>

namespace veltsim {

// The start of one ngspice plot (one analysis): its vectors' names as ngspice reports them.
struct PlotStart {
    std::string name;   // "tran1"
    std::string type;   // "tran", "ac", "op", ...: the name without its number
    std::string title;  // "Transient Analysis"
    std::vector<std::string> vectors;
    bool complex = false;  // some vector has an imaginary part (an AC sweep)
};

// What ngspice's thread handed over since the last take, in order. Each row is one accepted
// step: for every vector of the current plot its real and its imaginary part.
struct ChannelBatch {
    enum Kind { kPlot, kRow, kText, kEnd };
    struct Entry {
        Kind kind;
        std::size_t index;  // into plots or texts, or the row's first value in values
    };

    std::vector<Entry> entries;
    std::vector<PlotStart> plots;
    std::vector<double> values;
    std::vector<std::string> texts;
    std::size_t rows = 0;

    // Empties the batch but keeps its storage, so that batches passed back and forth stop
    // allocating once they have grown.
    void Clear();
};

// Carries what ngspice produces on its own thread (plots, accepted steps, output text, the
// end of its thread) to the user-interface thread, which takes everything at once. The rows
// waiting are bounded: a producer that finds the channel full waits until the consumer takes
// (so a paused run holds ngspice in its callback) or the channel is cancelled (after which
// rows are dropped, so a stop never waits for a consumer). Text and markers never wait.
class RunChannel {
public:
    explicit RunChannel(std::size_t capacityRows);

    // Producer side, any thread.
    void PushPlot(PlotStart plot);
    // False when the row was dropped because the channel is cancelled.
    bool PushRow(const double* values, std::size_t count);
    // `rows` steps of `width` values each, read from `bytes` (which need not be aligned), as
    // PushRow would take them one by one, under one lock while there is room.
    bool PushRows(const void* bytes, std::size_t rows, std::size_t width);
    void PushText(std::string text);
    void PushEnd();

    // Consumer side. `out` is cleared and handed what is waiting; its storage is kept for the
    // producer's next rows.
    void TakeAll(ChannelBatch& out);
    // Wakes a producer waiting for room; rows pushed from now on are dropped.
    void Cancel();
    // Accepts rows again, for the next run; whatever is waiting is dropped.
    void Reopen();

private:
    std::mutex mutex_;
    std::condition_variable room_;
    ChannelBatch pending_;
    std::size_t capacity_;
    bool cancelled_ = false;
};

}  // namespace veltsim
