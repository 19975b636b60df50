#include "veltutil/platform/host/loop/internal/thread_queue.h"

#include <chrono>
#include <unordered_map>

#include "veltutil/platform/host/face/internal/face_hooks.h"
#include "veltutil/platform/host/kernel.h"
#include "veltutil/platform/host/loop/message_queue.h"

namespace veltutil::detail {

namespace {

bool matches(const MSG& msg, HWND hwnd, UINT first, UINT last) {
    if (hwnd && msg.hwnd != hwnd) return false;
    if (first == 0 && last == 0) return true;
    return msg.message >= first && msg.message <= last;
}

struct QueueDirectory {
    std::mutex mutex;
    std::unordered_map<DWORD, std::weak_ptr<MessageQueue>> queues;
};

QueueDirectory& directory() {
    // Never destroyed: thread-exit code may still look queues up during process exit.
    static QueueDirectory* instance = new QueueDirectory;
    return *instance;
}

// Keeps the current thread's queue alive for the thread's lifetime and listed while it lives.
struct ThreadQueue {
    ThreadQueue() : id(GetCurrentThreadId()), queue(std::make_shared<MessageQueue>()) {
        QueueDirectory& d = directory();
        std::lock_guard lock(d.mutex);
        d.queues[id] = queue;
    }
    ~ThreadQueue() {
        QueueDirectory& d = directory();
        std::lock_guard lock(d.mutex);
        d.queues.erase(id);
    }

    DWORD id;
    std::shared_ptr<MessageQueue> queue;
};

ThreadQueue& currentThread() {
    thread_local ThreadQueue thread;
    return thread;
}

}  // namespace

void MessageQueue::Post(const MSG& msg, bool atFront) {
    {
        std::lock_guard lock(mutex_);
        if (atFront) {
            messages_.push_front(msg);
        } else {
            messages_.push_back(msg);
        }
    }
    Announce();
}

void MessageQueue::PostQuit(int exitCode) {
    {
        std::lock_guard lock(mutex_);
        quitPending_ = true;
        quitCode_ = exitCode;
    }
    Announce();
}

void MessageQueue::Announce() {
    arrived_.notify_all();
    if (QueueWaker* waker = waker_.load(std::memory_order_acquire)) waker->Wake();
}

bool MessageQueue::Peek(MSG& out, HWND hwnd, UINT first, UINT last, bool remove) {
    std::lock_guard lock(mutex_);
    return TakeLocked(out, hwnd, first, last, remove);
}

void MessageQueue::Get(MSG& out, HWND hwnd, UINT first, UINT last) {
    std::unique_lock lock(mutex_);
    arrived_.wait(lock, [&] { return TakeLocked(out, hwnd, first, last, true); });
}

bool MessageQueue::WaitForInput(DWORD milliseconds) {
    std::unique_lock lock(mutex_);
    auto ready = [this] { return !messages_.empty() || quitPending_; };
    if (milliseconds == INFINITE) {
        arrived_.wait(lock, ready);
        return true;
    }
    return arrived_.wait_for(lock, std::chrono::milliseconds(milliseconds), ready);
}

bool MessageQueue::TakeLocked(MSG& out, HWND hwnd, UINT first, UINT last, bool remove) {
    for (auto it = messages_.begin(); it != messages_.end(); ++it) {
        if (!matches(*it, hwnd, first, last)) continue;
        out = *it;
        if (remove) messages_.erase(it);
        return true;
    }
    if (!quitPending_ || !messages_.empty()) return false;
    out = MSG{};
    out.message = WM_QUIT;
    out.wParam = static_cast<WPARAM>(quitCode_);
    out.time = GetTickCount();
    if (remove) quitPending_ = false;
    return true;
}

MessageQueue& CurrentQueue() { return *currentThread().queue; }

std::shared_ptr<MessageQueue> QueueOf(DWORD threadId) {
    if (threadId == currentThread().id) return currentThread().queue;
    QueueDirectory& d = directory();
    std::lock_guard lock(d.mutex);
    auto it = d.queues.find(threadId);
    return it == d.queues.end() ? nullptr : it->second.lock();
}

MSG MakeMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG msg;
    msg.hwnd = hwnd;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = GetTickCount();
    return msg;
}

}  // namespace veltutil::detail
