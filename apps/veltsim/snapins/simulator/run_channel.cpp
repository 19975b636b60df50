#include "run_channel.h"

#include <algorithm>
#include <cstring>
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

bool RunChannel::PushRow(const double* values, std::size_t count) { return PushRows(values, 1, count); }

bool RunChannel::PushRows(const void* bytes, std::size_t rows, std::size_t width) {
    const char* next = static_cast<const char*>(bytes);
    std::unique_lock lock(mutex_);
    while (rows > 0) {
        room_.wait(lock, [&] { return cancelled_ || pending_.rows < capacity_; });
        if (cancelled_) return false;
        const std::size_t taken = std::min(rows, capacity_ - pending_.rows);
        const std::size_t first = pending_.values.size();
        pending_.values.resize(first + taken * width);
        std::memcpy(pending_.values.data() + first, next, taken * width * sizeof(double));
        for (std::size_t row = 0; row < taken; ++row) pending_.entries.push_back({ChannelBatch::kRow, first + row * width});
        pending_.rows += taken;
        next += taken * width * sizeof(double);
        rows -= taken;
    }
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
