#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>

#include "veltutil/platform/host/messages.h"

namespace veltutil::detail {

class QueueWaker;

// The message queue of one thread. Any thread may post to it; only its own thread reads it.
// Every posted message counts as input for the wait functions: the headless host has no
// separate input, paint or timer queues.
class MessageQueue {
public:
    // A message put at the front is the next one read, as a character made from a key press is.
    void Post(const MSG& msg, bool atFront = false);
    // The quit request is not a queued message: it is seen once the queue holds nothing else.
    void PostQuit(int exitCode);
    bool Peek(MSG& out, HWND hwnd, UINT first, UINT last, bool remove);
    void Get(MSG& out, HWND hwnd, UINT first, UINT last);
    // True when a message arrived within the time-out.
    bool WaitForInput(DWORD milliseconds);
    // Who else is told of each post: a thread that waits in a face's event loop rather than
    // on this queue's condition.
    void SetWaker(QueueWaker* waker) { waker_.store(waker, std::memory_order_release); }

private:
    // Wakes whoever waits for this queue.
    void Announce();
    bool TakeLocked(MSG& out, HWND hwnd, UINT first, UINT last, bool remove);

    std::mutex mutex_;
    std::condition_variable arrived_;
    std::deque<MSG> messages_;
    bool quitPending_ = false;
    int quitCode_ = 0;
    std::atomic<QueueWaker*> waker_{nullptr};
};

// The calling thread's queue, made on first use and listed while the thread lives.
MessageQueue& CurrentQueue();
// Another thread's queue; null when that thread has none (yet or any more).
std::shared_ptr<MessageQueue> QueueOf(DWORD threadId);

MSG MakeMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace veltutil::detail
