#include "output_queue.h"

#include <cstring>

namespace veltsim::engine {

OutputQueue::OutputQueue(int fd) : fd_(fd), writer_([this] { writeLoop(); }) {}

OutputQueue::~OutputQueue() {
    {
        std::lock_guard lock(mutex_);
        closing_ = true;
    }
    ready_.notify_one();
    writer_.join();
}

void OutputQueue::Send(Kind kind, std::string_view payload) {
    {
        std::lock_guard lock(mutex_);
        if (broken_) return;
        AppendMessage(pending_, kind, payload);
        rowsAt_ = kNoRows;
        urgent_ = true;
    }
    ready_.notify_one();
}

void OutputQueue::SendRow(const double* values, std::size_t width) {
    const std::size_t bytes = width * sizeof(double);
    std::unique_lock lock(mutex_);
    written_.wait(lock, [&] { return broken_ || pending_.size() < kCapacity; });
    if (broken_) return;
    const bool first = pending_.empty();
    if (rowsAt_ == kNoRows) {
        rowsAt_ = pending_.size();
        PayloadWriter payload;
        payload.Int(static_cast<std::int64_t>(width));
        AppendMessage(pending_, Kind::kRows, payload.bytes);
    }
    pending_.append(reinterpret_cast<const char*>(values), bytes);
    Header header{};
    std::memcpy(&header, pending_.data() + rowsAt_, sizeof header);
    header.size += static_cast<std::uint32_t>(bytes);
    std::memcpy(pending_.data() + rowsAt_, &header, sizeof header);
    // The writer is woken only when it waits, and then for the first step of a batch and for a
    // full one: while it writes, it finds the steps on its return.
    const bool wake = writerWaiting_ && (first || pending_.size() >= kBatch);
    lock.unlock();
    if (wake) ready_.notify_one();
}

void OutputQueue::Flush() {
    std::unique_lock lock(mutex_);
    written_.wait(lock, [&] { return broken_ || (pending_.empty() && !writing_); });
}

void OutputQueue::writeLoop() {
    std::string batch;
    std::unique_lock lock(mutex_);
    for (;;) {
        writerWaiting_ = true;
        ready_.wait(lock, [&] { return closing_ || !pending_.empty(); });
        ready_.wait_for(lock, kGather, [&] { return closing_ || urgent_ || pending_.size() >= kBatch; });
        writerWaiting_ = false;
        if (pending_.empty()) return;
        batch.clear();
        std::swap(batch, pending_);
        rowsAt_ = kNoRows;
        urgent_ = false;
        writing_ = true;
        lock.unlock();
        written_.notify_all();
        const bool sent = WriteAll(fd_, batch.data(), batch.size());
        lock.lock();
        writing_ = false;
        if (!sent) {
            broken_ = true;
            pending_.clear();
        }
        written_.notify_all();
    }
}

}  // namespace veltsim::engine
