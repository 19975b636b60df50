#include "run_channel.h"

#include <utility>

namespace veltsim {

void ChannelBatch::Clear() {
    entries.clear();
    plots.clear();
    values.clear();
    texts.clear();
    rows = 0;
}

RunChannel::RunChannel(std::size_t capacityRows) : capacity_(capacityRows) {}

void RunChannel::PushPlot(PlotStart plot) {
    std::lock_guard lock(mutex_);
    pending_.entries.push_back({ChannelBatch::kPlot, pending_.plots.size()});
    pending_.plots.push_back(std::move(plot));
}

bool RunChannel::PushRow(const double* values, std::size_t count) {
    std::unique_lock lock(mutex_);
    room_.wait(lock, [&] { return cancelled_ || pending_.rows < capacity_; });
    if (cancelled_) return false;
    pending_.entries.push_back({ChannelBatch::kRow, pending_.values.size()});
    pending_.values.insert(pending_.values.end(), values, values + count);
    ++pending_.rows;
    return true;
}

void RunChannel::PushText(std::string text) {
    std::lock_guard lock(mutex_);
    pending_.entries.push_back({ChannelBatch::kText, pending_.texts.size()});
    pending_.texts.push_back(std::move(text));
}

void RunChannel::PushEnd() {
    std::lock_guard lock(mutex_);
    pending_.entries.push_back({ChannelBatch::kEnd, 0});
}

void RunChannel::TakeAll(ChannelBatch& out) {
    out.Clear();
    {
        std::lock_guard lock(mutex_);
        std::swap(out, pending_);
    }
    room_.notify_all();
}

void RunChannel::Cancel() {
    {
        std::lock_guard lock(mutex_);
        cancelled_ = true;
    }
    room_.notify_all();
}

void RunChannel::Reopen() {
    std::lock_guard lock(mutex_);
    cancelled_ = false;
    pending_.Clear();
}

}  // namespace veltsim
